#pragma once
// Everything one simulated gauge knows about itself.
#include <cstdint>

namespace sim {

// Pressure unit codes 1..9: kgf/cm2, MPa, kPa, Pa, kgf/m2, atm, mm Hg, mm H2O, bar.
bool isPressureUnit(uint8_t code);
// How many pascals one unit of `code` is; 0 for a code that is no unit.
double pascalsPerUnit(uint8_t code);

constexpr uint8_t kCurrentRange4to20 = 0;
constexpr uint8_t kCurrentRange0to5 = 1;

// The settings a gauge keeps in its memory: a save copies them, a restart brings the saved copy back,
// a factory restore brings back factorySettings(). Pressure values are in unitCode.
struct GaugeSettings {
    uint8_t address = 0;              // polling address
    uint8_t unitCode = 2;             // MPa
    float mainMin = 0.0f;             // main range
    float mainMax = 1.6f;
    float subMin = 0.0f;              // sub-range the output and the percentages refer to
    float subMax = 1.6f;
    float subRatio = 1.0f;            // main span / sub span
    float maxRatio = 5.0f;            // largest ratio a re-ranging may reach
    uint8_t averaging = 1;            // measurements averaged, 1..50
    uint8_t modification = 1;         // 1..4
    float dacMin = 50.0f;             // DAC codes of the lower and upper output current
    float dacMax = 4000.0f;
    uint8_t currentRange = kCurrentRange4to20;
    float execution = 5.0f;           // execution number of the signalling device
    // Set points and hysteresis are kept both ways; writing one way recomputes the other.
    float setPoint1Percent = 20.0f;   // percent of the sub-range
    float setPoint2Percent = 80.0f;
    float hysteresisPercent = 1.0f;
    float setPoint1 = 0.32f;          // in unitCode
    float setPoint2 = 1.28f;
    float hysteresis = 0.016f;
    float serialNumber = 0.0f;
    float year = 2023.0f;
    uint8_t responseDelayMs = 0;      // the gauge waits this long before it answers
    uint8_t pressureKind = 1;         // 1 gauge, 2 gauge-vacuum, 3 vacuum, 4 absolute
};

// What a gauge with this polling address leaves the factory with.
GaugeSettings factorySettings(uint8_t address);

struct GaugeState {
    GaugeSettings settings;
    GaugeSettings saved;              // non-volatile copy
    // The applied pressure, in settings.unitCode. While `drift` is on the readings wander around it;
    // with drift off every reading is exactly this value (tests stage exact bytes that way).
    float pressure = 0.64f;
    bool drift = true;
    float temperature = 24.5f;        // processor temperature, deg C
    float um = 31500.0f;              // bridge voltage, ADC code
    bool currentFixed = false;        // fixed-current mode
    float fixedCurrent = 0.0f;        // mA, while currentFixed
    uint8_t correctionResult = 0x80;  // what zero and range corrections answer (0x80 = done)
    unsigned zeroCorrections = 0;
    unsigned rangeCorrections = 0;
    unsigned restarts = 0;
    unsigned restartMs = 500;         // how long a restart keeps the gauge silent
};

GaugeState initialState(uint8_t address);

// Pressure units change: every pressure setting follows, so the gauge measures the same thing.
void convertSettingsUnit(GaugeSettings &settings, uint8_t unitCode);
// Recompute the set points in pressure units from the percentages (after a re-ranging),
// or the percentages from the pressure values (after those were written).
void setPointsFromPercent(GaugeSettings &settings);
void setPointsFromUnits(GaugeSettings &settings);
// Lower and upper output current of the current range, mA.
float currentRangeLow(const GaugeSettings &settings);
float currentRangeHigh(const GaugeSettings &settings);

} // namespace sim
