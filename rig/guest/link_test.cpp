// The link through the machine's real drivers, on the 16550A (ttyS1) and on the emulated FTDI
// adapter (ttyUSB0): the same checks the engine and port tests make on a pseudo-terminal.
#include "awaits.h"
#include "rig_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>

#include <asm/termbits.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace rig;
using testsupport::WaitUntil;

namespace {

bool Matches(const QString &text, const char *pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QString::fromUtf8(pattern))).match(text).hasMatch();
}

// The rate the driver really runs the line at, seen through a second descriptor.
unsigned DriverRate(const char *device)
{
    const int fd = open(device, O_RDONLY | O_NOCTTY | O_NONBLOCK);
    termios2 t{};
    const bool ok = fd >= 0 && ioctl(fd, TCGETS2, &t) == 0;
    if (fd >= 0)
        close(fd);
    return ok ? t.c_ospeed : 0;
}

class RigLink : public ::testing::TestWithParam<Wire> {
protected:
    void SetUp() override
    {
        const std::string w = GetParam().name;
        ASSERT_TRUE(Tell("gauges " + w + " 0,5"));
        ASSERT_TRUE(Tell("stage " + w + " 0 100 1"));
        ASSERT_TRUE(Tell("rate " + w + " 9600"));
        ASSERT_TRUE(Tell("turnaround " + w + " 2"));
        ASSERT_TRUE(Tell("reset " + w));
    }
};

} // namespace

TEST_P(RigLink, CommandOneToAddressZeroTracesItsLines)
{
    Link link(GetParam());
    ASSERT_TRUE(link.Open());
    link.Send(0, 1);
    ASSERT_TRUE(WaitUntil([&] { return link.Evaluations() == 1; }, 5000));
    const QStringList &t = link.trace;
    std::printf("[ trace    ] %s\n", qPrintable(t.join(QStringLiteral("\n[ trace    ] "))));
    // Where the driver never reports the end of transmission, the engine adds a line about it.
    const bool ended = !t.contains(QStringLiteral("Передача не завершена: порт не сообщил об окончании передачи"));
    EXPECT_OR_AWAIT(ended, "the transmit end is reported");
    ASSERT_EQ(t.size(), ended ? 15 : 16) << t.join('\n').toStdString();
    EXPECT_EQ(t[0], QStringLiteral("ПЕРЕДАЧА:"));
    EXPECT_TRUE(Matches(t[1], "Время начала отправления сообщения: \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d")) << t[1].toStdString();
    EXPECT_EQ(t[2], QStringLiteral("Преамбула: 255 255 255"));
    EXPECT_EQ(t[3], QStringLiteral("Стартовый байт: 130"));
    EXPECT_EQ(t[4], QStringLiteral("Адрес: 255 255 255 255 0"));
    EXPECT_EQ(t[5], QStringLiteral("Команда: 1"));
    EXPECT_EQ(t[6], QStringLiteral("Размер переданных байт: 0"));
    EXPECT_EQ(t[7], QStringLiteral("Данные: "));
    EXPECT_EQ(t[8], QStringLiteral("Контрольная сумма: 131"));
    EXPECT_EQ(t[9], QStringLiteral("ПРИЕМ:"));
    EXPECT_TRUE(Matches(t[10], "Время начала прихода сообщения: \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d \\(\\+0\\.\\d\\d\\d сек\\)"))
        << t[10].toStdString();
    EXPECT_EQ(t[11], QStringLiteral("Количество принятых байт: 19"));
    EXPECT_EQ(t[12], QStringLiteral("Получен ответ:"));
    EXPECT_EQ(t[13], QStringLiteral(" 255 255 255 134 255 255 255 255 0 1 5 0 0 1 66 200 0 0 9"));
    EXPECT_EQ(t[14], QString());
    EXPECT_EQ(link.answers, 1);
    EXPECT_EQ(RequestsHeard(GetParam()), 1);
}

TEST_P(RigLink, SecondOpeningIsRefusedAsBusy)
{
    Link link(GetParam());
    ASSERT_TRUE(link.Open());
    orv::TVaComm other;
    other.SetDeviceName(QString::fromLatin1(GetParam().device));
    QString message;
    try {
        other.OpenPort();
    } catch (const orv::EVaCommError &e) {
        message = e.message();
    }
    EXPECT_FALSE(other.Active());
    EXPECT_EQ(other.LastErrorCode(), EBUSY);
    EXPECT_TRUE(message.contains(QStringLiteral("(Error 16, Device or resource busy)"))) << message.toStdString();
    link.port.ClosePort();
    other.OpenPort();   // free again once the first has closed
    EXPECT_TRUE(other.Active());
    other.ClosePort();
}

