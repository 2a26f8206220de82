#include "setup/variable_catalogue.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

struct EntryCase {
    int position;
    int code;
    UnitClass unitClass;
    ValueFormat format;
    const char *listText;
    const char *dataFileName;
};

TEST(VariableCatalogue, PositionsCodesClassesFormatsAndNames)
{
    using U = UnitClass;
    using F = ValueFormat;
    const EntryCase cases[] = {
        {1, 0, U::Pressure, F::Fixed, "1. Давление", "0. Pressure"},
        {2, 1, U::Current, F::Fixed, "2. Токовый сигнал", "1. Iout"},
        {3, 2, U::None, F::Fixed, "3. Um (напряжение моста)", "2. Um"},
        {4, 3, U::None, F::Fixed, "4. Udif (напряжение диагонали моста)", "3. Udif"},
        {5, 4, U::Temperature, F::FiveCharacters, "5. Температура микропроцессора", "4. t_kristall"},
        {6, 6, U::None, F::General, "6. Число измерений при усреднении", nullptr},
        {7, 7, U::Pressure, F::Fixed, "7. Pmax поддиапазона", nullptr},
        {8, 8, U::Pressure, F::Fixed, "8. Pmin поддиапазона", nullptr},
        {9, 9, U::Pressure, F::Fixed, "9. Pmax основного диапазона", nullptr},
        {10, 10, U::Pressure, F::Fixed, "10. Pmin основного диапазона", nullptr},
        {11, 11, U::None, F::Modification, "11. Модификация прибора", nullptr},
        {12, 13, U::None, F::General, "12. ЦАП0 (DacMin)", nullptr},
        {13, 14, U::None, F::General, "13. ЦАП1 (DacMax)", nullptr},
        {14, 17, U::Pressure, F::Fixed, "14. Уставка 1 (МИН)", nullptr},
        {15, 18, U::Pressure, F::Fixed, "15. Уставка 2 (МАКС)", nullptr},
        {16, 19, U::Pressure, F::Fixed, "16. Гистерезис уставок", nullptr},
        {17, 20, U::None, F::General, "17. Исполнение сигнализирующего устройства", nullptr},
    };
    ASSERT_EQ(VariableCatalogue().size(), std::size(cases));
    for (const EntryCase &c : cases) {
        SCOPED_TRACE(c.position);
        const CatalogueEntry *e = CatalogueEntryAt(c.position);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->variableCode, c.code);
        EXPECT_EQ(e->unitClass, c.unitClass);
        EXPECT_EQ(e->valueFormat, c.format);
        EXPECT_EQ(e->listText, QString::fromUtf8(c.listText));
        EXPECT_EQ(e->dataFileName, QString::fromUtf8(c.dataFileName ? c.dataFileName : c.listText));
        EXPECT_EQ(VariableCodeOfPosition(c.position), c.code);
        EXPECT_EQ(PositionOfVariableCode(static_cast<VariableCode>(c.code)), c.position);
    }
}

TEST(VariableCatalogue, CodesAndPositionsOutsideTheCatalogue)
{
    for (int code : {5, 12, 15, 16, 21, 255})
        EXPECT_EQ(PositionOfVariableCode(static_cast<VariableCode>(code)), 0) << code;
    for (int position : {0, 18, -1}) {
        EXPECT_EQ(CatalogueEntryAt(position), nullptr) << position;
        EXPECT_EQ(VariableCodeOfPosition(position), 0) << position;
    }
}

struct FormatCase {
    ValueFormat format;
    const char *fixed;
    const char *shown;
};

TEST(VariableCatalogue, ValueFormats)
{
    using F = ValueFormat;
    const FormatCase cases[] = {
        {F::Fixed, "23,4560000", "23,4560000"},
        {F::FiveCharacters, "23,4560000", "23,45"},
        {F::FiveCharacters, "-5,5000000", "-5,50"},
        {F::FiveCharacters, "100,0000000", "100,0"},
        {F::General, "10,0000000", "10"},
        {F::General, "0,5000000", "0,5"},
        {F::General, "4000,0000000", "4000"},
        {F::Modification, "1,0000000", "КВ-310А"},
        {F::Modification, "2,0000000", "КВ-310Б"},
        {F::Modification, "3,0000000", "КВ-310В"},
        {F::Modification, "4,0000000", "КВ-310Г"},
        {F::Modification, "5,0000000", "5,0000000"},
        {F::Modification, "0,0000000", "0,0000000"},
        {F::Modification, "2,5000000", "2,5000000"},
        {F::Modification, "NAN", "NAN"},
    };
    for (const FormatCase &c : cases)
        EXPECT_EQ(FormatVariableValue(c.format, QString::fromUtf8(c.fixed), QLatin1Char(',')),
                  QString::fromUtf8(c.shown))
            << c.fixed;
}

TEST(VariableCatalogue, ScreenSuffixAndDataFileUnitPart)
{
    using U = UnitClass;
    using F = ValueFormat;
    EXPECT_EQ(ScreenUnitSuffix(U::Pressure, 2), QStringLiteral(", МПа"));
    EXPECT_EQ(ScreenUnitSuffix(U::Pressure, 0), QString());
    EXPECT_EQ(ScreenUnitSuffix(U::Pressure, 10), QString());
    EXPECT_EQ(ScreenUnitSuffix(U::Current, 2), QStringLiteral(", мА"));
    EXPECT_EQ(ScreenUnitSuffix(U::None, 2), QString());
    // The temperature suffix ends in a Latin C, unlike the command-3 row name.
    EXPECT_EQ(ScreenUnitSuffix(U::Temperature, 0), QString::fromUtf16(u", \u00B0C"));

    EXPECT_EQ(DataFileUnitPart(U::Pressure, F::Fixed, 3), QStringLiteral(" kPa"));
    EXPECT_EQ(DataFileUnitPart(U::Pressure, F::Fixed, 0), QStringLiteral(" "));
    EXPECT_EQ(DataFileUnitPart(U::Current, F::Fixed, 3), QStringLiteral(" mA"));
    EXPECT_EQ(DataFileUnitPart(U::Temperature, F::FiveCharacters, 3), QString::fromUtf16(u" \u00B0C"));
    EXPECT_EQ(DataFileUnitPart(U::None, F::Fixed, 3), QStringLiteral(" "));
    EXPECT_EQ(DataFileUnitPart(U::None, F::General, 3), QString());
    EXPECT_EQ(DataFileUnitPart(U::None, F::Modification, 3), QString());
}

} // namespace
} // namespace orv
