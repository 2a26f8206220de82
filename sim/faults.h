#pragma once
// Faults a gauge can be told to commit, and how each one spoils an answer on its way to the line.
#include <chrono>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace sim {

enum class FaultKind {
    None,
    Silence,             // the gauge hears nothing and answers nothing
    Late,                // answer `lateBy` later than usual
    MissingPreamble1,    // two preamble bytes instead of three
    MissingPreamble2,    // one preamble byte
    FivePreamble,        // five preamble bytes
    BadChecksum,
    WrongLength,         // byte count off by `lengthDelta`, checksum made right again
    ShortAnswer,         // only the first `shortLength` (< 11) bytes
    Chunked,             // in pieces of `chunkSize` bytes, `chunkGap` apart
    Overflow,            // 55 bytes: 30, a pause of `chunkGap`, then 25
    OtherAddress,        // claims polling address `claimedAddress` (default: its own + 1)
    WrongDelimiter,      // 0x82 instead of 0x86, checksum made right again
    Garbage,             // `garbage` bytes in front of the answer
    Random,              // each answer: with `probability`, one of the kinds above, drawn with `seed`
};

inline constexpr uint8_t kDefaultGarbage[] = {0x00, 0x55, 0xAA, 0x13, 0x37};

struct FaultSpec {
    FaultKind kind = FaultKind::None;
    std::chrono::milliseconds lateBy{400};
    int lengthDelta = 1;
    size_t shortLength = 10;
    size_t chunkSize = 4;
    std::chrono::milliseconds chunkGap{15};
    std::optional<uint8_t> claimedAddress;
    std::vector<uint8_t> garbage = std::vector<uint8_t>(std::begin(kDefaultGarbage), std::end(kDefaultGarbage));
    double probability = 0.1;
    uint32_t seed = 1;
};

// What goes on the line for one answer: after `delay` (on top of the line turnaround) the chunks,
// each `chunkGap` after the end of the one before.
struct Transmission {
    std::chrono::milliseconds delay{0};
    std::vector<std::vector<uint8_t>> chunks;
    std::chrono::milliseconds chunkGap{0};
    FaultKind fault = FaultKind::None;

    std::vector<uint8_t> bytes() const;
};

// Kinds that the random mode draws from (every kind but None and Random).
const std::vector<FaultKind> &drawableFaults();

// Short names for logs and the command line: "silence", "late", "preamble-1", ...
const char *faultName(FaultKind kind);
std::optional<FaultKind> faultFromName(const std::string &name);

// The answer as `kind` sends it. Silence gives no chunks; Random must be resolved by the caller.
Transmission spoilAnswer(const std::vector<uint8_t> &answer, FaultKind kind, const FaultSpec &spec);

} // namespace sim
