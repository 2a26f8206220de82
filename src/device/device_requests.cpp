#include "device/device_requests.h"

#include "device/device_texts.h"
#include "link/value_text.h"
#include "gauge/pressure_units.h"
#include "setup/setup_requests.h"

#include <algorithm>

namespace orv {

namespace {

constexpr std::uint8_t CommandWriteDacCodes = 146;
constexpr std::uint8_t CommandReadDacCodes = 147;
constexpr std::uint8_t CommandReadMaxRatio = 151;
constexpr std::uint8_t CommandReadCurrentRange = 157;
constexpr std::uint8_t CommandSaveParameters = 162;
constexpr std::uint8_t CommandReadDeviceInfo = 174;
constexpr std::uint8_t CommandSetPressureUnit = 178;
constexpr std::uint8_t CommandWriteSignalUnits = 180;
constexpr std::uint8_t CommandReadSignalUnits = 181;
constexpr std::uint8_t CommandWriteSignalPercent = 186;
constexpr std::uint8_t CommandReadSignalPercent = 187;
constexpr std::uint8_t CommandSubRangeByLimits = 190;
constexpr std::uint8_t CommandSubRangeByRatio = 191;
constexpr std::uint8_t CommandReadSubRangeRatio = 192;
constexpr std::uint8_t CommandWriteResponseDelay = 193;
constexpr std::uint8_t CommandReadResponseDelay = 194;
constexpr std::uint8_t CommandRestoreSettings = 196;
constexpr std::uint8_t CommandRestart = 197;
constexpr std::uint8_t CommandReadVariables = 33;

constexpr int ResponseDelayLimit = 250;

// Converts the texts in the given order and appends their bytes; the first refused text stops it.
BuiltRequest FloatsRequest(std::uint8_t command, std::vector<std::uint8_t> prefix,
                           std::initializer_list<const QString *> texts)
{
    Request r{command, std::move(prefix)};
    for (const QString *t : texts) {
        QString error;
        const std::optional<FloatBytes> bytes = TextToFloatBytes(*t, &error);
        if (!bytes)
            return BuiltRequest::Refuse(error);
        r.data.insert(r.data.end(), bytes->begin(), bytes->end());
    }
    return BuiltRequest::Send(r);
}

} // namespace

Request BuildSaveParameters()
{
    return Request{CommandSaveParameters, {}};
}

Request BuildRestoreSettings()
{
    return Request{CommandRestoreSettings, {0x01, 0x01, 0x01, 0x01}};
}

Request BuildRestart()
{
    return Request{CommandRestart, {0x03, 0x02, 0x01, 0x00}};
}

BuiltRequest BuildSetPressureUnit(const QString &unitText)
{
    if (unitText.isEmpty())
        return BuiltRequest{};
    return BuiltRequest::Send(Request{CommandSetPressureUnit, {PressureUnitCodeOfName(unitText)}});
}

Request BuildReadCurrentRange()
{
    return Request{CommandReadCurrentRange, {}};
}

Request BuildReadDacCodes()
{
    return Request{CommandReadDacCodes, {}};
}

BuiltRequest BuildWriteDacCodes(const QString &lowerCodeText, const QString &upperCodeText)
{
    return FloatsRequest(CommandWriteDacCodes, {}, {&lowerCodeText, &upperCodeText});
}

QString FixedCurrentValueText(FixedCurrentButton button, const QString &rangeText)
{
    if (button == FixedCurrentButton::Off)
        return text::FixedCurrentRelease();
    const QStringList &ranges = text::CurrentRangeTexts();
    const bool upper = button == FixedCurrentButton::DacMax;
    if (rangeText == ranges.at(0))
        return upper ? text::FixedCurrentUpper420() : text::FixedCurrentLower420();
    if (rangeText == ranges.at(1))
        return upper ? text::FixedCurrentUpper05() : text::FixedCurrentLower05();
    return QString();
}

BuiltRequest BuildFixedCurrentForButton(FixedCurrentButton button, const QString &rangeText)
{
    return BuildFixedCurrent(FixedCurrentValueText(button, rangeText));
}

Request BuildReadDeviceInfo()
{
    return Request{CommandReadDeviceInfo, {}};
}

Request BuildReadSignalDevice(SignalUnits units)
{
    return Request{units == SignalUnits::Percent ? CommandReadSignalPercent : CommandReadSignalUnits, {}};
}

BuiltRequest BuildWriteSignalDevice(SignalUnits units, const SignalDeviceInput &input)
{
    return FloatsRequest(units == SignalUnits::Percent ? CommandWriteSignalPercent : CommandWriteSignalUnits, {},
                         {&input.execution, &input.setPoint1, &input.setPoint2, &input.hysteresis});
}

Request BuildReadRanges()
{
    // Sub-range lower and upper limit, main range lower and upper limit.
    return Request{CommandReadVariables, {8, 7, 10, 9}};
}

BuiltRequest BuildSubRangeByLimits(const SubRangeLimitsInput &input)
{
    // The upper limit travels before the lower one.
    return FloatsRequest(CommandSubRangeByLimits, {PressureUnitCodeOfName(input.unitText)},
                         {&input.upperLimit, &input.lowerLimit});
}

BuiltRequest BuildSubRangeByRatio(const QString &ratioText)
{
    return FloatsRequest(CommandSubRangeByRatio, {}, {&ratioText});
}

Request BuildReadSubRangeRatio()
{
    return Request{CommandReadSubRangeRatio, {}};
}

Request BuildReadMaxRatio()
{
    return Request{CommandReadMaxRatio, {}};
}

Request BuildWriteResponseDelay(int trackBarPosition)
{
    return Request{CommandWriteResponseDelay,
                   {static_cast<std::uint8_t>(std::clamp(trackBarPosition, 0, ResponseDelayLimit))}};
}

Request BuildReadResponseDelay()
{
    return Request{CommandReadResponseDelay, {}};
}

} // namespace orv
