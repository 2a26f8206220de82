#pragma once
// Read access to an accepted response with the protocol's numbering: positions count from 1,
// response data byte k sits at position 12 + k (bytes 0 and 1 are the two status bytes).
#include <cstdint>

namespace orv {

struct ResponseView {
    const std::uint8_t *first = nullptr;   // position 1
    int length = 0;                        // frame length, byte count + 14

    std::uint8_t Position(int pos) const { return first[pos - 1]; }
    std::uint8_t PollingAddress() const { return Position(9); }
    std::uint8_t Command() const { return Position(10); }
    std::uint8_t ByteCount() const { return Position(11); }
    std::uint8_t DataByte(int k) const { return Position(12 + k); }
    // Four consecutive data bytes k..k+3, most significant first, as FloatBytesToText takes them.
    const std::uint8_t *DataBytes(int k) const { return first + 11 + k; }
};

} // namespace orv
