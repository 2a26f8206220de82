// rig_host: the host side of the serial rig. It serves a bus of simulated gauges on each of the
// virtual machine's two serial wires (the 16550A's and the USB adapter's), and answers the tests
// inside the machine on a third line, the control line: one command per line, one reply per line.
//
//   gauges WIRE A,B,..      the bus holds exactly these gauges (fresh state)
//   fault WIRE ADDR KIND    a fault by the simulator's name; "random P SEED" for a random mix
//   clear WIRE              no faults
//   stage WIRE ADDR VALUE UNIT
//   turnaround WIRE MS | rate WIRE BAUD
//   count WIRE | reset WIRE the requests heard so far; forget them
//   monitor COMMAND         a command for the machine's monitor (device_del ftdi, ...)
//
// WIRE is "uart" or "usb". Replies are "ok [VALUE]" or "error TEXT".
#include "gauge_simulator.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

int ConnectUnix(const std::string &path, int tries)
{
    for (int i = 0; i < tries; ++i) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        if (connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
            return fd;
        close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return -1;
}

bool ReadLine(int fd, std::string &line, std::string &pending)
{
    for (;;) {
        const size_t end = pending.find('\n');
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        char buffer[256];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        pending.append(buffer, static_cast<size_t>(got));
    }
}

void WriteAll(int fd, const std::string &text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

// The human monitor: a command, then everything up to the next prompt.
class Monitor {
public:
    explicit Monitor(std::string path) : path_(std::move(path)) {}
    std::string Run(const std::string &command)
    {
        if (fd_ < 0) {
            fd_ = ConnectUnix(path_, 50);
            if (fd_ < 0)
                return "error cannot reach the monitor";
            UntilPrompt();
        }
        WriteAll(fd_, command + "\n");
        std::string out = UntilPrompt();
        // The monitor echoes the command; what is left is its answer (empty when it succeeded).
        const size_t echo = out.find(command);
        if (echo != std::string::npos)
            out.erase(0, echo + command.size());
        // Terminal control sequences (ESC [ ... letter) of the monitor's line editor go too.
        std::string clean;
        for (size_t i = 0; i < out.size(); ++i) {
            if (out[i] == '\x1b') {
                while (i + 1 < out.size() && !std::isalpha(static_cast<unsigned char>(out[i + 1])))
                    ++i;
                ++i;
                continue;
            }
            if (out[i] >= ' ' && out[i] < 127)
                clean += out[i];
        }
        while (!clean.empty() && clean.front() == ' ')
            clean.erase(0, 1);
        return clean.empty() ? "ok" : "ok " + clean;
    }

private:
    std::string UntilPrompt()
    {
        std::string text;
        char buffer[512];
        while (text.find("(qemu) ") == std::string::npos) {
            const ssize_t got = read(fd_, buffer, sizeof buffer);
            if (got <= 0)
                break;
            text.append(buffer, static_cast<size_t>(got));
        }
        const size_t prompt = text.rfind("(qemu) ");
        return prompt == std::string::npos ? text : text.substr(0, prompt);
    }
    std::string path_;
    int fd_ = -1;
};

struct Wire {
    std::unique_ptr<sim::GaugeSimulator> simulator;
};

std::vector<uint8_t> Addresses(const std::string &text)
{
    std::vector<uint8_t> list;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        list.push_back(static_cast<uint8_t>(std::atoi(item.c_str())));
    return list;
}

std::string Execute(const std::string &line, std::map<std::string, Wire> &wires, Monitor &monitor)
{
    std::istringstream in(line);
    std::string verb, wireName;
    in >> verb;
    if (verb == "monitor") {
        std::string rest;
        std::getline(in, rest);
        return monitor.Run(rest.substr(rest.find_first_not_of(' ')));
    }
    in >> wireName;
    const auto found = wires.find(wireName);
    if (found == wires.end())
        return "error no wire " + wireName;
    sim::GaugeSimulator &s = *found->second.simulator;
    if (verb == "gauges") {
        std::string list;
        in >> list;
        for (uint8_t a : s.addresses())
            s.removeGauge(a);
        for (uint8_t a : Addresses(list))
            if (!s.addGauge(a))
                return "error cannot add " + std::to_string(a);
        return "ok";
    }
    if (verb == "fault") {
        int address = 0;
        std::string kind;
        in >> address >> kind;
        const std::optional<sim::FaultKind> parsed = sim::faultFromName(kind);
        if (!parsed)
            return "error unknown fault " + kind;
        sim::FaultSpec spec;
        spec.kind = *parsed;
        if (spec.kind == sim::FaultKind::Random) {
            uint32_t seed = 1;
            in >> spec.probability >> seed;
            spec.seed = seed;
        }
        return s.setFault(static_cast<uint8_t>(address), spec) ? "ok" : "error no gauge " + std::to_string(address);
    }
    if (verb == "clear") {
        s.clearFaults();
        return "ok";
    }
    if (verb == "stage") {
        int address = 0, unit = 0;
        float value = 0;
        in >> address >> value >> unit;
        return s.stagePressure(static_cast<uint8_t>(address), value, static_cast<uint8_t>(unit)) ? "ok" : "error stage";
    }
    if (verb == "turnaround" || verb == "rate") {
        long value = 0;
        in >> value;
        if (verb == "rate")
            s.setLineRate(value);
        else
            s.setTurnaround(std::chrono::milliseconds(value));
        return "ok";
    }
    if (verb == "count")
        return "ok " + std::to_string(s.requests().size());
    if (verb == "reset") {
        s.requests().clear();
        return "ok";
    }
    return "error unknown command " + verb;
}

} // namespace

int main(int argc, char **argv)
{
    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2)
        options[argv[i]] = argv[i + 1];
    for (const char *needed : {"--uart", "--usb", "--control", "--monitor"}) {
        if (!options.count(needed)) {
            std::cerr << "usage: rig_host --uart unix:PATH --usb unix:PATH --control PATH --monitor PATH\n";
            return 2;
        }
    }
    std::map<std::string, Wire> wires;
    for (const char *name : {"uart", "usb"}) {
        Wire &wire = wires[name];
        wire.simulator = std::make_unique<sim::GaugeSimulator>(std::vector<uint8_t>{0});
        wire.simulator->setLineRate(9600);
        std::string error;
        bool attached = false;
        for (int i = 0; i < 100 && !attached; ++i) {
            attached = wire.simulator->attach(options["--" + std::string(name)], &error);
            if (!attached)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (!attached) {
            std::cerr << "rig_host: " << error << '\n';
            return 1;
        }
    }
    Monitor monitor(options["--monitor"]);
    const int control = ConnectUnix(options["--control"], 100);
    if (control < 0) {
        std::cerr << "rig_host: cannot reach the control line " << options["--control"] << '\n';
        return 1;
    }
    std::cerr << "rig_host: gauges served on both wires, control line open\n";
    std::string line, pending;
    while (ReadLine(control, line, pending)) {
        if (line.empty())
            continue;
        const std::string reply = Execute(line, wires, monitor);
        if (line.rfind("monitor", 0) == 0 || reply.rfind("error", 0) == 0)
            std::cerr << "rig_host: " << line << " -> " << reply << '\n';
        WriteAll(control, reply + "\n");
    }
    return 0;
}