TEST_P(RigLink, EveryRateOfThePortPageRunsOrIsRefused)
{
    Link link(GetParam());
    ASSERT_TRUE(link.Open());
    const std::string w = GetParam().name;
    int exchanges = 0;
    for (int item = 0; item < link.page.ComboBox3->count(); ++item) {
        const int rate = link.page.ComboBox3->itemText(item).toInt();
        const unsigned before = DriverRate(GetParam().device);
        QString refusal;
        link.page.Button15Click();
        link.page.ComboBox3->setCurrentIndex(item);
        link.page.Button14Click();   // opening applies the page's settings
        const bool open = link.port.Active();
        if (!open && !link.messages.isEmpty())
            refusal = link.messages.back();
        const unsigned after = DriverRate(GetParam().device);
        std::printf("[ rate     ] %s %6d: %s, driver runs %u\n", GetParam().name, rate,
                    open ? "accepted" : qPrintable("refused: " + refusal), after);
        if (!open) {
            EXPECT_TRUE(refusal.contains(QStringLiteral("Error writing dcb"))) << refusal.toStdString();
            EXPECT_EQ(after, before);   // the line keeps running at the rate it had
            continue;   // the next rate opens the port again
        }
        EXPECT_OR_AWAIT(after == unsigned(rate), "a rate the driver does not apply is refused");
        // One exchange at that rate, the gauge pacing its answer at the same rate.
        ASSERT_TRUE(Tell("rate " + w + " " + std::to_string(rate)));
        link.settings.ResponseWaitTime = 400 + 31 * 10 * 1000 / rate * 2;
        const int answered = link.answers;
        link.Send(0, 1);
        ++exchanges;
        ASSERT_TRUE(WaitUntil([&] { return link.Evaluations() == exchanges; }, 10000)) << rate;
        EXPECT_OR_AWAIT(link.answers == answered + 1, "exchange answered at every applied rate");
    }
}

TEST_P(RigLink, InjectedFaultsGiveTheirTraceLines)
{
    struct Case {
        const char *fault;
        const char *firstLine;
    };
    const Case cases[] = {
        {"silence", "Отсутствует ответное сообщение"},
        {"preamble-5", "Отсутствует преамбула сообщения"},
        {"delimiter", "Отсутствует преамбула сообщения"},
        {"garbage", "Отсутствует преамбула сообщения"},
        {"short", "Недостаточное количество данных"},
        {"length", "Ошибка длины принятого сообщения"},
        {"checksum", "Ошибка контрольной суммы"},
        {"overflow", "Большой объем данных в буфере приемника"},
        {"preamble-1", "Количество принятых байт: 18"},
        {"chunks", "Количество принятых байт: 19"},
    };
    Link link(GetParam());
    ASSERT_TRUE(link.Open());
    int n = 0;
    for (const Case &c : cases) {
        ASSERT_TRUE(Tell(std::string("fault ") + GetParam().name + " 0 " + c.fault));
        link.Send(0, 1);
        ASSERT_TRUE(WaitUntil([&] { return link.Evaluations() == n + 1; }, 5000)) << c.fault;
        ++n;
        const QStringList lines = link.Evaluation();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines[0], QString::fromUtf8(c.firstLine)) << c.fault << ": " << lines.join(" / ").toStdString();
    }
    EXPECT_EQ(RequestsHeard(GetParam()), n);
}

TEST_P(RigLink, AttemptLimitThreeAgainstASilentGauge)
{
    Link link(GetParam());
    ASSERT_TRUE(link.Open());
    link.attemptLimit = 3;
    link.Send(9, 1);   // nobody at address 9
    ASSERT_TRUE(WaitUntil([&] { return link.giveUps == 1; }, 15000));
    // Where the transmit end never comes, the repeats fall into the first attempt's wait for it.
    const bool ended = !link.trace.contains(QStringLiteral("Передача не завершена: порт не сообщил об окончании передачи"));
    EXPECT_OR_AWAIT(ended, "the transmit end is reported");
    if (ended)
        EXPECT_EQ(RequestsHeard(GetParam()), 3);
    else
        EXPECT_OR_AWAIT(RequestsHeard(GetParam()) == 3, "every attempt goes out on the line");
    EXPECT_TRUE(link.trace.contains(QStringLiteral("Попытка №2")));
    EXPECT_TRUE(link.trace.contains(QStringLiteral("Попытка №3")));
    EXPECT_FALSE(link.trace.contains(QStringLiteral("Попытка №4")));
}

INSTANTIATE_TEST_SUITE_P(Drivers, RigLink, ::testing::Values(kUart, kUsb),
                         [](const ::testing::TestParamInfo<Wire> &p) { return std::string(p.param.name); });
