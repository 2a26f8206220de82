#pragma once
// The program's side of a simulated line, for tests: the slave of the pseudo-terminal opened raw.
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace simtest {

using Clock = std::chrono::steady_clock;

// The program's side of the line: the slave opened raw, as a serial port would be.
class Port {
public:
    explicit Port(const std::string &path, speed_t speed = B9600)
    {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0)
            return;
        termios tio{};
        tcgetattr(fd_, &tio);
        cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        cfsetspeed(&tio, speed);
        tcsetattr(fd_, TCSANOW, &tio);
    }
    ~Port()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    void send(const Bytes &bytes) { ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }

    // Collects bytes until `expected` have come or `wait` has passed; notes when the first and last came.
    Bytes receive(size_t expected, std::chrono::milliseconds wait)
    {
        Bytes got;
        const auto end = Clock::now() + wait;
        while (got.size() < expected && Clock::now() < end) {
            pollfd p{fd_, POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            if (poll(&p, 1, static_cast<int>(std::max<long long>(left, 0) + 1)) <= 0)
                continue;
            uint8_t buffer[256];
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            if (got.empty())
                firstByte = Clock::now();
            lastByte = Clock::now();
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }
    Clock::time_point firstByte, lastByte;

private:
    int fd_ = -1;
};

} // namespace simtest
