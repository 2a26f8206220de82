#include "gauge/pressure_units.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

struct UnitCase {
    int code;
    const char *screen;
    const char *dataFile;
};

TEST(PressureUnits, CodesGiveScreenAndDataFileTexts)
{
    const UnitCase cases[] = {
        {1, "кгс/см2", "kgf/cm2"}, {2, "МПа", "MPa"},     {3, "кПа", "kPa"},
        {4, "Па", "Pa"},           {5, "кгс/м2", "kgf/m2"}, {6, "атм", "atm"},
        {7, "мм рт.ст.", "mm Hg"}, {8, "мм вод.ст.", "mm H2O"}, {9, "Bar", "Bar"},
        {0, "", ""},               {10, "", ""},          {255, "", ""},
        {-1, "", ""},
    };
    for (const UnitCase &c : cases) {
        SCOPED_TRACE(c.code);
        const PressureUnitTexts t = PressureUnitText(c.code);
        EXPECT_EQ(t.screen, QString::fromUtf8(c.screen));
        EXPECT_EQ(t.dataFile, QString::fromUtf8(c.dataFile));
    }
}

TEST(PressureUnits, NameToCodeComparesTheWholeTextCaseSensitively)
{
    for (int code = 1; code <= 9; ++code)
        EXPECT_EQ(PressureUnitCodeOfName(PressureUnitText(code).screen), code);
    EXPECT_EQ(PressureUnitCodeOfName(QStringLiteral("Bar")), 9);
    const char *unknown[] = {"", "bar", "BAR", "мпа", "МПа ", " МПа", "MPa", "кгс/см", "мм рт.ст"};
    for (const char *name : unknown)
        EXPECT_EQ(PressureUnitCodeOfName(QString::fromUtf8(name)), 0) << name;
    EXPECT_EQ(PressureUnitNames().size(), 9);
}

} // namespace
} // namespace orv
