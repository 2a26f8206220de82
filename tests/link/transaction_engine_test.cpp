#include "link/transaction_engine.h"
#include "scripted_port.h"
#include "support/wait_until.h"

#include <QEventLoop>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orv;
using testsupport::WaitUntil;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes Cmd1Answer{0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01,
                       0x05, 0x00, 0x00, 0x01, 0x42, 0xC8, 0x00, 0x00, 0x09};

Bytes Tail(const Bytes &b, int drop) { return Bytes(b.begin() + drop, b.end()); }

LineSettings LineAt(BaudRateSetting rate)
{
    LineSettings line;
    line.baudrate = rate;
    return line;
}

struct Harness {
    LinkSettings settings;
    ScriptedPort port;
    TransactionEngine engine{port, settings};
    QStringList trace;
    int attemptLimit = 1;
    int heads = 0, tails = 0, giveUps = 0, repeats = 0, marks = 0, lampRefreshes = 0;
    std::vector<int> timeouts;
    std::vector<int> decoded;

    Harness()
    {
        settings.ResponseWaitTime = 120;
        port.engine = &engine;
        engine.SetTraceSink([this](const QString &line) { trace << line; });
        ExchangeHooks hooks;
        hooks.setupAnswerHead = [this](const ResponseView &) { ++heads; };
        hooks.setupAnswerTail = [this](const ResponseView &) { ++tails; };
        hooks.attemptLimit = [this] { return attemptLimit; };
        hooks.setupGiveUp = [this] { ++giveUps; };
        hooks.setupRepeat = [this] {
            ++repeats;
            Send(engine.CurrentRequest().address, engine.CurrentRequest().command);
        };
        hooks.setupFailureMarks = [this] { ++marks; };
        hooks.registrationTimeout = [this](int slot) { timeouts.push_back(slot); };
        hooks.refreshStatusLamps = [this] { ++lampRefreshes; };
        engine.SetHooks(hooks);
        engine.SetSetupDecoder(1, [this](const ResponseView &v) { decoded.push_back(v.Command()); });
        engine.SetRegistrationDecoder(1, [this](const ResponseView &v) { decoded.push_back(100 + v.Command()); });
    }

    // What the setup Start button does, reduced to the engine's part.
    void Send(std::uint8_t address, std::uint8_t command)
    {
        engine.ClearReceiveBuffer();
        engine.StartExchange(ExchangeRequest::Make(SetupExchange, address, command));
    }

    int Evaluations() const { return static_cast<int>(trace.count(QString())); }
    bool WaitEvaluations(int n, int ms = 3000)
    {
        return WaitUntil([&] { return Evaluations() >= n; }, ms);
    }
    // The lines after "ПРИЕМ:" of the last request, without the first-byte timing line.
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

} // namespace

TEST(TransactionEngine, TraceOfOneSetupExchangeLineByLine)
{
    Harness h;
    int clockCalls = 0;
    h.engine.SetClock([&] {
        return clockCalls++ == 0 ? QTime(14, 5, 8, 980) : QTime(14, 5, 9, 25);
    });
    h.port.answers = {{{10, Cmd1Answer}}};
    h.Send(0, 1);
    ASSERT_TRUE(h.WaitEvaluations(1));

    const QStringList expected = {
        QStringLiteral("ПЕРЕДАЧА:"),
        QStringLiteral("Время начала отправления сообщения: 14:05:08.980"),
        QStringLiteral("Преамбула: 255 255 255"),
        QStringLiteral("Стартовый байт: 130"),
        QStringLiteral("Адрес: 255 255 255 255 0"),
        QStringLiteral("Команда: 1"),
        QStringLiteral("Размер переданных байт: 0"),
        QStringLiteral("Данные: "),
        QStringLiteral("Контрольная сумма: 131"),
        QStringLiteral("ПРИЕМ:"),
        QStringLiteral("Время начала прихода сообщения: 14:05:09.025 (+0.045 сек)"),
        QStringLiteral("Количество принятых байт: 19"),
        QStringLiteral("Получен ответ:"),
        QStringLiteral(" 255 255 255 134 255 255 255 255 0 1 5 0 0 1 66 200 0 0 9"),
        QString(),
    };
    EXPECT_EQ(h.trace, expected);
    EXPECT_EQ(h.port.written, (Bytes{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00, 0x83}));
    EXPECT_EQ(h.heads, 1);
    EXPECT_EQ(h.tails, 1);
    EXPECT_EQ(h.decoded, std::vector<int>{1});
    EXPECT_EQ(h.giveUps, 0);
    EXPECT_FALSE(h.engine.Timer3()->isActive());
}

