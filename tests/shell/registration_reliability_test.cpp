// Ten simulated gauges polled for many cycles with short link times, three of them spoiling
// answers at random: every accepted answer must leave exactly one whole line in the file of the
// slot it was booked to and a green lamp, every failed exchange a red lamp and no line.
// ORV_RELIABILITY_CYCLES sets the number of cycles (default 40); the figures are printed.
#include "registration_fixture.h"
#include "registration/slot_selection.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>

using namespace orv;
using namespace testsupport;

namespace {

QStringList DataLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder("windows-1251");
    const QString text = decoder.decode(file.readAll());
    QStringList lines = text.split(QStringLiteral("\r\n"));
    // Two header lines before, the empty piece after the last CR LF.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines.mid(2);
}

struct Outcome {
    bool accepted = false;
    int slot = 0;    // slot booked (accepted) or failed
    int frame = 0;   // the request it evaluated: the last one traced as sent, counted from 0
};

} // namespace

TEST(RegistrationReliability, EveryAcceptedAnswerIsOneLineAndEveryFailureARedLamp)
{
    const int cycles = qEnvironmentVariableIsSet("ORV_RELIABILITY_CYCLES")
                           ? qEnvironmentVariableIntValue("ORV_RELIABILITY_CYCLES")
                           : 40;
    RegistrationFixture f;
    ASSERT_TRUE(f.PrepareTenGaugeRun(f.dir.filePath(QStringLiteral("rel.txt"))));

    // Count every frame the trace shows as sent and every outcome as the engine hands it to the
    // page, and look at the slot's state.
    int framesTraced = 0, framesNotFinished = 0, evaluations = 0;
    std::vector<int> frameAddresses;
    f.Engine().SetTraceSink([&](const QString &line) {
        f.form1->TabSheet1->AppendTrace(line);
        framesTraced += line == QStringLiteral("ПЕРЕДАЧА:") ? 1 : 0;
        if (line.startsWith(QStringLiteral("Адрес: ")))
            frameAddresses.push_back(line.section(QLatin1Char(' '), -1).toInt());
        framesNotFinished +=
            line == QStringLiteral("Передача не завершена: порт не сообщил об окончании передачи") ? 1 : 0;
        evaluations += line.isEmpty() ? 1 : 0;
    });
    std::vector<Outcome> outcomes;
    int statusMismatches = 0;
    int lampMismatches = 0;
    TransactionEngine &engine = f.Engine();
    RegistrationPage *page = f.page;
    const auto timeout = engine.Hooks().registrationTimeout;
    engine.Hooks().registrationTimeout = [&, timeout](int slot) {
        timeout(slot);
        outcomes.push_back({false, slot, framesTraced - 1});
        if (page->SlotStatus[static_cast<std::size_t>(slot - 1)] != SlotNoAnswer)
            ++statusMismatches;
        if (f.Lamp(slot) != Red)
            ++lampMismatches;
    };
    engine.SetRegistrationDecoder(3, [&](const ResponseView &answer) {
        page->RegistrationAnswer(answer);
        const std::optional<AnswerOwner> owner = OwnerOfAnswer(page->Slots, answer.PollingAddress());
        outcomes.push_back({owner.has_value(), owner ? owner->slot : 0, framesTraced - 1});
        if (owner && page->SlotStatus[static_cast<std::size_t>(owner->slot - 1)] != SlotAnswered)
            ++statusMismatches;
    });
    const auto refresh = engine.Hooks().refreshStatusLamps;
    engine.Hooks().refreshStatusLamps = [&, refresh] {
        refresh();
        for (int k = 1; k <= 10; ++k) {
            if (f.Lamp(k) != SlotStatusColour(page->SlotStatus[static_cast<std::size_t>(k - 1)]))
                ++lampMismatches;
        }
    };

    for (std::uint8_t a : {3, 6, 9}) {
        sim::FaultSpec random = Fault(sim::FaultKind::Random);
        random.probability = 0.3;
        random.seed = 100u + a;
        f.simulator->setFault(a, random);
    }
    f.simulator->requests().clear();
    framesTraced = framesNotFinished = evaluations = 0;
    frameAddresses.clear();
    ASSERT_TRUE(f.Start());
    const std::size_t polls = static_cast<std::size_t>(cycles) * 10;
    ASSERT_TRUE(WaitUntil([&] { return f.simulator->requests().size() >= polls; }, cycles * 500 + 5000));
    ServeEvents(60);
    ASSERT_TRUE(f.Stop());
    ServeEvents(50);
    // The simulator logs a request when its thread has read it, which a loaded machine may delay.
    f.simulator->requests().waitFor(static_cast<std::size_t>(framesTraced), std::chrono::seconds(5));
    const std::vector<sim::LoggedRequest> log = f.simulator->requests().entries();

    // Every frame traced as sent reached the gauges, and every evaluation is one outcome. A
    // request may go without one when a new cycle or Stop abandons it (a loaded machine makes
    // cycles overrun), but no outcome is booked without its request, and none twice. The one
    // exception is a frame whose end the port did not report within the response wait (a
    // starved machine delays the report): the purge before the next poll clears what may be
    // left of it, and on a pseudo-terminal that can be the whole frame.
    EXPECT_LE(log.size(), static_cast<std::size_t>(framesTraced));
    EXPECT_GE(log.size(), static_cast<std::size_t>(framesTraced - framesNotFinished));
    EXPECT_EQ(outcomes.size(), static_cast<std::size_t>(evaluations));
    ASSERT_GE(log.size() + static_cast<std::size_t>(framesNotFinished), outcomes.size());

    // The log entry of each traced frame, in order; a frame that never arrived has none.
    ASSERT_EQ(frameAddresses.size(), static_cast<std::size_t>(framesTraced));
    std::vector<int> logEntryOfFrame(frameAddresses.size(), -1);
    for (std::size_t j = 0, i = 0; j < frameAddresses.size() && i < log.size(); ++j) {
        if (log[i].address == frameAddresses[j])
            logEntryOfFrame[j] = static_cast<int>(i++);
    }

    std::map<int, int> acceptedPerSlot;
    int accepted = 0, failed = 0, strays = 0, misbooked = 0, previousFrame = -1;
    std::map<std::string, std::pair<int, int>> byFault;   // fault -> accepted, failed
    for (const Outcome &o : outcomes) {
        ASSERT_GT(o.frame, previousFrame) << "one outcome per request";
        ASSERT_LT(static_cast<std::size_t>(o.frame), frameAddresses.size());
        previousFrame = o.frame;
        const int entry = logEntryOfFrame[static_cast<std::size_t>(o.frame)];
        auto &row = byFault[entry < 0 ? std::string("not arrived")
                                      : sim::faultName(log[static_cast<std::size_t>(entry)].fault)];
        // Gauge k sits at address k in slot k. A failure is booked to the slot that was polled; an
        // accepted answer goes to the slot of the address it carries, which a late answer or one
        // claiming another address makes differ.
        if (!o.accepted && o.slot != frameAddresses[static_cast<std::size_t>(o.frame)])
            ++misbooked;
        if (o.accepted) {
            ++accepted;
            ++acceptedPerSlot[o.slot];
            ++row.first;
        } else if (o.slot == 0) {
            ++strays;
        } else {
            ++failed;
            ++row.second;
        }
    }

    const QRegularExpression whole(QStringLiteral(
        "^Addr: (\\d+) ; Command: 3 ; Iout: [\\d,]+ mA ; Pressure: [\\d,]+ ; Um: [\\d,]+ ; Udif: [\\d,]+ ;  "
        "t_kristall: [\\d,]{5} \u00B0C ; Time: \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ; Date: \\d\\d\\.\\d\\d\\.\\d\\d\\d\\d$"));
    int lines = 0, badLines = 0;
    for (int k = 1; k <= 10; ++k) {
        const QStringList slotLines = DataLines(f.dir.filePath(QStringLiteral("rel_%1.txt").arg(k)));
        lines += static_cast<int>(slotLines.size());
        EXPECT_EQ(static_cast<int>(slotLines.size()), acceptedPerSlot[k]) << "slot " << k;
        for (const QString &line : slotLines) {
            const QRegularExpressionMatch m = whole.match(line);
            if (!m.hasMatch() || m.captured(1).toInt() != k)
                ++badLines;
        }
    }
    EXPECT_EQ(badLines, 0);
    EXPECT_EQ(statusMismatches, 0);
    EXPECT_EQ(lampMismatches, 0);
    EXPECT_EQ(strays, 0);
    EXPECT_EQ(misbooked, 0);
    EXPECT_EQ(lines, accepted);
    EXPECT_GT(failed, 0) << "the faults must have bitten";

    std::printf("[ figures  ] %d cycles, %zu requests, %zu evaluated: %d accepted (green, %d lines in the files), "
                "%d failed (red, no line)\n",
                cycles, log.size(), outcomes.size(), accepted, lines, failed);
    std::printf("[ figures  ] by the simulator's fault on the answer: accepted / failed\n");
    for (const auto &[fault, counts] : byFault)
        std::printf("[ figures  ]   %-12s %5d / %d\n", fault.c_str(), counts.first, counts.second);
}
