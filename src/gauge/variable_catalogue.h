#pragma once
// The seventeen gauge variables that command 33 reads, in the order of the variable lists:
// list text, code sent to the gauge, unit class, value format and data-file name.
#include <QChar>
#include <QString>
#include <cstdint>
#include <vector>

namespace orv {

using VariableCode = std::uint8_t;

enum class UnitClass { None, Pressure, Current, Temperature };

enum class ValueFormat {
    Fixed,           // the fixed text, seven decimals
    FiveCharacters,  // its first five characters
    General,         // the number in its shortest general form ("10", "0,5")
    Modification,    // 1..4 as the gauge modification's name, anything else as fixed text
};

struct CatalogueEntry {
    int position = 0;   // 1..17, the place in the lists
    QString listText;
    VariableCode variableCode = 0;
    UnitClass unitClass = UnitClass::None;
    ValueFormat valueFormat = ValueFormat::Fixed;
    QString dataFileName;
};

constexpr int VariableCatalogueSize = 17;

// All seventeen entries, position 1 first.
const std::vector<CatalogueEntry> &VariableCatalogue();

// The entry at a list position, or nullptr outside 1..17.
const CatalogueEntry *CatalogueEntryAt(int position);
// The entry with a variable code, or nullptr for a code the catalogue does not hold (5, 12, 15, 16, 21..).
const CatalogueEntry *CatalogueEntryOfCode(VariableCode code);

// Position -> code (0 outside 1..17) and code -> position (0 when not in the catalogue).
VariableCode VariableCodeOfPosition(int position);
int PositionOfVariableCode(VariableCode code);

// The suffix a variable's name gets on screen: ", " + unit name for the pressure class (nothing
// for a unit byte without a name), ", мА", ", °C", or nothing.
QString ScreenUnitSuffix(UnitClass unitClass, std::uint8_t unitByte);

// The unit part that follows a value in the survey data file (blank included): " " + Latin unit
// for the pressure class (just " " without one), " mA", " °C", a single blank for the other fixed
// values, nothing for general and modification values.
QString DataFileUnitPart(UnitClass unitClass, ValueFormat format, std::uint8_t unitByte);

// A value's fixed text shown in a value format.
QString FormatVariableValue(ValueFormat format, const QString &fixedText, QChar decimalSeparator);

} // namespace orv
