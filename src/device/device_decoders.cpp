#include "device/device_decoders.h"

#include "device/device_texts.h"
#include "gauge/answer_fields.h"
#include "widgets/display_colours.h"
#include "gauge/pressure_units.h"
#include "gauge/gauge_texts.h"

#include <algorithm>

namespace orv {

namespace {

constexpr std::uint8_t ResultDone = 0x00;
constexpr std::uint8_t ResultNotDone = 0xFF;
constexpr int ResponseDelayLimit = 250;

QString IntegerPartAt(const ResponseView &answer, int firstDataByte, QChar separator)
{
    return IntegerPartText(AnswerFloatText(answer, firstDataByte, separator), separator);
}

// Text of a one-based code from a list, empty outside it.
QString CodeText(const QStringList &texts, int code)
{
    return code >= 1 && code <= texts.size() ? texts.at(code - 1) : QString();
}

QString CurrentRangeText(std::uint8_t code)
{
    const QStringList &ranges = text::CurrentRangeTexts();
    return code < ranges.size() ? ranges.at(code) : QString();
}

DacCodesAnswer DacCodes(const ResponseView &answer, QChar separator, const QString &lowerName,
                        const QString &upperName)
{
    DacCodesAnswer out;
    out.edits = {IntegerPartAt(answer, 2, separator), IntegerPartAt(answer, 6, separator)};
    out.rows = {{lowerName, out.edits.lower}, {upperName, out.edits.upper}};
    return out;
}

// The rows and edits of the signalling device: execution number (integer part) and three values
// at the given data bytes.
SignalDeviceAnswer SignalDevice(const ResponseView &answer, QChar separator, bool percent,
                                const std::array<int, 4> &valueBytes)
{
    SignalDeviceAnswer out;
    SignalDeviceTexts &d = out.dialog;
    d.execution = IntegerPartAt(answer, valueBytes[0], separator);
    d.setPoint1 = AnswerFloatText(answer, valueBytes[1], separator);
    d.setPoint2 = AnswerFloatText(answer, valueBytes[2], separator);
    d.hysteresis = AnswerFloatText(answer, valueBytes[3], separator);
    out.rows = {
        {text::SignalExecution(), d.execution},
        {percent ? text::SetPoint1Percent() : text::SetPoint1(), d.setPoint1},
        {percent ? text::SetPoint2Percent() : text::SetPoint2(), d.setPoint2},
        {percent ? text::HysteresisPercent() : text::Hysteresis(), d.hysteresis},
    };
    return out;
}

std::optional<QString> UnitCaption(const ResponseView &answer, int dataByte)
{
    const QString unit = PressureUnitText(AnswerByte(answer, dataByte)).screen;
    return unit.isEmpty() ? std::nullopt : std::optional<QString>(unit);
}

bool IsRejection(const ResponseView &answer)
{
    return answer.ByteCount() == 1;
}

// The two rows of a successful re-ranging; the unit name follows a comma when there is one.
ResultRows ReRangedRows(const ResponseView &answer, QChar separator)
{
    const QString unit = PressureUnitText(AnswerByte(answer, 2)).screen;
    const QString suffix = unit.isEmpty() ? QString() : text::UnitSuffixSeparator() + unit;
    return {
        {text::SubRangeUpperReached() + suffix, AnswerFloatText(answer, 3, separator)},
        {text::SubRangeLowerReached() + suffix, AnswerFloatText(answer, 7, separator)},
    };
}

ResponseDelayAnswer ResponseDelay(const ResponseView &answer, const QString &name)
{
    const std::uint8_t delay = AnswerByte(answer, 2);
    ResponseDelayAnswer out;
    out.rows = {{name, QString::number(delay)}};
    out.dialog.trackBarPosition = std::min<int>(delay, ResponseDelayLimit);
    return out;
}

QString ResultCodeText(std::uint8_t code, const QString &done, const QString &notDone)
{
    if (code == ResultDone)
        return done;
    if (code == ResultNotDone)
        return notDone;
    return QString();
}

} // namespace

QString IntegerPartText(const QString &floatText, QChar separator)
{
    const int at = floatText.indexOf(separator);
    return at < 0 ? QString() : floatText.left(at);
}

DacCodesAnswer DecodeWriteDacCodes(const ResponseView &answer, QChar separator)
{
    return DacCodes(answer, separator, text::DacCodeLowerWritten(), text::DacCodeUpperWritten());
}

DacCodesAnswer DecodeReadDacCodes(const ResponseView &answer, QChar separator)
{
    return DacCodes(answer, separator, text::DacCodeLower(), text::DacCodeUpper());
}

ResultRows DecodeCurrentRangeReport(const ResponseView &answer)
{
    const QString range = CurrentRangeText(AnswerByte(answer, 2));
    if (range.isEmpty())
        return {{text::CurrentRange(), text::CurrentRangeNotSet()}};
    return {{text::CurrentRangeSet(), range}};
}

CurrentRangeAnswer DecodeReadCurrentRange(const ResponseView &answer)
{
    CurrentRangeAnswer out;
    out.rangeText = CurrentRangeText(AnswerByte(answer, 2));
    out.rows = {{text::CurrentRange(), out.rangeText.isEmpty() ? text::CurrentRangeNotSet() : out.rangeText}};
    return out;
}

DeviceInfoAnswer DecodeDeviceInfo(const ResponseView &answer, QChar separator)
{
    DeviceInfoAnswer out;
    out.edits = {IntegerPartAt(answer, 2, separator), IntegerPartAt(answer, 6, separator)};
    out.rows = {{text::SerialNumber(), out.edits.serialNumber}, {text::ManufactureYear(), out.edits.year}};
    return out;
}

SignalDeviceAnswer DecodeSignalDeviceUnitsWritten(const ResponseView &answer, QChar separator)
{
    return SignalDevice(answer, separator, false, {2, 6, 10, 14});
}

SignalDeviceAnswer DecodeSignalDeviceUnitsRead(const ResponseView &answer, QChar separator)
{
    // Each value carries its own unit byte in front of it; data byte 2 is not used.
    SignalDeviceAnswer out = SignalDevice(answer, separator, false, {3, 8, 13, 18});
    out.dialog.setPoint1Unit = UnitCaption(answer, 7);
    out.dialog.setPoint2Unit = UnitCaption(answer, 12);
    out.dialog.hysteresisUnit = UnitCaption(answer, 17);
    return out;
}

SignalDeviceAnswer DecodeSignalDevicePercentWritten(const ResponseView &answer, QChar separator)
{
    return SignalDevice(answer, separator, true, {2, 6, 10, 14});
}

SignalDeviceAnswer DecodeSignalDevicePercentRead(const ResponseView &answer, QChar separator)
{
    SignalDeviceAnswer out = SignalDevice(answer, separator, true, {2, 6, 10, 14});
    out.dialog.setPoint1Unit = text::PercentCaption();
    out.dialog.setPoint2Unit = text::PercentCaption();
    out.dialog.hysteresisUnit = text::PercentCaption();
    return out;
}

ResultRows DecodeMaxRatioReport(const ResponseView &answer, QChar separator)
{
    return {{text::MaxRatioReport(), AnswerFloatText(answer, 2, separator)}};
}

SubRangeAnswer DecodeReadMaxRatio(const ResponseView &answer, QChar separator)
{
    SubRangeAnswer out;
    out.dialog.editKoeffOsndiap = AnswerFloatText(answer, 2, separator);
    out.rows = {{text::MaxRatioRead(), *out.dialog.editKoeffOsndiap}};
    return out;
}

SubRangeAnswer DecodeSubRangeByLimits(const ResponseView &answer, QChar separator)
{
    SubRangeAnswer out;
    if (IsRejection(answer)) {
        // The row is used but gets no texts; a code without a message leaves the label as the
        // "Задать" button left it (empty).
        const QString message = CodeText(text::SubRangeErrorTexts(), AnswerByte(answer, 2));
        out.rows = {ResultRowTexts{}};
        out.dialog.labelError =
            LabelMessage{message.isEmpty() ? std::nullopt : std::optional<QString>(message), MessageRed()};
        return out;
    }
    out.rows = ReRangedRows(answer, separator);
    out.dialog.labelError = LabelMessage{text::SubRangeReached(), MessageGreen()};
    return out;
}

SubRangeAnswer DecodeSubRangeByRatio(const ResponseView &answer, QChar separator)
{
    SubRangeAnswer out;
    if (IsRejection(answer)) {
        // Only "further re-ranging is limited" has a message for a ratio.
        const bool limited = AnswerByte(answer, 2) == 1;
        out.rows = {ResultRowTexts{}};
        out.dialog.labelErrorKoeffPodDiap =
            LabelMessage{limited ? std::optional<QString>(text::SubRangeErrorTexts().at(0)) : std::nullopt,
                         MessageRed()};
        return out;
    }
    out.rows = ReRangedRows(answer, separator);
    out.dialog.labelErrorKoeffPodDiap = LabelMessage{text::SubRangeReached(), MessageGreen()};
    out.dialog.labelText = text::SubRangeTextOpen() + AnswerFloatText(answer, 7, separator) +
                           text::SubRangeTextBetween() + AnswerFloatText(answer, 3, separator) +
                           text::SubRangeTextClose() + PressureUnitText(AnswerByte(answer, 2)).screen;
    return out;
}

SubRangeAnswer DecodeReadSubRangeRatio(const ResponseView &answer, QChar separator)
{
    SubRangeAnswer out;
    out.dialog.editKoeffPoddiap = AnswerFloatText(answer, 2, separator);
    out.dialog.labelErrorKoeffPodDiap = LabelMessage{text::SubRangeRatioRead(), MessageGreen()};
    out.rows = {{text::SubRangeRatio(), *out.dialog.editKoeffPoddiap}};
    return out;
}

ResponseDelayAnswer DecodeResponseDelayWritten(const ResponseView &answer)
{
    return ResponseDelay(answer, text::ResponseDelayWritten());
}

ResponseDelayAnswer DecodeResponseDelayRead(const ResponseView &answer)
{
    ResponseDelayAnswer out = ResponseDelay(answer, text::ResponseDelayRead());
    out.dialog.delayCaption = out.rows.front().value + text::MillisecondsSuffix();
    return out;
}

ResultRows DecodePressureKind(const ResponseView &answer)
{
    return {{text::PressureKind(), CodeText(text::PressureKindTexts(), AnswerByte(answer, 2))}};
}

ResultRows DecodeSaveParameters(const ResponseView &)
{
    return {{text::SaveParameters(), text::SaveParametersDone()}};
}

ResultRows DecodeSetPressureUnit(const ResponseView &answer)
{
    return DecodeUnitSet(answer);
}

ResultRows DecodeBackupCopy(const ResponseView &answer)
{
    return {{text::BackupCopy(),
             ResultCodeText(AnswerByte(answer, 2), text::BackupCreated(), text::BackupNotCreated())}};
}

ResultRows DecodeRestoreSettings(const ResponseView &answer)
{
    return {{text::FactorySettings(), ResultCodeText(AnswerByte(answer, 2), text::FactorySettingsRestored(),
                                                     text::FactorySettingsNotRestored())}};
}

} // namespace orv
