// Figures of orvessa-poll, run as a child process against ten simulated gauges on a
// pseudo-terminal: the time of a full address scan with the link times given, and the CPU time
// and peak memory of a long poll of ten gauges (the cycles may be time-compressed: the work per
// exchange is the same, the idle time between cycles costs next to nothing).
//
//   bench_poll_cli [--scan-timeout MS --scan-next MS] [--cycles N --period S --timeout MS --next MS]
//                  [--no-scan] [--no-poll]
#include "gauge_simulator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct ChildFigures {
    int status = -1;
    double wallS = 0;
    double userS = 0;
    double systemS = 0;
    long maxRssKb = 0;
};

ChildFigures RunChild(const std::vector<std::string> &arguments, const std::string &outputPath)
{
    std::vector<char *> argv;
    for (const std::string &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ChildFigures f;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return f;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    f.wallS = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    f.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    f.userS = static_cast<double>(usage.ru_utime.tv_sec) + usage.ru_utime.tv_usec / 1e6;
    f.systemS = static_cast<double>(usage.ru_stime.tv_sec) + usage.ru_stime.tv_usec / 1e6;
    f.maxRssKb = usage.ru_maxrss;
    posix_spawn_file_actions_destroy(&actions);
    return f;
}

long CountLines(const std::string &path, const char *containing)
{
    FILE *file = std::fopen(path.c_str(), "r");
    if (!file)
        return 0;
    long n = 0;
    char line[4096];
    while (std::fgets(line, sizeof line, file))
        if (std::strstr(line, containing))
            ++n;
    std::fclose(file);
    return n;
}

} // namespace

int main(int argc, char **argv)
{
    int scanTimeout = 280, scanNext = 300;
    int cycles = 600, timeout = 18, next = 19;
    std::string period = "0.2";
    bool scan = true, poll = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
        if (a == "--scan-timeout") scanTimeout = std::atoi(value().c_str());
        else if (a == "--scan-next") scanNext = std::atoi(value().c_str());
        else if (a == "--cycles") cycles = std::atoi(value().c_str());
        else if (a == "--period") period = value();
        else if (a == "--timeout") timeout = std::atoi(value().c_str());
        else if (a == "--next") next = std::atoi(value().c_str());
        else if (a == "--no-scan") scan = false;
        else if (a == "--no-poll") poll = false;
    }

    std::vector<uint8_t> gauges;
    for (uint8_t a = 1; a <= 10; ++a)
        gauges.push_back(a);
    sim::GaugeSimulator simulator(gauges);
    std::string error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    char dir[] = "/tmp/bench_poll_XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string base(dir);
    const std::string program = ORVESSA_POLL_PROGRAM;
    // The program's own defaults: post-transmit 1 ms, RS-485 off; the times come as options.
    const std::string settings = base + "/Orvessa.ini";
    if (FILE *ini = std::fopen(settings.c_str(), "w")) {
        std::fputs("1\r\n280\r\n300\r\n15\r\n0\r\n", ini);
        std::fclose(ini);
    }
    const std::string port = simulator.slavePath();
    std::printf("load average at start: ");
    std::fflush(stdout);
    std::system("cut -d' ' -f1-3 /proc/loadavg");

    if (scan) {
        const ChildFigures f = RunChild({program, "--scan", "0-255", "-t", std::to_string(scanTimeout), "-n",
                                         std::to_string(scanNext), "--settings", settings, port},
                                        base + "/scan.txt");
        std::printf("scan 0..255, response wait %d ms, next transmit %d ms: %.2f s wall (%.2f ms per address), "
                    "%ld gauges found, exit %d; CPU %.2f s\n",
                    scanTimeout, scanNext, f.wallS, f.wallS * 1000.0 / 256, CountLines(base + "/scan.txt", "адрес"),
                    f.status, f.userS + f.systemS);
    }
    if (poll) {
        const ChildFigures f =
            RunChild({program, "-a", "1-10", "-c", std::to_string(cycles), "-l", period, "-t", std::to_string(timeout),
                      "-n", std::to_string(next), "-F", "csv", "--survey", base + "/survey", "--settings", settings,
                      port},
                     base + "/poll.csv");
        const long answered = CountLines(base + "/poll.csv", ",ok,");
        const long silent = CountLines(base + "/poll.csv", "no answer");
        const double cpu = f.userS + f.systemS;
        std::printf("poll of 10 gauges, %d cycles every %s s (response wait %d ms, next transmit %d ms): %.1f s wall, "
                    "%ld answered, %ld silent, exit %d\n",
                    cycles, period.c_str(), timeout, next, f.wallS, answered, silent, f.status);
        std::printf("  CPU %.2f s (user %.2f, system %.2f) = %.3f ms per exchange; peak memory (max RSS) %ld KiB\n", cpu,
                    f.userS, f.systemS, cpu * 1000.0 / (cycles * 10.0), f.maxRssKb);
        std::printf("  the same %d cycles at one a second take %d s: CPU %.2f %% of one core\n", cycles, cycles,
                    100.0 * cpu / cycles);
    }
    std::string cleanup = "rm -rf " + base;
    std::system(cleanup.c_str());
    simulator.stop();
    return 0;
}
