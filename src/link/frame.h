#pragma once
// Long-format frames of the gauges' command/response protocol.
#include <array>
#include <cstdint>
#include <vector>

namespace orv {

constexpr int RequestFrameSize = 36;      // the one outgoing frame buffer
constexpr int RequestHeaderSize = 11;     // preamble, delimiter, five address bytes, command, count
constexpr int MaxRequestDataBytes = RequestFrameSize - RequestHeaderSize - 1;
constexpr int ReceiveLimit = 50;          // bytes the receive handler keeps of one answer
constexpr int ResponseBufferPositions = 59;
constexpr int ResponseOverhead = 14;      // response length = byte count + 14
constexpr int RequestOverhead = 12;       // request length = byte count + 12

constexpr std::uint8_t Preamble = 0xFF;
constexpr std::uint8_t RequestDelimiter = 0x82;
constexpr std::uint8_t ResponseDelimiter = 0x86;

using RequestFrameBuffer = std::array<std::uint8_t, RequestFrameSize>;
// Positions are counted from 1 as the protocol describes them; index 0 is never used.
using ResponseBufferArray = std::array<std::uint8_t, ResponseBufferPositions + 1>;

// XOR of the bytes from the start delimiter through the last data byte.
std::uint8_t RequestChecksum(const RequestFrameBuffer &frame, int byteCount);

// Fills offsets 0..10 and the checksum around the data bytes already at offset 11 onward;
// returns the frame length (byteCount + 12).
int CompleteRequestFrame(RequestFrameBuffer &frame, std::uint8_t pollingAddress, std::uint8_t command,
                         std::uint8_t byteCount);

// Convenience for tests and tools: the whole frame for a command and its data.
std::vector<std::uint8_t> MakeRequestFrame(std::uint8_t pollingAddress, std::uint8_t command,
                                           const std::vector<std::uint8_t> &data);

enum class ResponseVerdict {
    Accepted,
    NothingReceived,   // "Отсутствует ответное сообщение"
    NoPreamble,        // "Отсутствует преамбула сообщения"
    TooShort,          // "Недостаточное количество данных"
    WrongLength,       // "Ошибка длины принятого сообщения"
    WrongChecksum,     // "Ошибка контрольной суммы"
};

struct ResponseCheck {
    ResponseVerdict verdict = ResponseVerdict::NothingReceived;
    int preambleRepair = 0;   // 0xFF bytes put in front of what arrived
    int frameLength = 0;      // byte count + 14, set when accepted
};

// Checks the collected bytes and repairs a preamble that lost one or two bytes, in place:
// after the call, buffer positions 1..receivedCount hold the frame as evaluated.
ResponseCheck CheckResponse(ResponseBufferArray &buffer, int &receivedCount);

} // namespace orv
