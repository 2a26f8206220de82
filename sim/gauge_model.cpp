#include "gauge_model.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace sim {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr uint8_t kRestoreKey[] = {0x01, 0x01, 0x01, 0x01};
constexpr uint8_t kRestartKey[] = {0x03, 0x02, 0x01, 0x00};
constexpr uint8_t kDoneCode = 0x00;
constexpr uint8_t kNotDoneCode = 0xFF;
constexpr uint8_t kRefusedRatio = 1, kRefusedUnit = 2, kRefusedLower = 3, kRefusedUpper = 4;
// Float limits typed by a person land a rounding step off the exact ratio; do not refuse for that.
constexpr double kRatioTolerance = 1.0e-5;

// Data bytes a command needs; -1 for a command the gauge does not know.
int requiredDataBytes(uint8_t command)
{
    switch (command) {
    case 1: case 3: case 36: case 37: case 147: case 151: case 152: case 157: case 162:
    case 174: case 181: case 187: case 192: case 194:
        return 0;
    case 6: case 33: case 178: case 193:
        return 1;
    case 34: case 40: case 191: case 196: case 197:
        return 4;
    case 146:
        return 8;
    case 190:
        return 9;
    case 180: case 186:
        return 16;
    default:
        return -1;
    }
}

bool keyMatches(const std::vector<uint8_t> &data, const uint8_t (&key)[4])
{
    return std::equal(std::begin(key), std::end(key), data.begin());
}

// DAC codes are whole 12-bit numbers; a value the DAC cannot take keeps the old code.
float dacCode(float requested, float old)
{
    if (!std::isfinite(requested))
        return old;
    return std::clamp(std::trunc(requested), 0.0f, 4095.0f);
}

void appendFloats(std::vector<uint8_t> &out, std::initializer_list<float> values)
{
    for (float v : values)
        appendFloat(out, v);
}

} // namespace

Gauge::Gauge(uint8_t address, TimePoint now)
    : state_(initialState(address)), born_(now), noise_(address * 7919u + 1u)
{
}

Readings Gauge::readings(TimePoint now)
{
    const GaugeSettings &s = state_.settings;
    Readings r{state_.pressure, 0.0f, state_.um, 0.0f, state_.temperature};
    if (state_.drift) {
        // Slow waves plus a little noise: what a gauge on a steady line shows.
        const double t = std::chrono::duration<double>(now - born_).count();
        const double span = static_cast<double>(s.mainMax) - s.mainMin;
        std::uniform_real_distribution<double> jitter(-1.0, 1.0);
        r.pressure = static_cast<float>(state_.pressure
                                        + span * (0.02 * std::sin(kTwoPi * t / 60.0) + 0.005 * std::sin(kTwoPi * t / 7.3)
                                                  + 0.0005 * jitter(noise_)));
        r.temperature = static_cast<float>(state_.temperature + 0.4 * std::sin(kTwoPi * t / 300.0) + 0.02 * jitter(noise_));
        r.um = static_cast<float>(std::round(state_.um + 15.0 * std::sin(kTwoPi * t / 45.0) + 2.0 * jitter(noise_)));
    }
    const double mainSpan = static_cast<double>(s.mainMax) - s.mainMin;
    const double mainShare = mainSpan != 0.0 ? (r.pressure - s.mainMin) / mainSpan : 0.0;
    r.udif = static_cast<float>(std::round(1200.0 + 52000.0 * mainShare));

    if (state_.currentFixed) {
        r.current = state_.fixedCurrent;
    } else {
        const double subSpan = static_cast<double>(s.subMax) - s.subMin;
        const double share = std::clamp(subSpan != 0.0 ? (r.pressure - s.subMin) / subSpan : 0.0, 0.0, 1.0);
        const double low = currentRangeLow(s), high = currentRangeHigh(s);
        r.current = static_cast<float>(low + (high - low) * share);
    }
    return r;
}

void Gauge::replaceSettings(const GaugeSettings &next)
{
    // The applied pressure does not change with the settings, only the unit it is told in.
    if (next.unitCode != state_.settings.unitCode && isPressureUnit(next.unitCode)
        && isPressureUnit(state_.settings.unitCode))
        state_.pressure = static_cast<float>(state_.pressure * pascalsPerUnit(state_.settings.unitCode)
                                             / pascalsPerUnit(next.unitCode));
    state_.settings = next;
}