TEST(TransactionEngine, DataLineHasEachBytePrecededByABlank)
{
    Harness h;
    h.engine.EnterMode(SetupExchange);
    h.engine.StartDialogExchange(34, {0x41, 0x20, 0x00, 0x00});
    ASSERT_TRUE(h.WaitEvaluations(1));
    EXPECT_TRUE(h.trace.contains(QStringLiteral("Данные:  65 32 0 0")));
    EXPECT_TRUE(h.trace.contains(QStringLiteral("Размер переданных байт: 4")));
}

struct FaultCase {
    const char *name;
    std::vector<ScriptedChunk> answer;
    QStringList lines;   // evaluation lines after "ПРИЕМ:"
};

class EngineFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(EngineFaults, TraceAndGiveUp)
{
    const FaultCase &c = GetParam();
    Harness h;
    h.port.answers = {c.answer};
    h.Send(0, 1);
    ASSERT_TRUE(h.WaitEvaluations(1));
    EXPECT_EQ(h.Evaluation(), c.lines);
    EXPECT_EQ(h.giveUps, 1);
    EXPECT_EQ(h.heads, 0);
    EXPECT_EQ(h.marks, 1);
    EXPECT_EQ(h.engine.Attempt(), 1);
}

const QString Expired = QStringLiteral("Истекло время ожидания...");
const QString Invalid = QStringLiteral("Неверное сообщение:");

Bytes WrongChecksum()
{
    Bytes b = Cmd1Answer;
    b.back() = 0x0A;
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineFaults,
    ::testing::Values(
        FaultCase{"Silence", {}, {QStringLiteral("Отсутствует ответное сообщение"), Expired, QString()}},
        FaultCase{"FivePreambleBytes",
                  {{5, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x86, 1, 2}}},
                  {QStringLiteral("Отсутствует преамбула сообщения"), Invalid, QStringLiteral(" 255 255 255 255 255 134 1 2"),
                   Expired, QString()}},
        FaultCase{"TenBytes",
                  {{5, Bytes(Cmd1Answer.begin(), Cmd1Answer.begin() + 10)}},
                  {QStringLiteral("Недостаточное количество данных"), Invalid,
                   QStringLiteral(" 255 255 255 134 255 255 255 255 0 1"), Expired, QString()}},
        FaultCase{"ElevenBytesCountZero",
                  {{5, Bytes{0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00}}},
                  {QStringLiteral("Ошибка длины принятого сообщения"), Invalid,
                   QStringLiteral(" 255 255 255 134 255 255 255 255 0 1 0"), Expired, QString()}},
        FaultCase{"WrongChecksum",
                  {{5, WrongChecksum()}},
                  {QStringLiteral("Ошибка контрольной суммы"), Invalid,
                   QStringLiteral(" 255 255 255 134 255 255 255 255 0 1 5 0 0 1 66 200 0 0 10"), Expired, QString()}},
        // The second chunk would take the buffer past 50 bytes: both are lost.
        FaultCase{"ThirtyThenTwentyFive",
                  {{5, Bytes(30, 0xFF)}, {25, Bytes(25, 0x11)}},
                  {QStringLiteral("Большой объем данных в буфере приемника"),
                   QStringLiteral("Отсутствует ответное сообщение"), Expired, QString()}},
        // One preamble byte lost and no answer beyond the header: repaired, then too short.
        FaultCase{"RepairedButTooShort",
                  {{5, Bytes{0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01}}},
                  {QStringLiteral("Недостаточное количество данных"), Invalid,
                   QStringLiteral(" 255 255 255 134 255 255 255 255 0 1"), Expired, QString()}}),
    [](const ::testing::TestParamInfo<FaultCase> &p) { return std::string(p.param.name); });

TEST(TransactionEngine, PreambleRepairReportsTheBytesThatArrived)
{
    for (int lost : {1, 2}) {
        Harness h;
        h.port.answers = {{{5, Tail(Cmd1Answer, lost)}}};
        h.Send(0, 1);
        ASSERT_TRUE(h.WaitEvaluations(1));
        EXPECT_TRUE(h.trace.contains(QStringLiteral("Количество принятых байт: %1").arg(19 - lost))) << lost;
        // The accepted frame is shown whole, with the preamble put back.
        EXPECT_TRUE(h.trace.contains(QStringLiteral(" 255 255 255 134 255 255 255 255 0 1 5 0 0 1 66 200 0 0 9")));
        EXPECT_EQ(h.heads, 1);
    }
}

