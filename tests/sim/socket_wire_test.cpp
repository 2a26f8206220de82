// The simulator on a wire it did not create: the serving side of a virtual machine's serial line is
// a listening stream socket, and no terminal tells the simulator the program's rate.
#include "gauge_simulator.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace simtest;
using sim::Clock;

namespace {

double CpuSeconds()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

} // namespace

TEST(SocketWire, AnswersPacedAtTheConfiguredRateAndRestsWhenTheFarEndCloses)
{
    char dir[] = "/tmp/simsockXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/line.sock";
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 1), 0);

    sim::GaugeSimulator simulator;
    simulator.stagePressure(1, 100.0f, 1);
    simulator.setLineRate(1200);   // 19 answer bytes of 10 bits: 158 ms
    std::string error;
    EXPECT_FALSE(simulator.attach("unix:" + path + ".missing", &error));
    EXPECT_NE(error.find("connect"), std::string::npos) << error;
    ASSERT_TRUE(simulator.attach("unix:" + path, &error)) << error;
    EXPECT_EQ(simulator.slavePath(), "unix:" + path);
    const int wire = accept(listener, nullptr, nullptr);
    ASSERT_GE(wire, 0);

    const Bytes req = request(1, 1);
    const auto sent = Clock::now();
    ASSERT_EQ(write(wire, req.data(), req.size()), ssize_t(req.size()));
    Bytes got;
    while (got.size() < 19 && Clock::now() - sent < std::chrono::seconds(3)) {
        pollfd p{wire, POLLIN, 0};
        if (poll(&p, 1, 50) > 0) {
            uint8_t buffer[64];
            const ssize_t n = read(wire, buffer, sizeof buffer);
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    EXPECT_EQ(toHex(got), toHex(answer(1, 1, hex("00 00 01 42 C8 00 00"))));
    EXPECT_GE(ms, 150.0);   // the line's time, never less; a busy machine may add to it
    EXPECT_EQ(simulator.requests().size(), 1u);

    // The machine goes away: the serving thread must rest, not spin on the closed socket.
    close(wire);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const double before = CpuSeconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_LT(CpuSeconds() - before, 0.1);
    simulator.stop();
    close(listener);
    unlink(path.c_str());
    rmdir(dir);
}
