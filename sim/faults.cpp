#include "faults.h"

#include "sim_frame.h"

#include <algorithm>

namespace sim {

namespace {

struct NamedFault {
    FaultKind kind;
    const char *name;
};

const NamedFault kNames[] = {
    {FaultKind::None, "none"},
    {FaultKind::Silence, "silence"},
    {FaultKind::Late, "late"},
    {FaultKind::MissingPreamble1, "preamble-1"},
    {FaultKind::MissingPreamble2, "preamble-2"},
    {FaultKind::FivePreamble, "preamble-5"},
    {FaultKind::BadChecksum, "checksum"},
    {FaultKind::WrongLength, "length"},
    {FaultKind::ShortAnswer, "short"},
    {FaultKind::Chunked, "chunks"},
    {FaultKind::Overflow, "overflow"},
    {FaultKind::OtherAddress, "address"},
    {FaultKind::WrongDelimiter, "delimiter"},
    {FaultKind::Garbage, "garbage"},
    {FaultKind::Random, "random"},
};

constexpr size_t kAddressOffset = 8;     // in an answer with three preamble bytes
constexpr size_t kCountOffset = 10;
constexpr size_t kDelimiterOffset = 3;
constexpr size_t kOverflowFirst = 30;
constexpr size_t kOverflowSecond = 25;

std::vector<std::vector<uint8_t>> split(const std::vector<uint8_t> &bytes, size_t size)
{
    std::vector<std::vector<uint8_t>> chunks;
    size = std::max<size_t>(size, 1);
    for (size_t at = 0; at < bytes.size(); at += size)
        chunks.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(at + size, bytes.size())));
    return chunks;
}

} // namespace

std::vector<uint8_t> Transmission::bytes() const
{
    std::vector<uint8_t> all;
    for (const auto &chunk : chunks)
        all.insert(all.end(), chunk.begin(), chunk.end());
    return all;
}

const std::vector<FaultKind> &drawableFaults()
{
    static const std::vector<FaultKind> kinds = [] {
        std::vector<FaultKind> k;
        for (const NamedFault &f : kNames)
            if (f.kind != FaultKind::None && f.kind != FaultKind::Random)
                k.push_back(f.kind);
        return k;
    }();
    return kinds;
}

const char *faultName(FaultKind kind)
{
    for (const NamedFault &f : kNames)
        if (f.kind == kind)
            return f.name;
    return "?";
}

std::optional<FaultKind> faultFromName(const std::string &name)
{
    for (const NamedFault &f : kNames)
        if (name == f.name)
            return f.kind;
    return std::nullopt;
}

Transmission spoilAnswer(const std::vector<uint8_t> &answer, FaultKind kind, const FaultSpec &spec)
{
    Transmission t;
    t.fault = kind;
    std::vector<uint8_t> bytes = answer;
    switch (kind) {
    case FaultKind::None:
    case FaultKind::Random:
        break;
    case FaultKind::Silence:
        return t;
    case FaultKind::Late:
        t.delay = spec.lateBy;
        break;
    case FaultKind::MissingPreamble1:
        bytes.erase(bytes.begin());
        break;
    case FaultKind::MissingPreamble2:
        bytes.erase(bytes.begin(), bytes.begin() + 2);
        break;
    case FaultKind::FivePreamble:
        bytes.insert(bytes.begin(), 2, kPreambleByte);
        break;
    case FaultKind::BadChecksum:
        bytes.back() ^= 0xFF;
        break;
    case FaultKind::WrongLength:
        bytes[kCountOffset] = static_cast<uint8_t>(bytes[kCountOffset] + spec.lengthDelta);
        refreshChecksum(bytes);
        break;
    case FaultKind::ShortAnswer:
        bytes.resize(std::min<size_t>(spec.shortLength, std::min<size_t>(bytes.size(), 10)));
        break;
    case FaultKind::Chunked:
        t.chunks = split(bytes, spec.chunkSize);
        t.chunkGap = spec.chunkGap;
        return t;
    case FaultKind::Overflow: {
        // More than the 50 bytes a receiver keeps for one answer, in two bursts.
        std::vector<uint8_t> flood;
        while (flood.size() < kOverflowFirst + kOverflowSecond)
            flood.insert(flood.end(), bytes.begin(), bytes.end());
        flood.resize(kOverflowFirst + kOverflowSecond);
        t.chunks = split(flood, kOverflowFirst);
        t.chunkGap = spec.chunkGap;
        return t;
    }
    case FaultKind::OtherAddress:
        bytes[kAddressOffset] = spec.claimedAddress ? *spec.claimedAddress : static_cast<uint8_t>(bytes[kAddressOffset] + 1);
        refreshChecksum(bytes);
        break;
    case FaultKind::WrongDelimiter:
        bytes[kDelimiterOffset] = kRequestDelimiter;
        refreshChecksum(bytes);
        break;
    case FaultKind::Garbage:
        bytes.insert(bytes.begin(), spec.garbage.begin(), spec.garbage.end());
        break;
    }
    t.chunks.push_back(std::move(bytes));
    return t;
}

} // namespace sim
