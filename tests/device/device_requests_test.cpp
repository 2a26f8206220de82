#include "device/device_requests.h"
#include "link/frame.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FrameTo0(const Request &r)
{
    return MakeRequestFrame(0, r.command, r.data);
}

TEST(DeviceRequests, MenuCommandFramesToAddressZero)
{
    EXPECT_EQ(FrameTo0(BuildRestoreSettings()),
              (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC4, 0x04, 0x01, 0x01, 0x01, 0x01, 0x42}));
    EXPECT_EQ(FrameTo0(BuildRestart()),
              (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC5, 0x04, 0x03, 0x02, 0x01, 0x00, 0x43}));
    EXPECT_EQ(FrameTo0(BuildSaveParameters()),
              (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xA2, 0x00, 0x20}));
    EXPECT_EQ(FrameTo0(BuildWriteResponseDelay(120)),
              (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC1, 0x01, 0x78, 0x3A}));
}

TEST(DeviceRequests, ReadsWithoutData)
{
    const struct {
        Request request;
        int command;
    } cases[] = {
        {BuildReadDacCodes(), 147},
        {BuildReadCurrentRange(), 157},
        {BuildReadDeviceInfo(), 174},
        {BuildReadSignalDevice(SignalUnits::Percent), 187},
        {BuildReadSignalDevice(SignalUnits::PressureUnits), 181},
        {BuildReadSubRangeRatio(), 192},
        {BuildReadMaxRatio(), 151},
        {BuildReadResponseDelay(), 194},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.request, (Request{static_cast<std::uint8_t>(c.command), {}}));
    EXPECT_EQ(BuildReadRanges(), (Request{33, {8, 7, 10, 9}}));
    EXPECT_EQ(BuildWriteResponseDelay(250), (Request{193, {250}}));
    EXPECT_EQ(BuildWriteResponseDelay(0), (Request{193, {0}}));
}

TEST(DeviceRequests, PressureUnitByName)
{
    const struct {
        const char *name;
        int code;
    } cases[] = {{"Bar", 9}, {"кгс/см2", 1}, {"МПа", 2}, {"мм вод.ст.", 8}, {"bar", 0}, {"psi", 0}};
    for (const auto &c : cases) {
        const BuiltRequest b = BuildSetPressureUnit(QString::fromUtf8(c.name));
        ASSERT_TRUE(b.request) << c.name;
        EXPECT_EQ(*b.request, (Request{178, {static_cast<std::uint8_t>(c.code)}})) << c.name;
    }
    // An empty text sends nothing and says nothing.
    const BuiltRequest empty = BuildSetPressureUnit(QString());
    EXPECT_FALSE(empty.request);
    EXPECT_TRUE(empty.errorMessage.isEmpty());
}

TEST(DeviceRequests, ValuesFromTypedTexts)
{
    const BuiltRequest limits = BuildSubRangeByLimits({QStringLiteral("МПа"), QStringLiteral("0,5"), QStringLiteral("2.5")});
    ASSERT_TRUE(limits.request);
    EXPECT_EQ(*limits.request, (Request{190, {0x02, 0x40, 0x20, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00}}));
    const BuiltRequest unknownUnit = BuildSubRangeByLimits({QStringLiteral("Мпа"), QStringLiteral("0"), QStringLiteral("1")});
    ASSERT_TRUE(unknownUnit.request);
    EXPECT_EQ(unknownUnit.request->data.at(0), 0);

    const BuiltRequest signal = BuildWriteSignalDevice(
        SignalUnits::Percent, {QStringLiteral("5"), QStringLiteral("20"), QStringLiteral("80"), QStringLiteral("1")});
    ASSERT_TRUE(signal.request);
    EXPECT_EQ(*signal.request, (Request{186, {0x40, 0xA0, 0x00, 0x00, 0x41, 0xA0, 0x00, 0x00, 0x42, 0xA0, 0x00, 0x00,
                                              0x3F, 0x80, 0x00, 0x00}}));
    const BuiltRequest units = BuildWriteSignalDevice(
        SignalUnits::PressureUnits, {QStringLiteral("5"), QStringLiteral("20"), QStringLiteral("80"), QStringLiteral("1")});
    ASSERT_TRUE(units.request);
    EXPECT_EQ(units.request->command, 180);

    const BuiltRequest dac = BuildWriteDacCodes(QStringLiteral("50"), QStringLiteral("5000"));
    ASSERT_TRUE(dac.request);
    EXPECT_EQ(*dac.request, (Request{146, {0x42, 0x48, 0x00, 0x00, 0x45, 0x9C, 0x40, 0x00}}));

    const BuiltRequest ratio = BuildSubRangeByRatio(QStringLiteral("1.5"));
    ASSERT_TRUE(ratio.request);
    EXPECT_EQ(*ratio.request, (Request{191, {0x3F, 0xC0, 0x00, 0x00}}));
}

TEST(DeviceRequests, TheFirstRefusedTextStopsTheRequest)
{
    const struct {
        BuiltRequest built;
        const char *message;
    } cases[] = {
        // The upper limit is converted first.
        {BuildSubRangeByLimits({QStringLiteral("МПа"), QStringLiteral("x"), QStringLiteral("y")}), "'y' is not a valid floating point value"},
        {BuildWriteSignalDevice(SignalUnits::Percent, {QStringLiteral("5"), QStringLiteral("20"), QString(), QStringLiteral("z")}),
         "'' is not a valid floating point value"},
        {BuildWriteDacCodes(QStringLiteral("5a"), QStringLiteral("4000")), "'5a' is not a valid floating point value"},
        {BuildSubRangeByRatio(QStringLiteral("1.2.3")), "'1,2.3' is not a valid floating point value"},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(c.built.request);
        EXPECT_EQ(c.built.errorMessage, QString::fromUtf8(c.message));
    }
}

TEST(DeviceRequests, FixedCurrentButtons)
{
    const QString range420 = QStringLiteral("(4...20) мА");
    const QString range05 = QStringLiteral("(0...5) мА");
    const struct {
        FixedCurrentButton button;
        QString range;
        std::vector<std::uint8_t> data;
    } cases[] = {
        {FixedCurrentButton::DacMin, range420, {0x40, 0x80, 0x00, 0x00}},
        {FixedCurrentButton::DacMax, range420, {0x41, 0xA0, 0x00, 0x00}},
        {FixedCurrentButton::DacMin, range05, {0x00, 0x00, 0x00, 0x00}},
        {FixedCurrentButton::DacMax, range05, {0x40, 0xA0, 0x00, 0x00}},
        {FixedCurrentButton::Off, range05, {0xBF, 0x80, 0x00, 0x00}},
        {FixedCurrentButton::Off, QStringLiteral("?"), {0xBF, 0x80, 0x00, 0x00}},
    };
    for (const auto &c : cases) {
        const BuiltRequest b = BuildFixedCurrentForButton(c.button, c.range);
        ASSERT_TRUE(b.request);
        EXPECT_EQ(*b.request, (Request{40, c.data}));
    }
    const BuiltRequest neither = BuildFixedCurrentForButton(FixedCurrentButton::DacMax, QStringLiteral("(4...20)"));
    EXPECT_FALSE(neither.request);
    EXPECT_EQ(neither.errorMessage, QStringLiteral("'' is not a valid floating point value"));
}

} // namespace
} // namespace orv
