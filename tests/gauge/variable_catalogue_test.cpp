#include "gauge/variable_catalogue.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

// Names, unit classes and formats show in the decoder and survey-line tests; here the codes
// that go on the wire.
TEST(VariableCatalogue, PositionsAndCodes)
{
    const int codes[VariableCatalogueSize] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 13, 14, 17, 18, 19, 20};
    ASSERT_EQ(VariableCatalogue().size(), std::size(codes));
    for (int position = 1; position <= VariableCatalogueSize; ++position) {
        const int code = codes[position - 1];
        EXPECT_EQ(VariableCodeOfPosition(position), code) << position;
        EXPECT_EQ(PositionOfVariableCode(static_cast<VariableCode>(code)), position) << position;
        EXPECT_EQ(CatalogueEntryAt(position)->position, position);
    }
    EXPECT_EQ(CatalogueEntryAt(17)->listText, QString::fromUtf8("17. Исполнение сигнализирующего устройства"));
    EXPECT_EQ(CatalogueEntryAt(17)->dataFileName, CatalogueEntryAt(17)->listText);
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
