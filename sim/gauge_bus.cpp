#include "gauge_bus.h"

#include <algorithm>

namespace sim {

GaugeBus::Slot *GaugeBus::find(uint8_t address)
{
    for (Slot &slot : slots_)
        if (slot.gauge.address() == address)
            return &slot;
    return nullptr;
}

const GaugeBus::Slot *GaugeBus::find(uint8_t address) const
{
    return const_cast<GaugeBus *>(this)->find(address);
}

void GaugeBus::armFault(Slot &slot, const FaultSpec &fault)
{
    slot.fault = fault;
    slot.faultDraw.seed(fault.seed ^ (static_cast<uint32_t>(slot.gauge.address()) << 24));
}

bool GaugeBus::add(uint8_t address)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (slots_.size() >= kMaxGauges || find(address))
        return false;
    slots_.push_back(Slot{Gauge(address), FaultSpec{}, std::mt19937{}});
    return true;
}

bool GaugeBus::remove(uint8_t address)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = std::find_if(slots_.begin(), slots_.end(),
                                 [address](const Slot &slot) { return slot.gauge.address() == address; });
    if (it == slots_.end())
        return false;
    slots_.erase(it);
    return true;
}

std::vector<uint8_t> GaugeBus::addresses() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<uint8_t> list;
    for (const Slot &slot : slots_)
        list.push_back(slot.gauge.address());
    return list;
}

std::optional<GaugeState> GaugeBus::snapshot(uint8_t address) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const Slot *slot = find(address);
    if (!slot)
        return std::nullopt;
    return slot->gauge.state();
}

bool GaugeBus::modify(uint8_t address, const std::function<void(GaugeState &)> &change)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Slot *slot = find(address);
    if (!slot)
        return false;
    change(slot->gauge.state());
    return true;
}

bool GaugeBus::setFault(uint8_t address, const FaultSpec &fault)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Slot *slot = find(address);
    if (!slot)
        return false;
    armFault(*slot, fault);
    return true;
}

void GaugeBus::setFaultAll(const FaultSpec &fault)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (Slot &slot : slots_)
        armFault(slot, fault);
}

std::optional<Transmission> GaugeBus::respond(const RequestFrame &request, TimePoint now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Slot *slot = find(request.address);
    if (!slot)
        return std::nullopt;

    FaultKind kind = slot->fault.kind;
    if (kind == FaultKind::Random) {
        std::uniform_real_distribution<double> chance(0.0, 1.0);
        kind = FaultKind::None;
        if (chance(slot->faultDraw) < slot->fault.probability) {
            const auto &kinds = drawableFaults();
            std::uniform_int_distribution<size_t> pick(0, kinds.size() - 1);
            kind = kinds[pick(slot->faultDraw)];
        }
    }
    // A silent gauge is as good as disconnected: the request does not reach it.
    if (kind == FaultKind::Silence)
        return Transmission{std::chrono::milliseconds(0), {}, std::chrono::milliseconds(0), kind};

    const std::optional<Reply> reply = slot->gauge.handle(request, now);
    if (!reply)
        return std::nullopt;
    const std::vector<uint8_t> answer =
        buildAnswer(request.address, request.command, reply->status0, reply->status1, reply->payload);
    Transmission t = spoilAnswer(answer, kind, slot->fault);
    t.delay += std::chrono::milliseconds(slot->gauge.state().settings.responseDelayMs);
    return t;
}

} // namespace sim