TEST(TransactionEngine, AnswerInChunksIsCollected)
{
    Harness h;
    h.port.answers = {{{5, Bytes(Cmd1Answer.begin(), Cmd1Answer.begin() + 7)},
                       {15, Bytes(Cmd1Answer.begin() + 7, Cmd1Answer.begin() + 12)},
                       {30, Bytes(Cmd1Answer.begin() + 12, Cmd1Answer.end())}}};
    h.Send(0, 1);
    ASSERT_TRUE(h.WaitEvaluations(1));
    EXPECT_EQ(h.heads, 1);
    int timingLines = 0;
    for (const QString &line : h.trace)
        timingLines += line.startsWith(QStringLiteral("Время начала прихода сообщения")) ? 1 : 0;
    EXPECT_EQ(timingLines, 1);   // only the first chunk is timed
}

TEST(TransactionEngine, AnswerWaitingUnreportedAtTheDeadlineIsEvaluated)
{
    // A busy machine may serve the response timer before the port's report of bytes that came in
    // time; the answer must not be judged as silence.
    Harness h;
    h.port.answers = {{{5, Bytes(Cmd1Answer.begin(), Cmd1Answer.begin() + 7)},
                       {10, Bytes(Cmd1Answer.begin() + 7, Cmd1Answer.end()), false}}};
    h.Send(0, 1);
    ASSERT_TRUE(h.WaitEvaluations(1));
    EXPECT_EQ(h.heads, 1);
    EXPECT_EQ(h.decoded, std::vector<int>{1});
    EXPECT_TRUE(h.trace.contains(QStringLiteral("Количество принятых байт: 19")));
}

TEST(TransactionEngine, AttemptLimitThreeRepeatsTwiceThenGivesUp)
{
    Harness h;
    h.attemptLimit = 3;
    h.Send(0, 1);
    ASSERT_TRUE(h.WaitEvaluations(3, 5000));
    ASSERT_TRUE(WaitUntil([&] { return h.giveUps == 1; }));
    EXPECT_EQ(h.repeats, 2);
    EXPECT_EQ(h.engine.Attempt(), 1);
    EXPECT_EQ(h.port.requestsSeen, 3);
    const int second = static_cast<int>(h.trace.indexOf(QStringLiteral("Попытка №2")));
    const int third = static_cast<int>(h.trace.indexOf(QStringLiteral("Попытка №3")));
    ASSERT_GE(second, 0);
    ASSERT_GT(third, second);
    // The repeated request's trace follows its attempt line at once.
    EXPECT_EQ(h.trace[second + 1], QStringLiteral("ПЕРЕДАЧА:"));
    EXPECT_EQ(h.trace.count(QStringLiteral("Попытка №4")), 0);
}

TEST(TransactionEngine, AttemptLimitOneWritesNoAttemptLine)
{
    Harness h;
    h.Send(0, 1);
    ASSERT_TRUE(h.WaitEvaluations(1));
    for (const QString &line : h.trace)
        EXPECT_FALSE(line.startsWith(QStringLiteral("Попытка")));
    EXPECT_EQ(h.giveUps, 1);
}

TEST(TransactionEngine, AnswerWithoutDecoderStillFillsTheRow)
{
    Harness h;
    h.port.answers = {{{5, Bytes{0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 197, 0x00, 0x00, 0x00,
                                 static_cast<std::uint8_t>(0x86 ^ 197)}}}};
    h.Send(0, 197);
    ASSERT_TRUE(h.WaitEvaluations(1));
    EXPECT_EQ(h.heads, 1);
    EXPECT_EQ(h.tails, 1);
    EXPECT_TRUE(h.decoded.empty());
}

TEST(TransactionEngine, RegistrationModeTracesWhatArrivedAndReportsTheSlot)
{
    Harness h;
    h.port.answers = {{{5, Tail(Cmd1Answer, 1)}}, {}};
    for (int slot : {4, 9}) {
        h.engine.ClearReceiveBuffer();
        h.engine.StartExchange(ExchangeRequest::Make(RegistrationExchange, 0, 1, {}, static_cast<std::uint8_t>(slot)));
        EXPECT_TRUE(h.engine.SlotTimer(slot)->isActive() || h.Evaluations() > 0);
        ASSERT_TRUE(h.WaitEvaluations(slot == 4 ? 1 : 2));
    }
    EXPECT_TRUE(h.trace.contains(QStringLiteral("Режим регистрации. Получен ответ:")));
    // Only the 18 bytes that really arrived are listed.
    EXPECT_TRUE(h.trace.contains(QStringLiteral(" 255 255 134 255 255 255 255 0 1 5 0 0 1 66 200 0 0 9")));
    EXPECT_EQ(h.decoded, std::vector<int>{101});
    EXPECT_EQ(h.lampRefreshes, 1);
    EXPECT_EQ(h.timeouts, std::vector<int>{9});
    EXPECT_EQ(h.giveUps, 0);
    EXPECT_EQ(h.Evaluation(), (QStringList{QStringLiteral("Отсутствует ответное сообщение"), QString()}));
}

