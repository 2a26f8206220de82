#pragma once
// The gauge's pressure units: one byte on the wire, a Russian name on screen and a Latin name
// in the survey data files.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace orv {

using PressureUnitCode = std::uint8_t;

struct PressureUnitTexts {
    QString screen;     // "МПа"
    QString dataFile;   // "MPa"
};

// Both texts of a unit code; both empty for codes outside 1..9.
PressureUnitTexts PressureUnitText(int code);

// The code of a unit name typed or chosen by the user: the whole text compared, case-sensitive,
// with the nine screen names; 0 when it is none of them.
PressureUnitCode PressureUnitCodeOfName(const QString &name);

// The nine screen names in code order (the items of the unit combo boxes).
const QStringList &PressureUnitNames();

} // namespace orv