float Gauge::variable(uint8_t code, const Readings &r) const
{
    const GaugeSettings &s = state_.settings;
    switch (code) {
    case 0: return r.pressure;
    case 1: return r.current;
    case 2: return r.um;
    case 3: return r.udif;
    case 4: return r.temperature;
    case 6: return s.averaging;
    case 7: return s.subMax;
    case 8: return s.subMin;
    case 9: return s.mainMax;
    case 10: return s.mainMin;
    case 11: return s.modification;
    case 13: return s.dacMin;
    case 14: return s.dacMax;
    case 17: return s.setPoint1;
    case 18: return s.setPoint2;
    case 19: return s.hysteresis;
    case 20: return s.execution;
    default: return 0.0f;   // a code the gauge does not have
    }
}

std::optional<uint8_t> Gauge::rerangeRefusal(uint8_t unit, float lower, float upper) const
{
    const GaugeSettings &s = state_.settings;
    if (unit != s.unitCode)
        return kRefusedUnit;
    if (!(lower >= s.mainMin && lower <= s.mainMax))
        return kRefusedLower;
    if (!(upper >= s.mainMin && upper <= s.mainMax))
        return kRefusedUpper;
    if (!(upper > lower))
        return kRefusedRatio;   // no span left: as far beyond the limit as it gets
    const double ratio = (static_cast<double>(s.mainMax) - s.mainMin) / (static_cast<double>(upper) - lower);
    if (ratio > s.maxRatio * (1.0 + kRatioTolerance))
        return kRefusedRatio;
    return std::nullopt;
}

void Gauge::applySubRange(float lower, float upper, float ratio)
{
    GaugeSettings &s = state_.settings;
    s.subMin = lower;
    s.subMax = upper;
    s.subRatio = ratio;
    setPointsFromPercent(s);   // set points stay where they were relative to the range
}

