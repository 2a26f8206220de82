#include "gauge/variable_catalogue.h"

#include "link/value_text.h"
#include "gauge/pressure_units.h"
#include "gauge/gauge_texts.h"
#include "gauge/survey_format.h"

namespace orv {

namespace {

struct Shape {
    VariableCode code;
    UnitClass unitClass;
    ValueFormat format;
};

// Codes 5, 12, 15 and 16 are not offered; the gauge reserves them.
constexpr Shape Shapes[VariableCatalogueSize] = {
    {0, UnitClass::Pressure, ValueFormat::Fixed},
    {1, UnitClass::Current, ValueFormat::Fixed},
    {2, UnitClass::None, ValueFormat::Fixed},
    {3, UnitClass::None, ValueFormat::Fixed},
    {4, UnitClass::Temperature, ValueFormat::FiveCharacters},
    {6, UnitClass::None, ValueFormat::General},
    {7, UnitClass::Pressure, ValueFormat::Fixed},
    {8, UnitClass::Pressure, ValueFormat::Fixed},
    {9, UnitClass::Pressure, ValueFormat::Fixed},
    {10, UnitClass::Pressure, ValueFormat::Fixed},
    {11, UnitClass::None, ValueFormat::Modification},
    {13, UnitClass::None, ValueFormat::General},
    {14, UnitClass::None, ValueFormat::General},
    {17, UnitClass::Pressure, ValueFormat::Fixed},
    {18, UnitClass::Pressure, ValueFormat::Fixed},
    {19, UnitClass::Pressure, ValueFormat::Fixed},
    {20, UnitClass::None, ValueFormat::General},
};

std::vector<CatalogueEntry> MakeCatalogue()
{
    const QStringList &listTexts = text::VariableListTexts();
    const QStringList &fileNames = text::VariableFileNames();
    std::vector<CatalogueEntry> entries;
    entries.reserve(VariableCatalogueSize);
    for (int i = 0; i < VariableCatalogueSize; ++i) {
        CatalogueEntry e;
        e.position = i + 1;
        e.listText = listTexts.at(i);
        e.variableCode = Shapes[i].code;
        e.unitClass = Shapes[i].unitClass;
        e.valueFormat = Shapes[i].format;
        // The first five variables have their own Latin names in the data file.
        e.dataFileName = i < fileNames.size() ? fileNames.at(i) : e.listText;
        entries.push_back(e);
    }
    return entries;
}

bool ParseFixedText(const QString &fixedText, QChar separator, double &value)
{
    QString s = fixedText;
    s.replace(separator, QLatin1Char('.'));
    bool ok = false;
    value = s.toDouble(&ok);   // QString::toDouble always reads the C locale's point
    return ok;
}

} // namespace

const std::vector<CatalogueEntry> &VariableCatalogue()
{
    static const std::vector<CatalogueEntry> catalogue = MakeCatalogue();
    return catalogue;
}

const CatalogueEntry *CatalogueEntryAt(int position)
{
    if (position < 1 || position > VariableCatalogueSize)
        return nullptr;
    return &VariableCatalogue()[static_cast<std::size_t>(position - 1)];
}

const CatalogueEntry *CatalogueEntryOfCode(VariableCode code)
{
    for (const CatalogueEntry &e : VariableCatalogue())
        if (e.variableCode == code)
            return &e;
    return nullptr;
}

VariableCode VariableCodeOfPosition(int position)
{
    const CatalogueEntry *e = CatalogueEntryAt(position);
    return e ? e->variableCode : VariableCode(0);
}

int PositionOfVariableCode(VariableCode code)
{
    const CatalogueEntry *e = CatalogueEntryOfCode(code);
    return e ? e->position : 0;
}

QString ScreenUnitSuffix(UnitClass unitClass, std::uint8_t unitByte)
{
    switch (unitClass) {
    case UnitClass::Pressure: {
        const QString unit = PressureUnitText(unitByte).screen;
        return unit.isEmpty() ? QString() : text::UnitSuffixSeparator() + unit;
    }
    case UnitClass::Current:
        return text::CurrentSuffix();
    case UnitClass::Temperature:
        return text::TemperatureSuffix();
    case UnitClass::None:
        break;
    }
    return QString();
}

QString DataFileUnitPart(UnitClass unitClass, ValueFormat format, std::uint8_t unitByte)
{
    switch (unitClass) {
    case UnitClass::Pressure:
        return text::SurveyBlank() + PressureUnitText(unitByte).dataFile;
    case UnitClass::Current:
        return text::SurveyCurrentUnitPart();
    case UnitClass::Temperature:
        return text::SurveyTemperatureUnitPart();
    case UnitClass::None:
        break;
    }
    // Unitless readings in the fixed format ("Um", "Udif") keep a blank before the semicolon,
    // the counts and codes do not.
    return format == ValueFormat::Fixed || format == ValueFormat::FiveCharacters ? text::SurveyBlank()
                                                                                 : QString();
}

QString FormatVariableValue(ValueFormat format, const QString &fixedText, QChar decimalSeparator)
{
    switch (format) {
    case ValueFormat::Fixed:
        return fixedText;
    case ValueFormat::FiveCharacters:
        return fixedText.left(5);
    case ValueFormat::General:
        return GeneralNumberText(fixedText, decimalSeparator);
    case ValueFormat::Modification: {
        double value = 0.0;
        if (ParseFixedText(fixedText, decimalSeparator, value)) {
            const QStringList &names = text::ModificationNames();
            for (int i = 0; i < names.size(); ++i)
                if (value == i + 1)
                    return names.at(i);
        }
        return fixedText;
    }
    }
    return fixedText;
}

} // namespace orv
