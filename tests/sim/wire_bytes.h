#pragma once
// Byte helpers for the simulator tests, written apart from the simulator's frame code so that a
// mistake there shows up here instead of agreeing with itself.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace simtest {

using Bytes = std::vector<uint8_t>;

// "FF 01 a2" -> {0xFF, 0x01, 0xA2}
inline Bytes hex(const std::string &text)
{
    Bytes out;
    std::istringstream in(text);
    std::string item;
    while (in >> item)
        out.push_back(static_cast<uint8_t>(std::stoul(item, nullptr, 16)));
    return out;
}

inline std::string toHex(const Bytes &bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

inline uint8_t xorRange(const Bytes &bytes, size_t from, size_t to)
{
    uint8_t sum = 0;
    for (size_t i = from; i < to; ++i)
        sum ^= bytes[i];
    return sum;
}

// A request as the program sends it: three preamble bytes, 82, FF x4, address, command, n, data, XOR.
inline Bytes request(uint8_t address, uint8_t command, const Bytes &data = {})
{
    Bytes out;
    for (uint8_t b : {0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF})
        out.push_back(b);
    out.push_back(address);
    out.push_back(command);
    out.push_back(static_cast<uint8_t>(data.size()));
    for (uint8_t b : data)
        out.push_back(b);
    out.push_back(xorRange(out, 3, out.size()));
    return out;
}

// A correct answer; `body` holds the two status bytes and the payload.
inline Bytes answer(uint8_t address, uint8_t command, const Bytes &body)
{
    Bytes out;
    for (uint8_t b : {0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF})
        out.push_back(b);
    out.push_back(address);
    out.push_back(command);
    out.push_back(static_cast<uint8_t>(body.size() - 2));
    for (uint8_t b : body)
        out.push_back(b);
    out.push_back(xorRange(out, 3, out.size()));
    return out;
}

inline Bytes f32(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return {static_cast<uint8_t>(bits >> 24), static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 8),
            static_cast<uint8_t>(bits)};
}

inline float f32At(const Bytes &bytes, size_t offset)
{
    const uint32_t bits = uint32_t(bytes.at(offset)) << 24 | uint32_t(bytes.at(offset + 1)) << 16
                          | uint32_t(bytes.at(offset + 2)) << 8 | bytes.at(offset + 3);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

inline Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Offsets inside an answer with three preamble bytes.
constexpr size_t kAnswerAddress = 8;
constexpr size_t kAnswerCount = 10;
constexpr size_t kAnswerStatus0 = 11;
constexpr size_t kAnswerStatus1 = 12;
constexpr size_t kAnswerPayload = 13;

} // namespace simtest