std::optional<Reply> Gauge::handle(const RequestFrame &request, TimePoint now)
{
    if (restarting(now))
        return std::nullopt;
    const int required = requiredDataBytes(request.command);
    if (required < 0)
        return std::nullopt;

    Reply reply;
    reply.status1 = state_.currentFixed ? kStatusCurrentFixed : 0;
    if (request.data.size() < static_cast<size_t>(required)) {
        reply.status0 = kStatusTooFewDataBytes;
        return reply;
    }

    GaugeSettings &s = state_.settings;
    const std::vector<uint8_t> &in = request.data;
    std::vector<uint8_t> &out = reply.payload;
    switch (request.command) {
    case 1: {
        const Readings r = readings(now);
        out.push_back(s.unitCode);
        appendFloat(out, r.pressure);
        break;
    }
    case 3: {
        const Readings r = readings(now);
        appendFloats(out, {r.current, r.pressure, r.um, r.udif, r.temperature});
        break;
    }
    case 33: {
        const Readings r = readings(now);
        const size_t count = std::min<size_t>(in.size(), 4);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t code = in[i];
            const bool pressureClass = code == 0 || (code >= 7 && code <= 10) || (code >= 17 && code <= 19);
            out.push_back(code);
            out.push_back(pressureClass ? s.unitCode : 0);
            appendFloat(out, variable(code, r));
        }
        break;
    }
    case 6:
        // The new address holds at once and survives a restart; the answer still goes out under
        // the address the request was sent to.
        s.address = in[0];
        state_.saved.address = in[0];
        out.push_back(s.address);
        break;
    case 34: {
        const float requested = floatAt(in, 0);
        if (std::isfinite(requested))
            s.averaging = static_cast<uint8_t>(std::clamp(std::lround(requested), 1L, 50L));
        appendFloat(out, s.averaging);
        break;
    }
    case 36:
    case 37:
        // The simulated pressure is not applied from outside, so a correction has nothing to act on:
        // it is counted and acknowledged with the staged result.
        ++(request.command == 37 ? state_.zeroCorrections : state_.rangeCorrections);
        out.push_back(state_.correctionResult);
        break;
    case 40: {
        const float requested = floatAt(in, 0);
        if (requested == -1.0f) {
            state_.currentFixed = false;
        } else if (std::isfinite(requested)) {
            state_.currentFixed = true;
            state_.fixedCurrent = std::clamp(requested, currentRangeLow(s), currentRangeHigh(s));
        }
        appendFloat(out, state_.currentFixed ? state_.fixedCurrent : -1.0f);
        reply.status1 = state_.currentFixed ? kStatusCurrentFixed : 0;
        break;
    }
    case 146:
        s.dacMin = dacCode(floatAt(in, 0), s.dacMin);
        s.dacMax = dacCode(floatAt(in, 4), s.dacMax);
        appendFloats(out, {s.dacMin, s.dacMax});
        break;
    case 147:
        appendFloats(out, {s.dacMin, s.dacMax});
        break;
    case 151:
        appendFloat(out, s.maxRatio);
        break;
    case 152:
        out.push_back(s.pressureKind);
        break;
    case 157:
        out.push_back(s.currentRange);
        break;
    case 162:
        state_.saved = s;
        break;
    case 174:
        appendFloats(out, {s.serialNumber, s.year});
        break;
    case 178:
        if (isPressureUnit(in[0])) {
            GaugeSettings next = s;
            convertSettingsUnit(next, in[0]);
            replaceSettings(next);
        } else {
            reply.status0 = kStatusInvalidSelection;   // keeps its unit and says which one
        }
        out.push_back(s.unitCode);
        break;
    case 181:
        out.push_back(0);   // the execution number has no unit
        appendFloat(out, s.execution);
        for (float value : {s.setPoint1, s.setPoint2, s.hysteresis}) {
            out.push_back(s.unitCode);
            appendFloat(out, value);
        }
        break;
    case 180:
    case 186:
    case 187: {
        // The execution number and the signalling values, in pressure units or in percent.
        const bool percent = request.command != 180;
        float *const values[] = {&s.execution, percent ? &s.setPoint1Percent : &s.setPoint1,
                                 percent ? &s.setPoint2Percent : &s.setPoint2,
                                 percent ? &s.hysteresisPercent : &s.hysteresis};
        if (request.command != 187) {
            for (size_t i = 0; i < 4; ++i)
                *values[i] = floatAt(in, 4 * i);
            if (percent)
                setPointsFromPercent(s);
            else
                setPointsFromUnits(s);
        }
        for (const float *value : values)
            appendFloat(out, *value);
        break;
    }
    case 190:
    case 191: {
        float lower, upper, ratio;
        std::optional<uint8_t> refusal;
        if (request.command == 190) {
            upper = floatAt(in, 1);
            lower = floatAt(in, 5);
            refusal = rerangeRefusal(in[0], lower, upper);
            ratio = static_cast<float>((static_cast<double>(s.mainMax) - s.mainMin) / (static_cast<double>(upper) - lower));
        } else {
            // A ratio keeps the sub-range at the bottom of the main range.
            ratio = floatAt(in, 0);
            lower = s.mainMin;
            upper = static_cast<float>(s.mainMin + (static_cast<double>(s.mainMax) - s.mainMin) / ratio);
            if (!(ratio >= 1.0f))
                refusal = kRefusedUpper;   // wider than the main range, or not a number
            else if (ratio > s.maxRatio * (1.0 + kRatioTolerance))
                refusal = kRefusedRatio;
        }
        if (refusal) {
            out.push_back(*refusal);   // a one-byte answer is a refusal
            break;
        }
        applySubRange(lower, upper, ratio);
        out.push_back(s.unitCode);
        appendFloats(out, {s.subMax, s.subMin});
        break;
    }
    case 192:
        appendFloat(out, s.subRatio);
        break;
    case 193:
        s.responseDelayMs = in[0];
        out.push_back(s.responseDelayMs);
        break;
    case 194:
        out.push_back(s.responseDelayMs);
        break;
    case 196:
        if (keyMatches(in, kRestoreKey)) {
            // Factory settings, but the gauge stays where the bus expects it.
            GaugeSettings factory = factorySettings(s.address);
            replaceSettings(factory);
            out.push_back(kDoneCode);
        } else {
            out.push_back(kNotDoneCode);
        }
        break;
    case 197:
        if (keyMatches(in, kRestartKey)) {
            // It answers, then comes back from its saved settings after a pause in which it hears nothing.
            replaceSettings(state_.saved);
            state_.currentFixed = false;
            ++state_.restarts;
            restartEnds_ = now + std::chrono::milliseconds(state_.restartMs);
            reply.status1 = 0;
        } else {
            reply.status0 = kStatusInvalidSelection;
        }
        break;
    }
    return reply;
}

} // namespace sim
