#include "gauge_state.h"

#include <initializer_list>

namespace sim {

bool isPressureUnit(uint8_t code)
{
    return code >= 1 && code <= 9;
}

double pascalsPerUnit(uint8_t code)
{
    static const double pascals[] = {98066.5, 1.0e6, 1.0e3, 1.0, 9.80665, 101325.0, 133.322387, 9.80665, 1.0e5};
    return isPressureUnit(code) ? pascals[code - 1] : 0.0;
}

GaugeSettings factorySettings(uint8_t address)
{
    GaugeSettings s;
    s.address = address;
    s.serialNumber = static_cast<float>(31000 + address);
    setPointsFromPercent(s);
    return s;
}

GaugeState initialState(uint8_t address)
{
    GaugeState state;
    state.settings = factorySettings(address);
    state.saved = state.settings;
    // Gauges on one bus read different pressures: 30 %..65 % of the range.
    const float span = state.settings.mainMax - state.settings.mainMin;
    state.pressure = state.settings.mainMin + span * (0.30f + 0.05f * static_cast<float>(address % 8));
    return state;
}

void convertSettingsUnit(GaugeSettings &s, uint8_t unitCode)
{
    if (!isPressureUnit(unitCode) || !isPressureUnit(s.unitCode) || unitCode == s.unitCode)
        return;
    const double factor = pascalsPerUnit(s.unitCode) / pascalsPerUnit(unitCode);
    for (float *value : {&s.mainMin, &s.mainMax, &s.subMin, &s.subMax, &s.setPoint1, &s.setPoint2, &s.hysteresis})
        *value = static_cast<float>(*value * factor);
    s.unitCode = unitCode;
}

void setPointsFromPercent(GaugeSettings &s)
{
    const double span = static_cast<double>(s.subMax) - s.subMin;
    s.setPoint1 = static_cast<float>(s.subMin + span * s.setPoint1Percent / 100.0);
    s.setPoint2 = static_cast<float>(s.subMin + span * s.setPoint2Percent / 100.0);
    s.hysteresis = static_cast<float>(span * s.hysteresisPercent / 100.0);
}

void setPointsFromUnits(GaugeSettings &s)
{
    const double span = static_cast<double>(s.subMax) - s.subMin;
    if (span == 0.0)
        return;
    s.setPoint1Percent = static_cast<float>((s.setPoint1 - s.subMin) / span * 100.0);
    s.setPoint2Percent = static_cast<float>((s.setPoint2 - s.subMin) / span * 100.0);
    s.hysteresisPercent = static_cast<float>(s.hysteresis / span * 100.0);
}

float currentRangeLow(const GaugeSettings &s)
{
    return s.currentRange == kCurrentRange0to5 ? 0.0f : 4.0f;
}

float currentRangeHigh(const GaugeSettings &s)
{
    return s.currentRange == kCurrentRange0to5 ? 5.0f : 20.0f;
}

} // namespace sim
