#pragma once
// Accepted answers for decoder tests: a gauge's response frame with its checksum, seen through
// the same ResponseView the engine hands to the decoders.
#include "link/response_view.h"

#include <QString>
#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace orv::test {

struct AnswerFrame {
    std::vector<std::uint8_t> bytes;
    ResponseView View() const { return ResponseView{bytes.data(), static_cast<int>(bytes.size())}; }
};

// Payload = response data bytes 2 onward; the status bytes are zero.
inline AnswerFrame MakeAnswer(std::uint8_t address, std::uint8_t command, std::vector<std::uint8_t> payload)
{
    AnswerFrame f;
    f.bytes = {0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, address, command,
               static_cast<std::uint8_t>(payload.size()), 0x00, 0x00};
    for (std::uint8_t b : payload)   // byte by byte: g++ 12 misreads a range insert of an empty payload
        f.bytes.push_back(b);
    std::uint8_t sum = 0;
    for (std::size_t i = 3; i < f.bytes.size(); ++i)
        sum ^= f.bytes[i];
    f.bytes.push_back(sum);
    return f;
}

// The four bytes of a single, most significant first.
inline std::array<std::uint8_t, 4> Single(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

// Payload assembly: plain bytes and singles in order.
struct Payload {
    std::vector<std::uint8_t> bytes;
    Payload &Byte(std::uint8_t b) { bytes.push_back(b); return *this; }
    Payload &Float(float v) { const auto s = Single(v); bytes.insert(bytes.end(), s.begin(), s.end()); return *this; }
    operator std::vector<std::uint8_t>() const { return bytes; }
};

} // namespace orv::test
