#include "slave_port.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

using namespace simtest;
using std::chrono::milliseconds;

namespace {

// gauge_sim started as a child with its stdout on a pipe.
class Tool {
public:
    explicit Tool(std::vector<std::string> args)
    {
        args.insert(args.begin(), GAUGE_SIM_PATH);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, GAUGE_SIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        stdout_ = out[0];
    }
    ~Tool()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (stdout_ >= 0)
            close(stdout_);
    }

    // Everything the tool prints until it closes stdout or `wait` passes.
    std::string output(milliseconds wait, bool firstLineOnly)
    {
        std::string text;
        const auto end = Clock::now() + wait;
        while (Clock::now() < end && !(firstLineOnly && text.find('\n') != std::string::npos)) {
            pollfd p{stdout_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = read(stdout_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            text.append(buffer, static_cast<size_t>(n));
        }
        return firstLineOnly ? text.substr(0, text.find('\n')) : text;
    }

    // Exit status after `signal` (0: none sent), or -1 if it did not end within two seconds.
    int finish(int signal)
    {
        if (signal)
            kill(pid_, signal);
        for (int i = 0; i < 200; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            usleep(10000);
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
};

} // namespace

TEST(GaugeSimTool, ServesTheBusWithFaultsUntilTerminated)
{
    Tool tool({"--gauges", "4,5,6", "--fault", "5:silence", "--fault", "6:checksum", "--no-pacing"});
    const std::string path = tool.output(milliseconds(3000), true);
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    Port port(path);
    ASSERT_TRUE(port.isOpen());

    port.send(request(4, 1));
    const Bytes good = port.receive(19, milliseconds(1000));
    ASSERT_EQ(good.size(), 19u);
    EXPECT_EQ(good.back(), xorRange(good, 3, 18));

    port.send(request(5, 1));
    EXPECT_TRUE(port.receive(1, milliseconds(150)).empty());

    port.send(request(6, 1));
    const Bytes bad = port.receive(19, milliseconds(1000));
    ASSERT_EQ(bad.size(), 19u);
    EXPECT_NE(bad.back(), xorRange(bad, 3, 18));

    port.send(request(1, 1));
    EXPECT_TRUE(port.receive(1, milliseconds(150)).empty()) << "gauge 1 is not on this bus";

    EXPECT_EQ(tool.finish(SIGTERM), 0);
}

TEST(GaugeSimTool, HelpAndBadOptions)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char *printed;
    } cases[] = {
        {{"--help"}, 0, "--random-faults P"},
        {{"--fault", "2:nonsense"}, 2, ""},
        {{"--fault", "9:silence"}, 2, ""},
        {{"--gauges", "1,2,3,4,5,6,7,8,9,10,11"}, 2, ""},
        {{"--random-faults", "1.5"}, 2, ""},
        {{"--fault", "1:checksum=3"}, 2, ""},
        {{"--turnaround"}, 2, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.front());
        Tool tool(c.args);
        EXPECT_NE(tool.output(milliseconds(2000), false).find(c.printed), std::string::npos);
        EXPECT_EQ(tool.finish(0), c.status);
    }
}

TEST(GaugeSimTool, RandomFaultsSpoilSomeAnswers)
{
    Tool tool({"--gauges", "1", "--random-faults", "1", "--seed", "7", "--no-pacing"});
    const std::string path = tool.output(milliseconds(3000), true);
    Port port(path);
    ASSERT_TRUE(port.isOpen());
    // Some drawn faults (late, split) still deliver a correct answer; the rest spoil it.
    int clean = 0;
    for (int i = 0; i < 4; ++i) {
        port.send(request(1, 1));
        const Bytes got = port.receive(1000, milliseconds(700));   // all of it, late answers too
        clean += got.size() == 19 && got[3] == 0x86 && got[8] == 1 && got[10] == 5 && got.back() == xorRange(got, 3, 18);
    }
    EXPECT_LT(clean, 4);
    EXPECT_EQ(tool.finish(SIGINT), 0);
}
