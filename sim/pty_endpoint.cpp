#include "pty_endpoint.h"

#include "line_rate.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

// A request that stops half way is given up after this much quiet on the line.
constexpr std::chrono::milliseconds kIdleResync{100};
// Should the master ever report a hang-up, look again after this pause instead of spinning.
constexpr std::chrono::milliseconds kHangUpPause{20};
constexpr long kFallbackBaud = 9600;

bool fail(std::string *error, const char *what)
{
    if (error)
        *error = std::string(what) + ": " + std::strerror(errno);
    return false;
}

timespec untilDeadline(TimePoint deadline, TimePoint now)
{
    const auto left = std::max(std::chrono::nanoseconds(0), std::chrono::nanoseconds(deadline - now));
    return timespec{static_cast<time_t>(left.count() / 1000000000), static_cast<long>(left.count() % 1000000000)};
}

} // namespace

PtyEndpoint::PtyEndpoint(Responder responder, RequestLog &log) : responder_(std::move(responder)), log_(log)
{
}

PtyEndpoint::~PtyEndpoint()
{
    stop();
}

bool PtyEndpoint::start(std::string *error)
{
    if (running())
        return true;
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return fail(error, "posix_openpt");
    char path[128];
    if (fcntl(master_, F_SETFD, FD_CLOEXEC) < 0 || fcntl(master_, F_SETFL, O_NONBLOCK) < 0 || grantpt(master_) < 0
        || unlockpt(master_) < 0 || ptsname_r(master_, path, sizeof path) != 0) {
        const bool result = fail(error, "pseudo-terminal set-up");
        closeAll();
        return result;
    }
    slavePath_ = path;
    ownSlave_ = open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (ownSlave_ < 0) {
        const bool result = fail(error, "open slave");
        closeAll();
        return result;
    }
    // Raw from the start: a fresh pty echoes and maps line ends, which would bounce answers back to us.
    termios tio{};
    tcgetattr(ownSlave_, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    cfsetspeed(&tio, B9600);
    tcsetattr(ownSlave_, TCSANOW, &tio);
    socket_ = false;
    return startServing(error);
}

bool PtyEndpoint::attach(const std::string &where, std::string *error)
{
    if (running())
        return true;
    const std::string unixPrefix = "unix:";
    socket_ = where.compare(0, unixPrefix.size(), unixPrefix) == 0;
    if (socket_) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = where.substr(unixPrefix.size());
        if (path.empty() || path.size() >= sizeof address.sun_path) {
            if (error)
                *error = "bad socket path: " + where;
            return false;
        }
        path.copy(address.sun_path, path.size());
        master_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (master_ < 0)
            return fail(error, "socket");
        if (connect(master_, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
            || fcntl(master_, F_SETFL, O_NONBLOCK) < 0) {
            const bool result = fail(error, ("connect " + path).c_str());
            closeAll();
            return result;
        }
    } else {
        master_ = open(where.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master_ < 0)
            return fail(error, ("open " + where).c_str());
        termios tio{};
        if (tcgetattr(master_, &tio) == 0) {
            cfmakeraw(&tio);
            tio.c_cflag |= CLOCAL | CREAD;
            tio.c_cflag &= ~CRTSCTS;
            tio.c_iflag &= ~(IXON | IXOFF | IXANY);
            tcsetattr(master_, TCSANOW, &tio);
        }
    }
    slavePath_ = where;
    return startServing(error);
}

bool PtyEndpoint::startServing(std::string *error)
{
    wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_ < 0) {
        const bool result = fail(error, "eventfd");
        closeAll();
        return result;
    }
    parser_ = RequestParser();
    badChecksumsLogged_ = 0;
    out_.clear();
    lineFreeAt_ = TimePoint{};
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void PtyEndpoint::stop()
{
    if (thread_.joinable()) {
        stopping_ = true;
        const uint64_t one = 1;
        (void)!write(wake_, &one, sizeof one);
        thread_.join();
    }
    closeAll();
}

void PtyEndpoint::closeAll()
{
    for (int *fd : {&master_, &ownSlave_, &wake_}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
    slavePath_.clear();
}

std::chrono::nanoseconds PtyEndpoint::byteTime() const
{
    termios tio{};
    long baud = configuredRate_ > 0 ? configuredRate_.load() : kFallbackBaud;
    int bits = 10;
    if (configuredRate_ <= 0 && master_ >= 0 && tcgetattr(master_, &tio) == 0) {
        const long rate = lineRateOf(master_);
        if (rate > 0)
            baud = rate;
        const tcflag_t size = tio.c_cflag & CSIZE;
        const int dataBits = size == CS5 ? 5 : size == CS6 ? 6 : size == CS7 ? 7 : 8;
        bits = 1 + dataBits + ((tio.c_cflag & PARENB) ? 1 : 0) + ((tio.c_cflag & CSTOPB) ? 2 : 1);
    }
    return std::chrono::nanoseconds(1000000000LL * bits / baud);
}

void PtyEndpoint::run()
{
    bool hungUp = false;
    while (!stopping_) {
        const TimePoint now = Clock::now();
        writeDue(now);
        if (parser_.holdsPartialFrame() && now - lastReceived_ >= kIdleResync)
            serve(parser_.lineIdle(), lastReceived_);

        std::optional<TimePoint> deadline;
        if (!out_.empty())
            deadline = out_.front().at;
        if (parser_.holdsPartialFrame())
            deadline = std::min(deadline.value_or(TimePoint::max()), lastReceived_ + kIdleResync);
        if (hungUp)
            deadline = std::min(deadline.value_or(TimePoint::max()), now + kHangUpPause);

        pollfd fds[2] = {{wake_, POLLIN, 0}, {master_, POLLIN, 0}};
        timespec wait{};
        if (deadline)
            wait = untilDeadline(*deadline, Clock::now());
        const int ready = ppoll(fds, hungUp ? 1 : 2, deadline ? &wait : nullptr, nullptr);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            uint64_t count;
            (void)!read(wake_, &count, sizeof count);
        }
        hungUp = false;
        if ((fds[1].revents & POLLIN) && !readLine())
            hungUp = true;
        if (fds[1].revents & (POLLHUP | POLLERR))
            hungUp = true;
    }
}

bool PtyEndpoint::readLine()
{
    uint8_t chunk[512];
    for (;;) {
        const ssize_t got = read(master_, chunk, sizeof chunk);
        if (got == 0 && socket_)
            return false;   // the far end closed the socket: nothing will come any more
        if (got <= 0)
            return true;    // EAGAIN: all read; EIO: nobody on the slave side
        lastReceived_ = Clock::now();
        serve(parser_.feed(chunk, static_cast<size_t>(got)), lastReceived_);
    }
}

void PtyEndpoint::serve(const std::vector<RequestFrame> &frames, TimePoint receivedAt)
{
    if (parser_.badChecksums() != badChecksumsLogged_) {
        log_.addBadFrames(parser_.badChecksums() - badChecksumsLogged_);
        badChecksumsLogged_ = parser_.badChecksums();
    }
    for (const RequestFrame &frame : frames) {
        const std::optional<Transmission> t = responder_(frame, receivedAt);
        const bool answered = t && !t->chunks.empty();
        if (answered)
            schedule(*t, receivedAt + std::chrono::microseconds(turnaroundUs_.load()) + t->delay);
        log_.add(LoggedRequest{frame.bytes, frame.address, frame.command, frame.data, receivedAt, answered,
                               t ? t->fault : FaultKind::None});
    }
}

void PtyEndpoint::schedule(const Transmission &t, TimePoint start)
{
    // A pty delivers instantly; pacing puts each byte where the line would have finished sending it.
    const auto perByte = pacing_ ? byteTime() : std::chrono::nanoseconds(0);
    TimePoint at = std::max(start, lineFreeAt_);
    for (size_t i = 0; i < t.chunks.size(); ++i) {
        if (i > 0)
            at += t.chunkGap;
        for (uint8_t byte : t.chunks[i]) {
            at += perByte;
            out_.push_back(PendingByte{at, byte});
        }
    }
    lineFreeAt_ = at;
}

void PtyEndpoint::writeDue(TimePoint now)
{
    uint8_t due[512];
    size_t count = 0;
    while (!out_.empty() && out_.front().at <= now && count < sizeof due) {
        due[count++] = out_.front().byte;
        out_.pop_front();
    }
    // Bytes the slave side cannot take (nobody reading, queue full) are lost, as on a real line.
    if (count > 0)
        (void)!write(master_, due, count);
}

} // namespace sim
