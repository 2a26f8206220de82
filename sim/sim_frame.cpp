#include "sim_frame.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace sim {

namespace {

constexpr size_t kAddressBytes = 4;      // FF FF FF FF between delimiter and polling address
constexpr size_t kHeaderAfterDelimiter = kAddressBytes + 3;   // address bytes, polling address, command, count
constexpr size_t kMaxHeldPreamble = 16;  // a run of FF longer than this is noise, not a preamble

size_t preambleRunBefore(const std::vector<uint8_t> &buffer, size_t from, size_t index)
{
    size_t run = 0;
    while (index > from + run && buffer[index - 1 - run] == kPreambleByte)
        ++run;
    return run;
}

} // namespace

uint8_t xorOf(const uint8_t *begin, const uint8_t *end)
{
    uint8_t sum = 0;
    for (const uint8_t *p = begin; p != end; ++p)
        sum ^= *p;
    return sum;
}

std::vector<RequestFrame> RequestParser::feed(const uint8_t *bytes, size_t count)
{
    buffer_.insert(buffer_.end(), bytes, bytes + count);
    return scan(false);
}

std::vector<RequestFrame> RequestParser::lineIdle()
{
    return scan(true);
}

bool RequestParser::holdsPartialFrame() const
{
    for (uint8_t b : buffer_)
        if (b != kPreambleByte)
            return true;
    return false;
}

std::vector<RequestFrame> RequestParser::scan(bool idle)
{
    std::vector<RequestFrame> frames;
    size_t pos = 0;   // everything before pos has been used or thrown away
    for (;;) {
        size_t delimiter = pos;
        while (delimiter < buffer_.size()
               && !(buffer_[delimiter] == kRequestDelimiter
                    && preambleRunBefore(buffer_, pos, delimiter) >= kMinPreamble))
            ++delimiter;
        if (delimiter == buffer_.size()) {
            // Nothing that starts a frame: keep only a trailing preamble run, the next bytes may complete it.
            size_t keep = preambleRunBefore(buffer_, pos, buffer_.size());
            if (keep > kMaxHeldPreamble)
                keep = kMaxHeldPreamble;
            pos = buffer_.size() - keep;
            break;
        }
        const size_t start = delimiter - preambleRunBefore(buffer_, pos, delimiter);
        const size_t available = buffer_.size() - delimiter - 1;

        bool falseStart = false;
        for (size_t k = 1; k <= kAddressBytes && k <= available; ++k)
            falseStart = falseStart || buffer_[delimiter + k] != kPreambleByte;
        if (!falseStart && available >= kHeaderAfterDelimiter
            && buffer_[delimiter + kHeaderAfterDelimiter] > kMaxRequestData)
            falseStart = true;
        if (falseStart) {
            pos = delimiter + 1;
            continue;
        }

        const size_t count = available >= kHeaderAfterDelimiter ? buffer_[delimiter + kHeaderAfterDelimiter] : 0;
        const size_t end = delimiter + kHeaderAfterDelimiter + count + 2;   // one past the checksum
        if (available < kHeaderAfterDelimiter || buffer_.size() < end) {
            if (idle) {   // it will never be completed
                pos = delimiter + 1;
                continue;
            }
            pos = start;
            break;
        }

        const uint8_t *frame = buffer_.data();
        if (xorOf(frame + delimiter, frame + end - 1) != frame[end - 1]) {
            ++badChecksums_;
            pos = delimiter + 1;
            continue;
        }
        RequestFrame request;
        request.bytes.assign(frame + start, frame + end);
        request.address = frame[delimiter + kAddressBytes + 1];
        request.command = frame[delimiter + kAddressBytes + 2];
        request.data.assign(frame + delimiter + kHeaderAfterDelimiter + 1, frame + end - 1);
        frames.push_back(std::move(request));
        pos = end;
    }
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(pos));
    return frames;
}

std::vector<uint8_t> buildAnswer(uint8_t address, uint8_t command, uint8_t status0, uint8_t status1,
                                 const std::vector<uint8_t> &payload)
{
    const uint8_t header[] = {kPreambleByte, kPreambleByte, kPreambleByte, kAnswerDelimiter,
                              0xFF, 0xFF, 0xFF, 0xFF, address, command,
                              static_cast<uint8_t>(payload.size()), status0, status1};
    std::vector<uint8_t> out(sizeof header + payload.size() + 1, 0);
    std::copy(std::begin(header), std::end(header), out.begin());
    std::copy(payload.begin(), payload.end(), out.begin() + sizeof header);
    refreshChecksum(out);
    return out;
}

void refreshChecksum(std::vector<uint8_t> &frame)
{
    if (frame.empty())
        return;
    size_t first = 0;
    while (first + 1 < frame.size() && frame[first] == kPreambleByte)
        ++first;
    frame.back() = xorOf(frame.data() + first, frame.data() + frame.size() - 1);
}

void appendFloat(std::vector<uint8_t> &out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(bits >> shift));
}

float floatAt(const std::vector<uint8_t> &bytes, size_t offset)
{
    uint32_t bits = 0;
    for (size_t i = 0; i < 4; ++i)
        bits = bits << 8 | (offset + i < bytes.size() ? bytes[offset + i] : 0u);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace sim
