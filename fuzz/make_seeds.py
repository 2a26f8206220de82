#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from the examples the unit tests use.
Run once after a change of an input layout; findings are added to corpus/<target>/ by hand
(named finding-<what>), and stay."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def single(v):
    return list(struct.pack('>f', v))


def answer(address, command, payload, preamble=3):
    body = [0x86, 0xFF, 0xFF, 0xFF, 0xFF, address, command, len(payload), 0, 0] + list(payload)
    s = 0
    for b in body:
        s ^= b
    return bytes([0xFF] * preamble + body + [s])


def request(address, command, data, preamble=5):
    body = [0x82, 0xFF, 0xFF, 0xFF, 0xFF, address, command, len(data)] + list(data)
    s = 0
    for b in body:
        s ^= b
    return bytes([0xFF] * preamble + body + [s])


def write(target, name, data):
    folder = os.path.join(HERE, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'seed-' + name), 'wb') as f:
        f.write(data)


# (a) context byte, four requested codes with their list positions, then the received bytes.
ctx = bytes([0x01, 0, 1, 4, 2, 6, 3, 11, 4])
answers = {
    '1': answer(0, 1, [0x01, 0x42, 0xC8, 0x00, 0x00]),
    '3': answer(3, 3, single(12.5) + single(0.25) + single(1523.5) + single(-311.75) + single(36.6)),
    '33': answer(1, 33, [0, 2] + single(1.5) + [4, 2] + single(23.456) + [6, 2] + single(10.0) + [11, 2] + single(3.0)),
    '6': answer(44, 6, [44]),
    '34': answer(0, 34, [0x41, 0x20, 0x00, 0x00]),
    '37': answer(0, 37, [0x80]),
    '36': answer(0, 36, [0x81]),
    '40': answer(0, 40, single(-1.0)),
    '44': answer(0, 44, [9]),
    '146': answer(0, 146, single(400.0) + single(4000.0)),
    '147': answer(0, 147, [0, 0, 0, 0, 0x45, 0x7A, 0x00, 0x00]),
    '150': answer(0, 150, [0x40, 0xA0, 0, 0]),
    '152': answer(0, 152, [2]),
    '157': answer(0, 157, [1]),
    '162': answer(0, 162, []),
    '173': answer(0, 173, single(123456.0) + single(2024.0)),
    '178': answer(0, 178, [2]),
    '181': answer(0, 181, [1] + single(3.0) + [2] + single(20.0) + [2] + single(80.0) + [2] + single(1.5)),
    '187': answer(0, 187, single(3.0) + single(20.0) + single(80.0) + single(1.5)),
    '190': answer(0, 190, [1]),
    '191': answer(0, 191, [2] + single(2.5) + single(0.5)),
    '192': answer(0, 192, [0x40, 0xA0, 0x00, 0x00]),
    '194': answer(0, 194, [120]),
    '195': answer(0, 195, [0]),
    '196': answer(0, 196, [0xFF]),
}
for name, frame in answers.items():
    write('fuzz_response_decoders', 'cmd' + name, ctx + frame)
write('fuzz_response_decoders', 'repair1', ctx + answer(0, 1, [0x01, 0x42, 0xC8, 0, 0], preamble=2))
write('fuzz_response_decoders', 'repair2', ctx + answer(0, 1, [0x01, 0x42, 0xC8, 0, 0], preamble=1))

# (b) axis byte, then a file as the tests write them (Windows-1251).
title = 'Файл данных опроса от 14:03:27 06.12.2026\r\nПрибор № 3 (адрес - 5)\r\n'
line1 = 'Addr: 5 ; Command: 1 ; Pressure: 100,5000000 MPa ; Time: 14:03:27.045 ; Date: 06.12.2026\r\n'
line3 = ('Addr: 5 ; Command: 3 ; Iout: 12,5000000 mA ; Pressure: 0,2500000 ; Um: 1523,5000000 ; '
         'Udif: -311,7500000 ;  t_kristall: 36,60 °C ; Time: 14:03:28.300 ; Date: 06.12.2026\r\n')
