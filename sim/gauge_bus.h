#pragma once
// Up to ten gauges on one line. A request is answered by the gauge with its polling address.
// Every member is safe to call from any thread, also while the line is being served.
#include "faults.h"
#include "gauge_model.h"

#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <vector>

namespace sim {

class GaugeBus {
public:
    static constexpr size_t kMaxGauges = 10;

    // False when the bus is full or the address is taken.
    bool add(uint8_t address);
    bool remove(uint8_t address);
    std::vector<uint8_t> addresses() const;

    std::optional<GaugeState> snapshot(uint8_t address) const;
    // Runs `change` on the gauge's state under the bus lock; it must not call back into the bus.
    bool modify(uint8_t address, const std::function<void(GaugeState &)> &change);

    bool setFault(uint8_t address, const FaultSpec &fault);
    void setFaultAll(const FaultSpec &fault);

    // What goes on the line for this request; nothing when no gauge answers.
    // Should two gauges share an address (after a command 6), the one added first answers.
    std::optional<Transmission> respond(const RequestFrame &request, TimePoint now);

private:
    struct Slot {
        Gauge gauge;
        FaultSpec fault;
        std::mt19937 faultDraw;
    };
    Slot *find(uint8_t address);
    const Slot *find(uint8_t address) const;
    static void armFault(Slot &slot, const FaultSpec &fault);

    mutable std::mutex mutex_;
    std::vector<Slot> slots_;
};

} // namespace sim
