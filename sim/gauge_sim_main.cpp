// gauge_sim: a virtual bus of gauges on a pseudo-terminal, for people without gauges at hand.
#include "gauge_simulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kHelp[] =
    "Usage: gauge_sim [options]\n"
    "Simulates a bus of up to ten pressure gauges on a pseudo-terminal. The first line printed is the\n"
    "device to open as the serial port; the simulator serves it until interrupted (Ctrl+C) or terminated.\n"
    "\n"
    "  --attach DEVICE        serve an existing terminal device instead of a new pseudo-terminal\n"
    "  --connect unix:PATH    serve a stream socket (e.g. a virtual machine's serial line) instead\n"
    "  --rate BAUD            pace answers at this rate instead of the rate read from the terminal\n"
    "                         (needed where the rate cannot be read, as on a socket; default 9600 there)\n"
    "  --gauges LIST          polling addresses of the gauges, comma separated (default 1,2,3)\n"
    "  --no-pacing            send answers at once instead of at the line's baud rate\n"
    "  --turnaround MS        pause before an answer starts, milliseconds (default 2)\n"
    "  --fault ADDR:KIND      make the gauge at ADDR commit a fault; KIND is one of\n"
    "                           silence, late[=MS], preamble-1, preamble-2, preamble-5, checksum,\n"
    "                           length[=DELTA], short[=BYTES], chunks[=SIZE,GAP_MS], overflow,\n"
    "                           address[=CLAIMED], delimiter, garbage, none\n"
    "  --random-faults P      every gauge spoils each answer with probability P (0..1) by a random fault\n"
    "  --seed N               seed of the random faults (default 1)\n"
    "  --help                 this text\n";

[[noreturn]] void usageError(const std::string &message)
{
    std::cerr << "gauge_sim: " << message << "\nTry gauge_sim --help\n";
    std::exit(2);
}

long number(const std::string &text, long low, long high, const char *what)
{
    char *end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high)
        usageError(std::string("bad ") + what + ": " + text);
    return value;
}

std::vector<uint8_t> addressList(const std::string &text)
{
    std::vector<uint8_t> list;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        list.push_back(static_cast<uint8_t>(number(item, 0, 255, "address")));
    if (list.empty() || list.size() > sim::GaugeBus::kMaxGauges)
        usageError("between one and ten gauges, please");
    return list;
}

// "3:late=600" -> address 3, a late fault of 600 ms.
std::pair<uint8_t, sim::FaultSpec> faultOption(const std::string &text)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos)
        usageError("--fault wants ADDR:KIND, got " + text);
    const uint8_t address = static_cast<uint8_t>(number(text.substr(0, colon), 0, 255, "address"));
    std::string kindText = text.substr(colon + 1), value;
    const size_t equals = kindText.find('=');
    if (equals != std::string::npos) {
        value = kindText.substr(equals + 1);
        kindText.resize(equals);
    }
    const std::optional<sim::FaultKind> kind = sim::faultFromName(kindText);
    if (!kind || *kind == sim::FaultKind::Random)
        usageError("unknown fault: " + kindText);
    sim::FaultSpec spec;
    spec.kind = *kind;
    if (!value.empty()) {
        switch (*kind) {
        case sim::FaultKind::Late:
            spec.lateBy = std::chrono::milliseconds(number(value, 0, 60000, "delay"));
            break;
        case sim::FaultKind::WrongLength:
            spec.lengthDelta = static_cast<int>(number(value, -255, 255, "length change"));
            break;
        case sim::FaultKind::ShortAnswer:
            spec.shortLength = static_cast<size_t>(number(value, 0, 10, "short length"));
            break;
        case sim::FaultKind::OtherAddress:
            spec.claimedAddress = static_cast<uint8_t>(number(value, 0, 255, "claimed address"));
            break;
        case sim::FaultKind::Chunked: {
            const size_t comma = value.find(',');
            spec.chunkSize = static_cast<size_t>(number(value.substr(0, comma), 1, 255, "chunk size"));
            if (comma != std::string::npos)
                spec.chunkGap = std::chrono::milliseconds(number(value.substr(comma + 1), 0, 10000, "chunk gap"));
            break;
        }
        default:
            usageError("fault " + kindText + " takes no value");
        }
    }
    return {address, spec};
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<uint8_t> addresses{1, 2, 3};
    std::vector<std::pair<uint8_t, sim::FaultSpec>> faults;
    bool pacing = true;
    long turnaroundMs = 2;
    double randomShare = 0.0;
    long seed = 1;
    long rate = 0;
    std::string wire;   // empty: a new pseudo-terminal

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                usageError(arg + " wants a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::cout << kHelp;
            return 0;
        } else if (arg == "--attach") {
            wire = value();
        } else if (arg == "--connect") {
            wire = value();
            if (wire.rfind("unix:", 0) != 0)
                usageError("--connect wants unix:PATH, got " + wire);
        } else if (arg == "--rate") {
            rate = number(value(), 50, 4000000, "rate");
        } else if (arg == "--gauges") {
            addresses = addressList(value());
        } else if (arg == "--no-pacing") {
            pacing = false;
        } else if (arg == "--turnaround") {
            turnaroundMs = number(value(), 0, 10000, "turnaround");
        } else if (arg == "--fault") {
            faults.push_back(faultOption(value()));
        } else if (arg == "--random-faults") {
            const std::string text = value();
            char *end = nullptr;
            randomShare = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !(randomShare >= 0.0 && randomShare <= 1.0))
                usageError("--random-faults wants a probability between 0 and 1");
        } else if (arg == "--seed") {
            seed = number(value(), 0, 0xFFFFFFFFL, "seed");
        } else {
            usageError("unknown option " + arg);
        }
    }

    // Signals are taken by sigwait below; block them before the serving thread exists so it inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    sim::GaugeSimulator simulator(addresses);
    if (randomShare > 0.0) {
        sim::FaultSpec random;
        random.kind = sim::FaultKind::Random;
        random.probability = randomShare;
        random.seed = static_cast<uint32_t>(seed);
        simulator.setFaultAll(random);
    }
    for (const auto &fault : faults)
        if (!simulator.setFault(fault.first, fault.second))
            usageError("no gauge at address " + std::to_string(fault.first));
    simulator.setPacing(pacing);
    simulator.setTurnaround(std::chrono::milliseconds(turnaroundMs));
    simulator.setLineRate(rate);

    std::string error;
    if (!(wire.empty() ? simulator.start(&error) : simulator.attach(wire, &error))) {
        std::cerr << "gauge_sim: " << error << '\n';
        return 1;
    }
    std::cout << simulator.slavePath() << std::endl;
    std::cerr << "gauge_sim: serving gauges";
    for (uint8_t address : simulator.addresses())
        std::cerr << ' ' << int(address);
    std::cerr << " on " << simulator.slavePath() << "; Ctrl+C ends\n";

    int received = 0;
    sigwait(&stopSignals, &received);
    simulator.stop();
    std::cerr << "gauge_sim: stopped, " << simulator.requests().size() << " requests heard\n";
    return 0;
}
