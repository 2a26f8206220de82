#pragma once
// The simulator's end of a pseudo-terminal. The program opens the slave side as if it were a serial
// port; this end reads its requests and writes the answers from a thread of its own, so the bus keeps
// answering whatever the program's threads are doing.
#include "faults.h"
#include "request_log.h"
#include "sim_frame.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace sim {

class PtyEndpoint {
public:
    using Responder = std::function<std::optional<Transmission>(const RequestFrame &, TimePoint)>;

    PtyEndpoint(Responder responder, RequestLog &log);
    ~PtyEndpoint();
    PtyEndpoint(const PtyEndpoint &) = delete;
    PtyEndpoint &operator=(const PtyEndpoint &) = delete;

    bool start(std::string *error);
    // Serves a wire that exists already instead of a new pseudo-terminal: "unix:PATH" connects to a
    // stream socket (a virtual machine's serial line), anything else is opened as a terminal device.
    bool attach(const std::string &where, std::string *error);
    void stop();   // prompt; joins the thread and closes the terminal
    bool running() const { return thread_.joinable(); }
    std::string slavePath() const { return slavePath_; }

    // Pacing sends each byte when a real line at the slave's baud rate would have delivered it.
    void setPacing(bool on) { pacing_ = on; }
    // Pause between the last byte of a request and the first byte of its answer.
    void setTurnaround(std::chrono::microseconds pause) { turnaroundUs_ = pause.count(); }
    // Rate for pacing where the wire does not tell the program's rate (a socket, or a terminal whose
    // far side sets its own); 0 reads it from the terminal.
    void setLineRate(long bitsPerSecond) { configuredRate_ = bitsPerSecond; }

private:
    struct PendingByte {
        TimePoint at;
        uint8_t byte;
    };

    // Line time of one byte at the slave's current settings.
    std::chrono::nanoseconds byteTime() const;
    bool startServing(std::string *error);
    void run();
    bool readLine();   // false when the far side has gone for good
    void serve(const std::vector<RequestFrame> &frames, TimePoint receivedAt);
    void schedule(const Transmission &t, TimePoint start);
    void writeDue(TimePoint now);
    void closeAll();

    Responder responder_;
    RequestLog &log_;
    int master_ = -1;
    int ownSlave_ = -1;   // held open so the master never sees a hang-up between program sessions
    int wake_ = -1;
    std::string slavePath_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> pacing_{true};
    std::atomic<long long> turnaroundUs_{2000};
    std::atomic<long> configuredRate_{0};
    bool socket_ = false;

    // Touched by the serving thread only.
    RequestParser parser_;
    size_t badChecksumsLogged_ = 0;
    std::deque<PendingByte> out_;
    TimePoint lastReceived_{};
    TimePoint lineFreeAt_{};
};

} // namespace sim
