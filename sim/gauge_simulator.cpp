#include "gauge_simulator.h"

namespace sim {

GaugeSimulator::GaugeSimulator(const std::vector<uint8_t> &addresses)
    : endpoint_([this](const RequestFrame &request, TimePoint now) { return bus_.respond(request, now); }, log_)
{
    for (uint8_t address : addresses)
        bus_.add(address);
}

GaugeSimulator::~GaugeSimulator()
{
    stop();
}

bool GaugeSimulator::start(std::string *error)
{
    return endpoint_.start(error);
}

void GaugeSimulator::stop()
{
    endpoint_.stop();
}

bool GaugeSimulator::addGauge(uint8_t address)
{
    return bus_.add(address);
}

bool GaugeSimulator::removeGauge(uint8_t address)
{
    return bus_.remove(address);
}

bool GaugeSimulator::modify(uint8_t address, const std::function<void(GaugeState &)> &change)
{
    return bus_.modify(address, change);
}

bool GaugeSimulator::stagePressure(uint8_t address, float value, uint8_t unitCode)
{
    return bus_.modify(address, [&](GaugeState &state) {
        convertSettingsUnit(state.settings, unitCode);
        state.pressure = value;
        state.drift = false;
    });
}

std::optional<Transmission> GaugeSimulator::transmissionFor(const std::vector<uint8_t> &request)
{
    RequestParser parser;
    const std::vector<RequestFrame> frames = parser.feed(request.data(), request.size());
    if (frames.empty())
        return std::nullopt;
    return bus_.respond(frames.front(), Clock::now());
}

std::vector<uint8_t> GaugeSimulator::answerFor(const std::vector<uint8_t> &request)
{
    const std::optional<Transmission> t = transmissionFor(request);
    return t ? t->bytes() : std::vector<uint8_t>{};
}

} // namespace sim
