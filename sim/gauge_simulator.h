#pragma once
// A bus of simulated gauges behind a pseudo-terminal: what tests, the gauge_sim tool and the
// program's built-in emulator port all use. No global state: any number of simulators may live
// in one process, and each may be started and stopped again and again.
#include "faults.h"
#include "gauge_bus.h"
#include "gauge_state.h"
#include "pty_endpoint.h"
#include "request_log.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// The gauges an emulator serves when nobody chose others.
inline const std::vector<uint8_t> &DefaultGaugeAddresses()
{
    static const std::vector<uint8_t> addresses{1, 2, 3};
    return addresses;
}

class GaugeSimulator {
public:
    explicit GaugeSimulator(const std::vector<uint8_t> &addresses = DefaultGaugeAddresses());
    ~GaugeSimulator();
    GaugeSimulator(const GaugeSimulator &) = delete;
    GaugeSimulator &operator=(const GaugeSimulator &) = delete;

    // Opens a pseudo-terminal and serves it from a thread of its own until stop().
    bool start(std::string *error = nullptr);
    // Serves an existing wire instead: "unix:PATH" (a stream socket) or a terminal device.
    bool attach(const std::string &where, std::string *error = nullptr) { return endpoint_.attach(where, error); }
    void stop();
    bool isRunning() const { return endpoint_.running(); }
    // The device the program opens, e.g. /dev/pts/7; empty while stopped.
    std::string slavePath() const { return endpoint_.slavePath(); }

    // Gauges may be added, changed and removed at any time, also while serving.
    bool addGauge(uint8_t address);
    bool removeGauge(uint8_t address);
    std::vector<uint8_t> addresses() const { return bus_.addresses(); }
    std::optional<GaugeState> snapshot(uint8_t address) const { return bus_.snapshot(address); }
    bool modify(uint8_t address, const std::function<void(GaugeState &)> &change);
    // Pressure exactly `value` in `unitCode` (ranges follow the unit), with drift off, so the
    // answers carry known bytes.
    bool stagePressure(uint8_t address, float value, uint8_t unitCode);

    bool setFault(uint8_t address, const FaultSpec &fault) { return bus_.setFault(address, fault); }
    void setFaultAll(const FaultSpec &fault) { bus_.setFaultAll(fault); }
    void clearFaults() { bus_.setFaultAll(FaultSpec{}); }

    void setPacing(bool on) { endpoint_.setPacing(on); }
    void setTurnaround(std::chrono::microseconds pause) { endpoint_.setTurnaround(pause); }
    void setLineRate(long bitsPerSecond) { endpoint_.setLineRate(bitsPerSecond); }

    RequestLog &requests() { return log_; }

    // In-process answers, without a terminal: the first request frame found in `request`
    // goes to the bus as if it had come over the line (not logged).
    std::optional<Transmission> transmissionFor(const std::vector<uint8_t> &request);
    // All bytes of that answer, joined; empty when nobody answers.
    std::vector<uint8_t> answerFor(const std::vector<uint8_t> &request);

private:
    GaugeBus bus_;
    RequestLog log_;
    PtyEndpoint endpoint_;
};

} // namespace sim
