#pragma once
// Every request frame the simulator heard on its line, for tests to look at and wait for.
#include "faults.h"
#include "gauge_model.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace sim {

struct LoggedRequest {
    std::vector<uint8_t> bytes;    // the frame as received
    uint8_t address = 0;
    uint8_t command = 0;
    std::vector<uint8_t> data;
    TimePoint receivedAt;          // when its last byte was read from the line
    bool answered = false;         // some bytes went back
    FaultKind fault = FaultKind::None;   // what was done to the answer
};

class RequestLog {
public:
    void add(LoggedRequest entry);
    void addBadFrames(size_t count);

    std::vector<LoggedRequest> entries() const;
    size_t size() const;
    size_t badFrames() const;     // frames dropped for a wrong checksum
    void clear();

    // True as soon as the log holds at least `count` entries; false after `timeout` without.
    bool waitFor(size_t count, std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable grown_;
    std::vector<LoggedRequest> entries_;
    size_t badFrames_ = 0;
};

} // namespace sim
