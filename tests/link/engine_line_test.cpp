// The engine, the serial port component and the gauge simulator together, over a pseudo-terminal.
#include "gauge_simulator.h"
#include "link/serial_port.h"
#include "link/transaction_engine.h"
#include "support/wait_until.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

using namespace orv;
using testsupport::WaitUntil;

namespace {

struct Line {
    LinkSettings settings;
    TVaComm port;
    TransactionEngine engine{port, settings};
    sim::GaugeSimulator simulator{{0, 5}};
    QStringList trace;
    int attemptLimit = 1;
    int answers = 0, giveUps = 0;

    Line()
    {
        settings.ResponseWaitTime = 150;
        if (!simulator.start())
            return;
        simulator.stagePressure(0, 100.0f, 1);
        QObject::connect(&port, &TVaComm::OnRxChar, &engine, &TransactionEngine::VaComm1RxChar);
        QObject::connect(&port, &TVaComm::OnTxEmpty, &engine, &TransactionEngine::VaComm1OnTxEmpty);
        port.SetDeviceName(QString::fromStdString(simulator.slavePath()));
        port.OpenPort();
        port.SetDtrLevel(true);
        engine.SetTraceSink([this](const QString &line) { trace << line; });
        ExchangeHooks &hooks = engine.Hooks();
        hooks.setupAnswerHead = [this](const ResponseView &) { ++answers; };
        hooks.setupGiveUp = [this] { ++giveUps; };
        hooks.attemptLimit = [this] { return attemptLimit; };
        hooks.setupRepeat = [this] { Send(engine.CurrentRequest().address, engine.CurrentRequest().command); };
    }
    ~Line()
    {
        port.ClosePort();
        simulator.stop();
    }

    void Send(std::uint8_t address, std::uint8_t command)
    {
        port.PurgeInput();
        port.PurgeOutput();
        engine.ClearReceiveBuffer();
        engine.StartExchange(ExchangeRequest::Make(SetupExchange, address, command));
    }
    int Evaluations() const { return static_cast<int>(trace.count(QString())); }
    QStringList Evaluation() const
    {
        const int start = static_cast<int>(trace.lastIndexOf(QStringLiteral("ПРИЕМ:"))) + 1;
        QStringList out;
        for (int i = start; i < trace.size(); ++i)
            if (!trace[i].startsWith(QStringLiteral("Время начала прихода")))
                out << trace[i];
        return out;
    }
};

bool Matches(const QString &text, const char *pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QString::fromUtf8(pattern))).match(text).hasMatch();
}

} // namespace

TEST(EngineOnTheLine, CommandOneToAddressZeroTracesSixteenLines)
{
    Line line;
    ASSERT_TRUE(line.port.Active());
    line.Send(0, 1);
    ASSERT_TRUE(WaitUntil([&] { return line.Evaluations() == 1; }));
    const QStringList &t = line.trace;
    ASSERT_EQ(t.size(), 15) << t.join(QLatin1Char('\n')).toStdString();   // the decoder adds no line here
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
    EXPECT_TRUE(Matches(t[10], "Время начала прихода сообщения: \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d \\(\\+0\\.0\\d\\d сек\\)"))
        << t[10].toStdString();
    EXPECT_EQ(t[11], QStringLiteral("Количество принятых байт: 19"));
    EXPECT_EQ(t[12], QStringLiteral("Получен ответ:"));
    EXPECT_EQ(t[13], QStringLiteral(" 255 255 255 134 255 255 255 255 0 1 5 0 0 1 66 200 0 0 9"));
    EXPECT_EQ(t[14], QString());
    EXPECT_EQ(line.answers, 1);
    const auto requests = line.simulator.requests().entries();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].bytes, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
                                                             0x01, 0x00, 0x83}));
}