survey = (title + line1 + line3).encode('cp1251')
for axis in range(5):
    write('fuzz_survey_reader', 'axis%d' % axis, bytes([axis | (2 << 3)]) + survey)
write('fuzz_survey_reader', 'torn', bytes([0]) + survey + line1.encode()[:40])
write('fuzz_survey_reader', 'nul-tail', bytes([0]) + survey + b'\0' * 64)
write('fuzz_survey_reader', 'utf8', bytes([8]) + (title + line1).encode('utf-8'))
write('fuzz_survey_reader', 'midnight', bytes([0]) + (line1 + line1.replace('14:03:27', '00:00:01')).encode())
write('fuzz_survey_reader', 'repeated', bytes([0xFF, 0xB8, 0x88])   # Udif, 35001 lines: past the cap
      + b'Udif: 1,5 ; Time: 14:03:27.045 ; Date: 06.12.2026\r\n')

# (c) case byte, then the text or bytes.
for i, t in enumerate(['1,5', '-0.25', ' +12,5e-3', '3,402823e+38', '1e-45', '100,0000000']):
    write('fuzz_value_texts', 'float%d' % i, b'\0' + t.encode())
for i, t in enumerate(['280', ' -15', '$FF', '0x7FFFFFFF', '-2147483648', '$FFFFFFFF']):
    write('fuzz_value_texts', 'integer%d' % i, b'\1' + t.encode())
for i, v in enumerate([1.5, -311.75, 1e-10, 12345678.0, 3.4028235e38]):
    write('fuzz_value_texts', 'single%d' % i, b'\2' + bytes(single(v)))
for i, t in enumerate(['1\r\n280\r\n300\r\n15\r\n0\r\n', '5\r\n500\r\n600\r\n20\r\n1\r\n', '3\r\nabc\r\n700\r\n15\r\n1\r\n']):
    write('fuzz_value_texts', 'settings%d' % i, b'\3' + bytes([0, 1, 2, 0, 0, 5, 0, 0, 40, 0]) + t.encode())

# (d) cut seed, then line bytes.
write('fuzz_sim_request_parser', 'read1', b'\7' + request(0, 1, []))
write('fuzz_sim_request_parser', 'read33', b'\3' + request(3, 33, [0x82, 0xFF, 0xFF, 0x82]))
write('fuzz_sim_request_parser', 'garbage-then-write', b'\5' + bytes([0x12, 0xFF, 0x82, 0x00]) + request(0, 196, [1, 1, 1, 1]))
write('fuzz_sim_request_parser', 'two', b'\1' + request(0, 193, [120], preamble=2) + request(7, 3, []))

# (e) kind byte, address, six time bytes, codes and positions, payload.
stamp = bytes([0x01, 0x5A, 0x3B, 0x2C, 0x1D, 0x0E])
write('fuzz_survey_round_trip', 'cmd1', bytes([0, 5]) + stamp + bytes(8) + bytes([1]) + bytes(single(100.5)))
write('fuzz_survey_round_trip', 'cmd3', bytes([1 | (4 << 2), 5]) + stamp + bytes(8)
      + bytes(single(12.5) + single(0.25) + single(1523.5) + single(-311.75) + single(36.6)))
write('fuzz_survey_round_trip', 'cmd33', bytes([2, 1]) + stamp + bytes([0, 1, 4, 2, 6, 3, 11, 4])
      + bytes([0, 2] + single(1.5) + [4, 2] + single(23.456) + [6, 2] + single(10.0) + [11, 2] + single(3.0)))
# The temperature is cut to five characters ("1234,5000000" is written "1234,").
write('fuzz_survey_round_trip', 'cmd3-temperature-cut', bytes([1 | (4 << 2), 5]) + stamp + bytes(8)
      + bytes(single(12.5) + single(0.25) + single(1523.5) + single(-311.75) + single(1234.5)))
