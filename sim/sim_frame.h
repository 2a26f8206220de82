#pragma once
// The simulator's own reading of the wire: request frames in, answer frames out.
// Written apart from the program's frame code on purpose, so that one mistake cannot hide behind itself.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

constexpr uint8_t kPreambleByte = 0xFF;
constexpr uint8_t kRequestDelimiter = 0x82;
constexpr uint8_t kAnswerDelimiter = 0x86;
constexpr size_t kMaxRequestData = 24;   // the master's frame buffer holds 36 bytes
constexpr size_t kMinPreamble = 2;       // a request needs at least two preamble bytes to be heard

struct RequestFrame {
    std::vector<uint8_t> bytes;   // as received: preamble run through checksum
    uint8_t address = 0;          // polling address
    uint8_t command = 0;
    std::vector<uint8_t> data;
};

// XOR of [begin, end).
uint8_t xorOf(const uint8_t *begin, const uint8_t *end);

// Collects bytes from the line and cuts complete, checked request frames out of them.
// Garbage before a frame is skipped; a frame with a bad checksum is dropped and the search goes on
// one byte after its delimiter, so a good frame hidden behind a false start is still found.
class RequestParser {
public:
    std::vector<RequestFrame> feed(const uint8_t *bytes, size_t count);
    // The line has been quiet: a frame still waiting for bytes will not get them. Give it up and
    // look again at what came after its delimiter.
    std::vector<RequestFrame> lineIdle();
    // True while bytes are held that could still become (part of) a frame.
    bool holdsPartialFrame() const;
    size_t badChecksums() const { return badChecksums_; }

private:
    std::vector<RequestFrame> scan(bool idle);
    std::vector<uint8_t> buffer_;
    size_t badChecksums_ = 0;
};

// FF FF FF 86, FF FF FF FF, address, command, N, status0, status1, payload (N bytes), checksum.
// N does not count the status bytes, so the answer is N + 14 bytes long.
std::vector<uint8_t> buildAnswer(uint8_t address, uint8_t command, uint8_t status0, uint8_t status1,
                                 const std::vector<uint8_t> &payload);

// Puts the checksum of an answer or request right again after a byte of it was changed on purpose.
// The checksum covers the first byte after the preamble run through the byte before the checksum.
void refreshChecksum(std::vector<uint8_t> &frame);

// IEEE single, most significant byte first.
void appendFloat(std::vector<uint8_t> &out, float value);
float floatAt(const std::vector<uint8_t> &bytes, size_t offset);

} // namespace sim
