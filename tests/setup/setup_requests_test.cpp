#include "link/frame.h"
#include "setup/confirmation_questions.h"
#include "setup/setup_requests.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SetupRequests, RequestsWithoutValues)
{
    const struct {
        Request request;
        int command;
    } cases[] = {
        {BuildReadPrimary(), 1},
        {BuildReadCurrentAndVariables(), 3},
        {BuildZeroCorrection(), 37},
        {BuildRangeCorrection(), 36},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.request.command, c.command);
        EXPECT_EQ(c.request.ByteCount(), 0);
    }
    const Request r = BuildReadPrimary();
    EXPECT_EQ(MakeRequestFrame(0, r.command, r.data),
              (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00, 0x83}));
}

TEST(SetupRequests, ReadVariablesSendsTheCodesOfTheSelectedPositions)
{
    EXPECT_EQ(BuildReadVariables({1, 5, 6, 11}), (Request{33, {0, 4, 6, 11}}));
    EXPECT_EQ(BuildReadVariables({17, 12, 13, 14}), (Request{33, {20, 13, 14, 17}}));
    EXPECT_EQ(BuildReadVariables({2, 2, 2, 2}), (Request{33, {1, 1, 1, 1}}));
}

TEST(SetupRequests, PollingAddressTakesTheLowEightBits)
{
    const struct {
        const char *text;
        int sent;
    } accepted[] = {{"1", 1}, {"300", 44}, {"255", 255}, {"256", 0}, {" 7", 7}, {"-1", 255}};
    for (const auto &c : accepted) {
        const BuiltRequest b = BuildWritePollingAddress(QString::fromUtf8(c.text));
        ASSERT_TRUE(b.request) << c.text;
        EXPECT_EQ(*b.request, (Request{6, {static_cast<std::uint8_t>(c.sent)}})) << c.text;
    }
    for (const char *text : {"", "abc", "1,5", "12a"}) {
        const BuiltRequest b = BuildWritePollingAddress(QString::fromUtf8(text));
        EXPECT_FALSE(b.request) << text;
        EXPECT_EQ(b.errorMessage, QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)));
    }
}

TEST(SetupRequests, AveragingCountTravelsAsASingle)
{
    EXPECT_EQ(BuildWriteAveraging(10), (Request{34, {0x41, 0x20, 0x00, 0x00}}));
    EXPECT_EQ(BuildWriteAveraging(1), (Request{34, {0x3F, 0x80, 0x00, 0x00}}));
    EXPECT_EQ(BuildWriteAveraging(50), (Request{34, {0x42, 0x48, 0x00, 0x00}}));
}

TEST(SetupRequests, FixedCurrentAcceptsCommaOrPoint)
{
    const struct {
        const char *text;
        Bytes data;
    } accepted[] = {
        {"12,5", {0x41, 0x48, 0x00, 0x00}},
        {"12.5", {0x41, 0x48, 0x00, 0x00}},
        {"-1", {0xBF, 0x80, 0x00, 0x00}},
        {"4", {0x40, 0x80, 0x00, 0x00}},
    };
    for (const auto &c : accepted) {
        const BuiltRequest b = BuildFixedCurrent(QString::fromUtf8(c.text));
        ASSERT_TRUE(b.request) << c.text;
        EXPECT_EQ(*b.request, (Request{40, c.data})) << c.text;
    }
    const BuiltRequest bad = BuildFixedCurrent(QStringLiteral("12.3.4"));
    EXPECT_FALSE(bad.request);
    EXPECT_EQ(bad.errorMessage, QStringLiteral("'12,3.4' is not a valid floating point value"));
    EXPECT_FALSE(BuildFixedCurrent(QString()).request);
}

TEST(SetupRequests, ConfirmationQuestionsKeepTheirLeadingBlanks)
{
    const struct {
        int command;
        int leadingBlanks;
        const char *words;
    } cases[] = {
        {37, 5, "Выполнить коррекцию НУЛЯ?"},
        {36, 0, "Выполнить коррекцию ДИАПАЗОНА?"},
        {162, 13, "Сохранить данные?"},
        {196, 2, "Восстановить настройки прибора?"},
        {197, 4, "Выполнить перезагрузку прибора?"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ConfirmationQuestion(static_cast<std::uint8_t>(c.command)),
                  QString(c.leadingBlanks, QLatin1Char(' ')) + QString::fromUtf8(c.words));
    EXPECT_TRUE(ConfirmationQuestion(1).isEmpty());
}

} // namespace
} // namespace orv
