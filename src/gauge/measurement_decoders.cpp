#include "gauge/measurement_decoders.h"

#include "gauge/answer_fields.h"
#include "gauge/gauge_texts.h"
#include "gauge/pressure_units.h"

namespace orv {

namespace {
constexpr int VariableBlockStart = 2;
constexpr int VariableBlockSize = 6;
} // namespace

int VariableUnitByte(int block) { return VariableBlockStart + VariableBlockSize * block + 1; }
int VariableValueByte(int block) { return VariableBlockStart + VariableBlockSize * block + 2; }

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
        name += ScreenUnitSuffix(unitClass, AnswerByte(answer, VariableUnitByte(n)));
        rows.push_back({name, FormatVariableValue(format, AnswerFloatText(answer, VariableValueByte(n), separator),
                                                  separator)});
    }
    return rows;
}

} // namespace orv
