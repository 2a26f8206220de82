#include "link/frame.h"

#include <algorithm>

namespace orv {

std::uint8_t RequestChecksum(const RequestFrameBuffer &frame, int byteCount)
{
    std::uint8_t sum = 0;
    for (int i = 3; i <= 10 + byteCount; ++i)
        sum ^= frame[static_cast<std::size_t>(i)];
    return sum;
}

int CompleteRequestFrame(RequestFrameBuffer &frame, std::uint8_t pollingAddress, std::uint8_t command,
                         std::uint8_t byteCount)
{
    const int n = std::min<int>(byteCount, MaxRequestDataBytes);
    frame[0] = frame[1] = frame[2] = Preamble;
    frame[3] = RequestDelimiter;
    frame[4] = frame[5] = frame[6] = frame[7] = 0xFF;
    frame[8] = pollingAddress;
    frame[9] = command;
    frame[10] = static_cast<std::uint8_t>(n);
    frame[static_cast<std::size_t>(11 + n)] = RequestChecksum(frame, n);
    return n + RequestOverhead;
}

std::vector<std::uint8_t> MakeRequestFrame(std::uint8_t pollingAddress, std::uint8_t command,
                                           const std::vector<std::uint8_t> &data)
{
    RequestFrameBuffer frame{};
    const std::size_t n = std::min<std::size_t>(data.size(), MaxRequestDataBytes);
    std::copy_n(data.begin(), n, frame.begin() + RequestHeaderSize);
    const int length = CompleteRequestFrame(frame, pollingAddress, command, static_cast<std::uint8_t>(n));
    return {frame.begin(), frame.begin() + length};
}

namespace {

void InsertPreambleBytes(ResponseBufferArray &buffer, int &receivedCount, int missing)
{
    const int last = std::min(receivedCount, ResponseBufferPositions - missing);
    for (int pos = last; pos >= 1; --pos)
        buffer[static_cast<std::size_t>(pos + missing)] = buffer[static_cast<std::size_t>(pos)];
    for (int pos = 1; pos <= missing; ++pos)
        buffer[static_cast<std::size_t>(pos)] = Preamble;
    receivedCount = last + missing;
}

} // namespace

ResponseCheck CheckResponse(ResponseBufferArray &buffer, int &receivedCount)
{
    ResponseCheck result;
    if (receivedCount <= 0)
        return result;

    const auto at = [&buffer](int pos) { return buffer[static_cast<std::size_t>(pos)]; };
    if (at(1) == Preamble && at(2) == Preamble && at(3) == Preamble && at(4) == ResponseDelimiter) {
        // complete
    } else if (at(1) == Preamble && at(2) == Preamble && at(3) == ResponseDelimiter) {
        InsertPreambleBytes(buffer, receivedCount, 1);
        result.preambleRepair = 1;
    } else if (at(1) == Preamble && at(2) == ResponseDelimiter) {
        InsertPreambleBytes(buffer, receivedCount, 2);
        result.preambleRepair = 2;
    } else {
        result.verdict = ResponseVerdict::NoPreamble;
        return result;
    }

    if (receivedCount <= 10) {
        result.verdict = ResponseVerdict::TooShort;
        return result;
    }
    const int expected = at(11) + ResponseOverhead;
    // A frame that only fits the buffer thanks to the repaired preamble cannot be handed on
    // whole; it is refused like any other length fault rather than silently dropped.
    if (receivedCount != expected || expected > ReceiveLimit) {
        result.verdict = ResponseVerdict::WrongLength;
        return result;
    }
    std::uint8_t sum = 0;
    for (int pos = 4; pos <= receivedCount - 1; ++pos)
        sum ^= at(pos);
    if (sum != at(receivedCount)) {
        result.verdict = ResponseVerdict::WrongChecksum;
        return result;
    }
    result.verdict = ResponseVerdict::Accepted;
    result.frameLength = expected;
    return result;
}

} // namespace orv