const QString TxEmptyMissing = QStringLiteral("Передача не завершена: порт не сообщил об окончании передачи");
const QString NothingReceived = QStringLiteral("Отсутствует ответное сообщение");

bool RtsRaisedAndDroppedInTurn(const ScriptedPort &port)
{
    for (std::size_t i = 0; i < port.rtsChanges.size(); ++i)
        if (port.rtsChanges[i].second != (i % 2 == 0))
            return false;
    return port.rtsChanges.size() % 2 == 0;
}

// The frame's end is never reported: the exchange ends when its response time is over, or at the
// bound when that comes first, with its lines together and in order; RTS drops, and the next
// purge clears what may be left of the frame in the output queue.
TEST(TransactionEngine, MissingTxEmptyEndsTheExchangeWithItsLinesInOrder)
{
    for (const bool responseTimeFirst : {true, false}) {
        Harness h;
        h.settings.ResponseWaitTime = responseTimeFirst ? 60 : 5000;
        // At 300 bit/s the end of a transmission is awaited for 3.4 s, at 115200 for half a second.
        h.engine.SetLine(LineAt(responseTimeFirst ? br300 : br115200));
        h.port.reportTxEmpty = false;
        QElapsedTimer clock;
        clock.start();
        h.Send(0, 1);
        EXPECT_LT(clock.elapsed(), 2000) << responseTimeFirst;
        EXPECT_EQ(h.Evaluation(), (QStringList{TxEmptyMissing, NothingReceived, Expired, QString()}))
            << responseTimeFirst;
        EXPECT_EQ(h.giveUps, 1);
        EXPECT_FALSE(h.engine.Timer3()->isActive());
        EXPECT_FALSE(h.engine.TransmitInProgress());
        EXPECT_TRUE(RtsRaisedAndDroppedInTurn(h.port));
        h.engine.PurgeLine();
        EXPECT_EQ(h.port.outputPurges, 1);
    }
}

// A frame whose end was reported is not in the output queue any more: the purge before the next
// request leaves it alone (on a pseudo-terminal it may still be on its way to the gauge).
TEST(TransactionEngine, PurgeAfterAFinishedFrameKeepsItsBytes)
{
    Harness h;
    h.Send(0, 1);
    h.engine.PurgeLine();
    EXPECT_EQ(h.port.outputPurges, 0);
}

struct PortGoneCase {
    const char *name;
    bool deviceLost;        // the port reports its device gone; otherwise the port is closed
    bool txEmptyReported;   // gone during the post-transmit wait; otherwise during the TX-empty wait
    QString line;
};

// The port closed or its device gone during the waits: the exchange ends at once and fails, and
// the trace says why.
TEST(TransactionEngine, PortGoneDuringTheWaitsEndsTheExchangeAtOnce)
{
    const QString closed = QStringLiteral("Передача прервана: порт закрыт");
    const QString lost = QStringLiteral("Передача прервана: устройство порта отключено");
    for (const PortGoneCase &c : {PortGoneCase{"closed, TX empty awaited", false, false, closed},
                                  PortGoneCase{"lost, TX empty awaited", true, false, lost},
                                  PortGoneCase{"closed, after TX empty", false, true, closed},
                                  PortGoneCase{"lost, after TX empty", true, true, lost}}) {
        Harness h;
        h.settings.ResponseWaitTime = 5000;
        h.settings.PostTransmitDelay = 3000;
        h.engine.SetLine(LineAt(br300));
        h.port.reportTxEmpty = c.txEmptyReported;
        QTimer::singleShot(20, [&] {
            if (c.deviceLost)
                h.engine.VaComm1PortLost();
            else
                h.port.active = false;
        });
        QElapsedTimer clock;
        clock.start();
        h.Send(0, 1);
        EXPECT_LT(clock.elapsed(), 1000) << c.name;
        EXPECT_EQ(h.Evaluation(), (QStringList{c.line, NothingReceived, Expired, QString()})) << c.name;
        EXPECT_EQ(h.giveUps, 1) << c.name;
        EXPECT_TRUE(RtsRaisedAndDroppedInTurn(h.port)) << c.name;
    }
}

