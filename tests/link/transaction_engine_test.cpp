#include "link/transaction_engine.h"
#include "scripted_port.h"
#include "support/wait_until.h"

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

struct Harness {
    LinkSettings settings;
    ScriptedPort port;
    TransactionEngine engine{port, settings};
    QStringList trace;
    int attemptLimit = 1;
    int heads = 0, tails = 0, giveUps = 0, repeats = 0, marks = 0, lampRefreshes = 0;
    std::vector<int> timeouts;
    std::vector<int> decoded;
    QStringList portFaults;

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
            Send(engine.PollingAddress, engine.RequestCommand);
        };
        hooks.setupFailureMarks = [this] { ++marks; };
        hooks.registrationTimeout = [this](int slot) { timeouts.push_back(slot); };
        hooks.refreshStatusLamps = [this] { ++lampRefreshes; };
        hooks.portFault = [this](const QString &m) { portFaults << m; };
        engine.SetHooks(hooks);
        engine.SetSetupDecoder(1, [this](const ResponseView &v) { decoded.push_back(v.Command()); });
        engine.SetRegistrationDecoder(1, [this](const ResponseView &v) { decoded.push_back(100 + v.Command()); });
    }

    // What the setup Start button does, reduced to the engine's part.
    void Send(std::uint8_t address, std::uint8_t command)
    {
        engine.ExchangeMode = SetupExchange;
        engine.ClearReceiveBuffer();
        engine.PollingAddress = address;
        engine.RequestCommand = command;
        engine.RequestByteCount = 0;
        engine.StartSetupExchange();
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
    h.engine.ExchangeMode = SetupExchange;
    const std::uint8_t data[] = {0x41, 0x20, 0x00, 0x00};
    h.engine.StartDialogExchange(34, 4, data);
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
    EXPECT_EQ(h.engine.RetryCounter, 1);
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

TEST(TransactionEngine, AttemptLimitThreeRepeatsTwiceThenGivesUp)
{
    Harness h;
    h.attemptLimit = 3;
    h.Send(0, 1);
    ASSERT_TRUE(h.WaitEvaluations(3, 5000));
    ASSERT_TRUE(WaitUntil([&] { return h.giveUps == 1; }));
    EXPECT_EQ(h.repeats, 2);
    EXPECT_EQ(h.engine.RetryCounter, 1);
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
        h.engine.ExchangeMode = RegistrationExchange;
        h.engine.CurrentSlotIndex = static_cast<std::uint8_t>(slot);
        h.engine.ClearReceiveBuffer();
        h.engine.PollingAddress = 0;
        h.engine.RequestCommand = 1;
        h.engine.RequestByteCount = 0;
        h.engine.StartRegistrationExchange(slot);
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

TEST(TransactionEngine, MissingTxEmptyEndsTheExchangeInsteadOfHanging)
{
    Harness h;
    h.settings.ResponseWaitTime = 5000;
    h.engine.TxEmptyLimitMs = 100;
    h.port.reportTxEmpty = false;
    QElapsedTimer clock;
    clock.start();
    h.Send(0, 1);
    // SendRequest has returned and the exchange is already evaluated as failed.
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(h.Evaluations(), 1);
    EXPECT_EQ(h.giveUps, 1);
    EXPECT_FALSE(h.engine.Timer3()->isActive());
    EXPECT_FALSE(h.engine.TransmitInProgress);
    ASSERT_FALSE(h.port.rtsChanges.empty());
    EXPECT_FALSE(h.port.rtsChanges.back().second);   // RTS dropped
}

TEST(TransactionEngine, PortClosedMeanwhileEndsTheExchange)
{
    Harness h;
    h.settings.ResponseWaitTime = 5000;
    h.port.reportTxEmpty = false;
    QTimer::singleShot(20, [&] { h.port.active = false; });
    h.Send(0, 1);
    EXPECT_EQ(h.giveUps, 1);
    EXPECT_TRUE(h.trace.contains(QStringLiteral("Отсутствует ответное сообщение")));
}

TEST(TransactionEngine, WriteErrorIsTracedAndTheExchangeFails)
{
    Harness h;
    h.port.failWrites = true;
    h.Send(0, 1);
    EXPECT_EQ(h.portFaults, QStringList{QStringLiteral("Write error (5), Input/output error")});
    EXPECT_TRUE(h.trace.contains(QStringLiteral("Ошибка порта: Write error (5), Input/output error")));
    EXPECT_EQ(h.giveUps, 1);
    EXPECT_FALSE(h.engine.Timer3()->isActive());
}

TEST(TransactionEngine, NoSecondTransmissionInsideTheFirst)
{
    Harness h;
    h.settings.PostTransmitDelay = 30;
    // A timer firing inside the post-transmit wait tries to send another frame.
    QTimer::singleShot(5, [&] { h.Send(7, 3); });
    h.Send(0, 1);
    EXPECT_EQ(h.port.written.size(), 12u);
    EXPECT_EQ(h.port.requestsSeen, 1);
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
