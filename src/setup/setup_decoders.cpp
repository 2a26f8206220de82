#include "setup/setup_decoders.h"

#include "gauge/answer_fields.h"
#include "gauge/pressure_units.h"
#include "gauge/gauge_texts.h"

namespace orv {

namespace {

constexpr std::uint8_t CorrectionDoneCode = 0x80;

RangeGroupFill RangeGroup(const ResponseView &answer, int lowerBlock, int upperBlock, QChar separator)
{
    return RangeGroupFill{PressureUnitText(AnswerByte(answer, VariableUnitByte(lowerBlock))).screen,
                          AnswerFloatText(answer, VariableValueByte(lowerBlock), separator),
                          AnswerFloatText(answer, VariableValueByte(upperBlock), separator)};
}

} // namespace

DeviceVariablesAnswer DecodeDeviceVariables(const ResponseView &answer, const VariableSelection &selection,
                                            RangeReadTarget target, QChar separator)
{
    DeviceVariablesAnswer out;
    out.rows = DeviceVariableRows(answer, selection, separator);
    out.nextTarget = target;
    // The range read asks for 8, 7, 10, 9: sub-range lower and upper, main range lower and upper.
    if (target == RangeReadTarget::SubRange) {
        out.subRange = RangeGroup(answer, 0, 1, separator);
        out.nextTarget = RangeReadTarget::None;
    } else if (target == RangeReadTarget::MainRange) {
        out.mainRange = RangeGroup(answer, 2, 3, separator);
        out.nextTarget = RangeReadTarget::None;
    }
    return out;
}

ResultRows DecodeWritePollingAddress(const ResponseView &answer)
{
    return {{text::PollingAddressWritten(), QString::number(AnswerByte(answer, 2))}};
}

ResultRows DecodeWriteAveraging(const ResponseView &answer, QChar separator)
{
    return {{text::AveragingWritten(), AnswerFloatText(answer, 2, separator)}};
}

ResultRows DecodeZeroCorrection(const ResponseView &answer)
{
    return {{text::ZeroCorrection(),
             AnswerByte(answer, 2) == CorrectionDoneCode ? text::CorrectionDone() : text::CorrectionFailed()}};
}

ResultRows DecodeRangeCorrection(const ResponseView &answer)
{
    return {{text::RangeCorrection(),
             AnswerByte(answer, 2) == CorrectionDoneCode ? text::CorrectionDone() : text::CorrectionFailed()}};
}

FixedCurrentAnswer DecodeFixedCurrent(const ResponseView &answer, FixedCurrentMarks marks, QChar separator)
{
    const QString value = AnswerFloatText(answer, 2, separator);
    // The shown value decides, so a current that rounds to -1,0000000 also counts as "off".
    const bool modeOff = GeneralNumberText(value, separator) == text::FixedCurrentOffGeneral();
    FixedCurrentAnswer out;
    if (modeOff)
        out.rows = {{text::FixedCurrentOff(), text::FixedCurrentOffValue()}};
    else
        out.rows = {{text::FixedCurrentSet(), value}};
    out.currentOutput = FixedCurrentAnswerOutcome(modeOff, marks);
    return out;
}

ResultRows DecodeUnitSet(const ResponseView &answer)
{
    const QString unit = PressureUnitText(AnswerByte(answer, 2)).screen;
    if (unit.isEmpty())
        return {{text::UnitName(), text::UnitNotSet()}};
    return {{text::UnitSet(), unit}};
}

} // namespace orv
