#include "setup/setup_decoders.h"

#include "setup/answer_fields.h"
#include "setup/pressure_units.h"
#include "setup/setup_texts.h"

namespace orv {

namespace {

constexpr std::uint8_t CorrectionDoneCode = 0x80;

// Each variable of a command-33 answer takes six bytes: code, unit byte, single.
constexpr int VariableBlockStart = 2;
constexpr int VariableBlockSize = 6;

int UnitByteOfBlock(int n) { return VariableBlockStart + VariableBlockSize * n + 1; }
int ValueOfBlock(int n) { return VariableBlockStart + VariableBlockSize * n + 2; }

RangeGroupFill RangeGroup(const ResponseView &answer, int lowerBlock, int upperBlock, QChar separator)
{
    return RangeGroupFill{PressureUnitText(AnswerByte(answer, UnitByteOfBlock(lowerBlock))).screen,
                          AnswerFloatText(answer, ValueOfBlock(lowerBlock), separator),
                          AnswerFloatText(answer, ValueOfBlock(upperBlock), separator)};
}

} // namespace

ResultRows DecodePrimaryVariable(const ResponseView &answer, QChar separator)
{
    QString name = text::PressureName();
    const QString unit = PressureUnitText(AnswerByte(answer, 2)).screen;
    if (!unit.isEmpty())
        name += text::UnitSuffixSeparator() + unit;
    return {{name, AnswerFloatText(answer, 3, separator)}};
}

ResultRows DecodeCurrentAndVariables(const ResponseView &answer, QChar separator)
{
    return {
        {text::CurrentRowName(), AnswerFloatText(answer, 2, separator)},
        {text::PressureRowName(), AnswerFloatText(answer, 6, separator)},
        {text::UmRowName(), AnswerFloatText(answer, 10, separator)},
        {text::UdifRowName(), AnswerFloatText(answer, 14, separator)},
        {text::TemperatureRowName(), AnswerFloatText(answer, 18, separator).left(5)},
    };
}

ResultRows DeviceVariableRows(const ResponseView &answer, const VariableSelection &selection, QChar separator)
{
    ResultRows rows;
    for (int n = 0; n < 4; ++n) {
        const std::size_t i = static_cast<std::size_t>(n);
        // The name follows the variable that was asked for; suffix and format follow the list,
        // which differ when the sub-range dialog asked for its own four variables.
        const CatalogueEntry *asked = CatalogueEntryOfCode(selection.requestedCodes[i]);
        const CatalogueEntry *listed = CatalogueEntryAt(selection.selectedPositions[i]);
        const UnitClass unitClass = listed ? listed->unitClass : UnitClass::None;
        const ValueFormat format = listed ? listed->valueFormat : ValueFormat::Fixed;
        QString name = asked ? asked->listText : QString();
        name += ScreenUnitSuffix(unitClass, AnswerByte(answer, UnitByteOfBlock(n)));
        rows.push_back({name, FormatVariableValue(format, AnswerFloatText(answer, ValueOfBlock(n), separator),
                                                  separator)});
    }
    return rows;
}

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
