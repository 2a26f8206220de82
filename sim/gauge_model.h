#pragma once
// One simulated gauge: its state, its live readings and its answers to the commands it knows.
#include "gauge_state.h"
#include "sim_frame.h"

#include <chrono>
#include <optional>
#include <random>
#include <vector>

namespace sim {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;

// Status byte 0 of an answer: 0 for success, else why the request was refused.
constexpr uint8_t kStatusOk = 0;
constexpr uint8_t kStatusInvalidSelection = 2;
constexpr uint8_t kStatusTooFewDataBytes = 5;
// Status byte 1 bit: the output current is fixed.
constexpr uint8_t kStatusCurrentFixed = 0x08;

struct Reply {
    uint8_t status0 = kStatusOk;
    uint8_t status1 = 0;
    std::vector<uint8_t> payload;   // data after the two status bytes
};

struct Readings {
    float pressure;      // in the gauge's unit
    float current;       // mA
    float um;            // ADC code
    float udif;          // ADC code
    float temperature;   // deg C
};

class Gauge {
public:
    explicit Gauge(uint8_t address, TimePoint now = Clock::now());

    uint8_t address() const { return state_.settings.address; }
    const GaugeState &state() const { return state_; }
    GaugeState &state() { return state_; }

    Readings readings(TimePoint now);
    bool restarting(TimePoint now) const { return now < restartEnds_; }

    // The answer to a request addressed to this gauge, or nothing for a command it does not know
    // (and while it restarts). The request takes effect before the answer is made.
    std::optional<Reply> handle(const RequestFrame &request, TimePoint now);

private:
    void replaceSettings(const GaugeSettings &next);
    float variable(uint8_t code, const Readings &r) const;
    std::optional<uint8_t> rerangeRefusal(uint8_t unit, float lower, float upper) const;
    void applySubRange(float lower, float upper, float ratio);

    GaugeState state_;
    TimePoint born_;
    TimePoint restartEnds_{};
    std::mt19937 noise_;
};

} // namespace sim