// A frame the port does not take is traced as the port's fault, never as a frame that was sent.
TEST(TransactionEngine, FrameThePortRefusesIsNotTracedAsSent)
{
    for (const bool portClosed : {false, true}) {
        Harness h;
        h.port.active = !portClosed;
        h.port.failWrites = !portClosed;
        h.Send(0, 1);
        EXPECT_FALSE(h.trace.contains(QStringLiteral("ПЕРЕДАЧА:"))) << portClosed;
        EXPECT_TRUE(h.trace.contains(portClosed ? QStringLiteral("Порт закрыт: сообщение не отправлено")
                                                : QStringLiteral("Ошибка порта: Write error (5), Input/output error")))
            << portClosed;
        EXPECT_EQ(h.trace.filter(QStringLiteral("Ошибка порта: ")).size(), portClosed ? 0 : 1);
        EXPECT_EQ(h.giveUps, 1);
        EXPECT_FALSE(h.engine.Timer3()->isActive());
        EXPECT_FALSE(h.engine.Sending());
        EXPECT_TRUE(RtsRaisedAndDroppedInTurn(h.port));
    }
}

// A request made inside another frame's post-transmit wait goes out after that frame, whole.
TEST(TransactionEngine, RequestMadeInsideAWaitGoesOutAfterTheFrame)
{
    Harness h;
    h.settings.PostTransmitDelay = 30;
    QTimer::singleShot(5, [&] { h.Send(7, 3); });
    h.Send(0, 1);
    const Bytes second{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x03, 0x00, 0x86};
    Bytes both{0xFF, 0xFF, 0xFF, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00, 0x83};
    both.insert(both.end(), second.begin(), second.end());
    EXPECT_EQ(h.port.written, both);
    ASSERT_EQ(h.port.rtsChanges.size(), 4u);
    EXPECT_TRUE(RtsRaisedAndDroppedInTurn(h.port));
    // The first frame kept its post-transmit wait.
    EXPECT_GE(h.port.rtsChanges[1].first - h.port.rtsChanges[0].first, 30'000'000);
}

// A window opened inside a transmission's wait (by a timer here; a click or an assistive
// technology's request could do the same) runs its own event loop while the registration polls
// keep coming due: every poll goes out, one frame after the other, and is answered; none is
// booked as a silent gauge.
TEST(TransactionEngine, WindowOpenedInsideTheWaitLosesNoPoll)
{
    Harness h;
    h.settings.ResponseWaitTime = 60;
    h.settings.PostTransmitDelay = 30;
    for (int i = 0; i < 11; ++i)
        h.port.answers.push_back({{5, Cmd1Answer}});
    const auto poll = [&h](int slot) {
        h.engine.ClearReceiveBuffer();
        h.engine.StartExchange(ExchangeRequest::Make(RegistrationExchange, 0, 1, {}, static_cast<std::uint8_t>(slot)));
    };
    // A modal window's exec() is a nested event loop like this one; the core needs no window for it.
    QEventLoop window;
    QTimer spacing;
    spacing.setInterval(80);
    int polled = 0;
    QObject::connect(&spacing, &QTimer::timeout, [&] {
        poll(++polled);
        if (polled == 10) {
            spacing.stop();
            QTimer::singleShot(100, &window, &QEventLoop::quit);
        }
    });
    bool openedInsideTheWait = false;
    QTimer::singleShot(5, [&] {
        openedInsideTheWait = h.engine.Sending();
        spacing.start();
        window.exec();
    });
    poll(1);
    EXPECT_TRUE(openedInsideTheWait);
    ASSERT_TRUE(WaitUntil([&] { return h.decoded.size() + h.timeouts.size() >= 11; }));
    EXPECT_EQ(h.port.requestsSeen, 11);
    EXPECT_EQ(h.decoded.size(), 11u);
    EXPECT_TRUE(h.timeouts.empty());
    EXPECT_EQ(h.port.rtsChanges.size(), 22u);
    EXPECT_TRUE(RtsRaisedAndDroppedInTurn(h.port));
}

TEST(TransactionEngine, RtsIsRaisedForTheFrameAndDroppedAfterTheWaits)
{
    Harness h;
    h.settings.PostTransmitDelay = 3;
    h.settings.Rs485Mode = true;
    h.settings.Rs485Delay = 10;
    h.Send(0, 1);
    ASSERT_EQ(h.port.rtsChanges.size(), 2u);
    EXPECT_TRUE(h.port.rtsChanges[0].second);
    EXPECT_FALSE(h.port.rtsChanges[1].second);
    // At least the post-transmit wait and the RS-485 sleep lie between the two.
    EXPECT_GE(h.port.rtsChanges[1].first - h.port.rtsChanges[0].first, 13'000'000);
}
