// Line bytes through the simulator's request parser, whole and in pieces.
// Properties: every frame it hands out is a checked request (at least two preamble bytes, the
// delimiter, four address bytes, a byte count that matches its data, at most 24 data bytes, the
// checksum); and how the bytes were cut into reads does not change which frames are found.
// The first input byte seeds the cut points.
#include "fuzz_check.h"

#include "sim_frame.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct Found {
    std::uint8_t address;
    std::uint8_t command;
    std::vector<std::uint8_t> data;
    bool operator==(const Found &o) const { return address == o.address && command == o.command && data == o.data; }
};

void Collect(const std::vector<sim::RequestFrame> &frames, std::vector<Found> &out)
{
    for (const sim::RequestFrame &f : frames) {
        const std::vector<std::uint8_t> &b = f.bytes;
        std::size_t preamble = 0;
        while (preamble < b.size() && b[preamble] == sim::kPreambleByte)
            ++preamble;
        FUZZ_CHECK(preamble >= sim::kMinPreamble, "at least two preamble bytes");
        FUZZ_CHECK(b.size() == preamble + 1 + 4 + 3 + f.data.size() + 1, "length follows the byte count");
        FUZZ_CHECK(b[preamble] == sim::kRequestDelimiter, "the request delimiter");
        for (std::size_t k = 1; k <= 4; ++k)
            FUZZ_CHECK(b[preamble + k] == 0xFF, "four address bytes");
        FUZZ_CHECK(b[preamble + 5] == f.address && b[preamble + 6] == f.command, "address and command as framed");
        FUZZ_CHECK(b[preamble + 7] == f.data.size() && f.data.size() <= sim::kMaxRequestData, "data count");
        FUZZ_CHECK(sim::xorOf(b.data() + preamble, b.data() + b.size() - 1) == b.back(), "checksum holds");
        out.push_back({f.address, f.command, f.data});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::uint32_t cuts = data[0] * 2654435761u + 1;
    const std::uint8_t *bytes = data + 1;
    const std::size_t count = size - 1;

    std::vector<Found> whole;
    sim::RequestParser one;
    Collect(one.feed(bytes, count), whole);
    Collect(one.lineIdle(), whole);

    std::vector<Found> pieces;
    sim::RequestParser cut;
    for (std::size_t at = 0; at < count;) {
        cuts = cuts * 1103515245u + 12345u;
        const std::size_t n = std::min<std::size_t>(count - at, 1 + (cuts >> 16) % 7);
        Collect(cut.feed(bytes + at, n), pieces);
        at += n;
    }
    Collect(cut.lineIdle(), pieces);
    FUZZ_CHECK(pieces == whole, "the same frames however the bytes arrive");
    FUZZ_CHECK(!one.holdsPartialFrame() && !cut.holdsPartialFrame(), "an idle line holds no partial frame");
    return 0;
}
