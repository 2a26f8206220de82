// When the serial port reports that written bytes have left the line: the decision from what the
// device shows, and the time limit put on a drain.
#include "link/serial_bounded_drain.h"
#include "link/serial_drain_decision.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <ostream>
#include <string>
#include <poll.h>
#include <unistd.h>

namespace orv {
namespace {

using Source = TransmitEndSource;
using Action = TransmitStep::Action;

constexpr int kChar9600 = 1042;  // µs per 8N1 character at 9600
constexpr long long kNoLine = 1LL << 40;

struct StepCase {
    const char *what;
    TransmitLook look;
    Action action;
    long long waitAtLeast = 0;  // µs, for Wait
    long long waitAtMost = 0;
};

void PrintTo(const StepCase &c, std::ostream *out) { *out << c.what; }

class TransmitStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(TransmitStepTest, Decides)
{
    const StepCase &c = GetParam();
    const TransmitStep step = NextTransmitStep(c.look);
    EXPECT_EQ(step.action, c.action) << c.what;
    if (c.action == Action::Wait) {
        EXPECT_GE(step.waitMicros, c.waitAtLeast) << c.what;
        EXPECT_LE(step.waitMicros, c.waitAtMost) << c.what;
    }
}

const long long kGrace = LineStatusGraceMicros(kChar9600);

INSTANTIATE_TEST_SUITE_P(
    Looks, TransmitStepTest,
    ::testing::Values(
        StepCase{"UART empty after the line time", {Source::LineStatus, 0, true, 10, kChar9600}, Action::Report},
        StepCase{"kernel still holds bytes", {Source::LineStatus, 12, false, 0, kChar9600}, Action::Wait,
                 12 * kChar9600, 12 * kChar9600},
        StepCase{"queue not empty long after the line time: no fall-back",
                 {Source::LineStatus, 3, false, 10 * kGrace, kChar9600}, Action::Wait, 3 * kChar9600, 3 * kChar9600},
        StepCase{"old empty status before the bytes can have left",
                 {Source::LineStatus, 0, true, -5000, kChar9600}, Action::Wait, 5000, 5000},
        StepCase{"drain path waits for the line time too", {Source::Drain, 0, false, -300, kChar9600},
                 Action::Wait, 300, 300},
        StepCase{"status not yet empty within the grace", {Source::LineStatus, 0, false, 100, kChar9600},
                 Action::Wait, 200, kChar9600 / 2},
        StepCase{"status not yet empty near the end of the grace",
                 {Source::LineStatus, 0, false, kGrace - 250, kChar9600}, Action::Wait, 200, 250},
        StepCase{"status never empty: fall back", {Source::LineStatus, 0, false, kGrace, kChar9600},
                 Action::FallBack},
        StepCase{"fast line: grace is a few milliseconds", {Source::LineStatus, 0, false, 5200, 87},
                 Action::FallBack},
        StepCase{"drain once the line time is over", {Source::Drain, 0, false, 0, kChar9600}, Action::Drain},
        StepCase{"no line (pseudo-terminal): drain at once", {Source::Drain, 0, false, kNoLine, kChar9600},
                 Action::Drain},
        StepCase{"line time alone", {Source::LineTime, 0, false, 0, kChar9600}, Action::Report},
        StepCase{"line time alone, not over", {Source::LineTime, 0, false, -2084, kChar9600}, Action::Wait, 2084,
                 2084},
        StepCase{"very long wait is capped", {Source::Drain, 0, false, -50000000, kChar9600}, Action::Wait,
                 1000000, 1000000}),
    [](const ::testing::TestParamInfo<StepCase> &param) {
        std::string name;
        for (const char ch : std::string(param.param.what))
            name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

// The limit is put on any blocking call; a poll on a pipe nobody writes to stands for a drain on a
// chip that never reports its transmitter empty.
TEST(BoundedDrainTest, EndsABlockedCallAtTheLimitAndPassesOtherResultsOn)
{
    BoundedDrain drain;
    ASSERT_TRUE(drain.Usable());
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);

    const auto start = std::chrono::steady_clock::now();
    const int blocked = drain.WaitWithin(
        [&] {
            pollfd never {pipeEnds[0], POLLIN, 0};
            return poll(&never, 1, 10000) > 0 ? 0 : -1;
        },
        std::chrono::milliseconds(30));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(blocked, ETIMEDOUT);
    EXPECT_GE(took, std::chrono::milliseconds(30));
    EXPECT_LT(took, std::chrono::milliseconds(5000));

    EXPECT_EQ(drain.WaitWithin([] { return 0; }, std::chrono::milliseconds(30)), 0);
    EXPECT_EQ(drain.WaitWithin(
                  [] {
                      errno = EIO;
                      return -1;
                  },
                  std::chrono::milliseconds(30)),
              EIO);

    // The timer is disarmed afterwards: a later wait is not cut short by it.
    const auto later = std::chrono::steady_clock::now();
    pollfd idle {pipeEnds[0], POLLIN, 0};
    EXPECT_EQ(poll(&idle, 1, 60), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - later, std::chrono::milliseconds(55));
    close(pipeEnds[0]);
    close(pipeEnds[1]);
}

} // namespace
} // namespace orv