TEST(EngineOnTheLine, InjectedFaultsGiveTheirTraceLines)
{
    struct Case {
        sim::FaultKind kind;
        const char *firstLine;   // the first evaluation line
        bool byteList;           // "Неверное сообщение:" and the bytes follow
    };
    const Case cases[] = {
        {sim::FaultKind::Silence, "Отсутствует ответное сообщение", false},
        {sim::FaultKind::FivePreamble, "Отсутствует преамбула сообщения", true},
        {sim::FaultKind::WrongDelimiter, "Отсутствует преамбула сообщения", true},
        {sim::FaultKind::Garbage, "Отсутствует преамбула сообщения", true},
        {sim::FaultKind::ShortAnswer, "Недостаточное количество данных", true},
        {sim::FaultKind::WrongLength, "Ошибка длины принятого сообщения", true},
        {sim::FaultKind::BadChecksum, "Ошибка контрольной суммы", true},
        {sim::FaultKind::Overflow, "Большой объем данных в буфере приемника", false},
    };
    Line line;
    ASSERT_TRUE(line.port.Active());
    int evaluations = 0;
    for (const Case &c : cases) {
        sim::FaultSpec fault;
        fault.kind = c.kind;
        line.simulator.setFault(0, fault);
        line.Send(0, 1);
        ASSERT_TRUE(WaitUntil([&] { return line.Evaluations() == evaluations + 1; })) << static_cast<int>(c.kind);
        ++evaluations;
        const QStringList lines = line.Evaluation();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines[0], QString::fromUtf8(c.firstLine)) << sim::faultName(c.kind);
        if (c.byteList) {
            ASSERT_GE(lines.size(), 3);
            EXPECT_EQ(lines[1], QStringLiteral("Неверное сообщение:"));
            EXPECT_TRUE(lines[2].startsWith(QLatin1Char(' '))) << lines[2].toStdString();
        }
        EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("Истекло время ожидания...")) << sim::faultName(c.kind);
        EXPECT_EQ(line.giveUps, evaluations);
    }
    EXPECT_EQ(line.answers, 0);
}

TEST(EngineOnTheLine, RepairedPreambleReportsWhatReallyArrived)
{
    Line line;
    ASSERT_TRUE(line.port.Active());
    const std::pair<sim::FaultKind, int> cases[] = {{sim::FaultKind::MissingPreamble1, 18},
                                                    {sim::FaultKind::MissingPreamble2, 17},
                                                    {sim::FaultKind::Chunked, 19}};
    int n = 0;
    for (const auto &[kind, arrived] : cases) {
        sim::FaultSpec fault;
        fault.kind = kind;
        line.simulator.setFault(0, fault);
        line.Send(0, 1);
        ASSERT_TRUE(WaitUntil([&] { return line.Evaluations() == n + 1; }));
        ++n;
        EXPECT_EQ(line.Evaluation()[0], QStringLiteral("Количество принятых байт: %1").arg(arrived));
        EXPECT_EQ(line.answers, n);
    }
}

TEST(EngineOnTheLine, AttemptLimitThreeAgainstASilentGauge)
{
    Line line;
    ASSERT_TRUE(line.port.Active());
    line.attemptLimit = 3;
    line.Send(9, 1);   // nobody at address 9
    ASSERT_TRUE(WaitUntil([&] { return line.giveUps == 1; }, 5000));
    EXPECT_EQ(line.simulator.requests().size(), 3u);
    EXPECT_TRUE(line.trace.contains(QStringLiteral("Попытка №2")));
    EXPECT_TRUE(line.trace.contains(QStringLiteral("Попытка №3")));
    EXPECT_FALSE(line.trace.contains(QStringLiteral("Попытка №4")));
    EXPECT_EQ(line.engine.Attempt(), 1);
}

TEST(EngineOnTheLine, FirstByteTimingFollowsTheGauge)
{
    Line line;
    ASSERT_TRUE(line.port.Active());
    line.simulator.setTurnaround(std::chrono::milliseconds(45));
    line.Send(0, 1);
    ASSERT_TRUE(WaitUntil([&] { return line.Evaluations() == 1; }));
    QString timing;
    for (const QString &l : line.trace)
        if (l.startsWith(QStringLiteral("Время начала прихода")))
            timing = l;
    // The gauge starts 45 ms after the request's last byte; the request itself takes well under
    // a millisecond on a pseudo-terminal.
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("\\(\\+0\\.(\\d\\d\\d) сек\\)$")).match(timing);
    ASSERT_TRUE(m.hasMatch()) << timing.toStdString();
    EXPECT_GE(m.captured(1).toInt(), 45);
    EXPECT_LT(m.captured(1).toInt(), 80);
}

TEST(EngineOnTheLine, PulledAdapterEndsTheExchangeAndTheNextOneFailsCleanly)
{
    Line line;
    ASSERT_TRUE(line.port.Active());
    line.simulator.stop();   // the far end goes away, as an unplugged USB adapter does
    ASSERT_TRUE(WaitUntil([&] { return line.port.PortLost(); }));
    QElapsedTimer clock;
    clock.start();
    line.Send(0, 1);
    ASSERT_TRUE(WaitUntil([&] { return line.giveUps == 1; }));
    EXPECT_LT(clock.elapsed(), 1000);
    bool faultTraced = false;
    for (const QString &l : line.trace)
        faultTraced = faultTraced || l.startsWith(QStringLiteral("Ошибка порта: Write error (5)"));
    EXPECT_TRUE(faultTraced) << line.trace.join(QLatin1Char('\n')).toStdString();
}
