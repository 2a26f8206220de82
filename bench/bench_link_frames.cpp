// Cost of building a request frame and of checking a received buffer.
#include "link/frame.h"
#include "link/value_text.h"

#include <QCoreApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

using namespace orv;

static void BuildRequestFrame(benchmark::State &state)
{
    RequestFrameBuffer frame{};
    for (int i = 0; i < 16; ++i)
        frame[static_cast<std::size_t>(11 + i)] = static_cast<std::uint8_t>(i * 7);
    std::uint8_t address = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompleteRequestFrame(frame, address++, 180, 16));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BuildRequestFrame);

static ResponseBufferArray Answer(int byteCount, int dropPreamble)
{
    ResponseBufferArray buffer{};
    std::vector<std::uint8_t> f = {0xFF, 0xFF, 0xFF, 0x86, 0xFF, 0xFF, 0xFF, 0xFF, 1, 33,
                                   static_cast<std::uint8_t>(byteCount), 0, 0};
    for (int i = 0; i < byteCount; ++i)
        f.push_back(static_cast<std::uint8_t>(i));
    std::uint8_t sum = 0;
    for (std::size_t i = 3; i < f.size(); ++i)
        sum ^= f[i];
    f.push_back(sum);
    std::copy(f.begin() + dropPreamble, f.end(), buffer.begin() + 1);
    return buffer;
}

static void CheckReceivedBuffer(benchmark::State &state)
{
    const int byteCount = static_cast<int>(state.range(0));
    const int drop = static_cast<int>(state.range(1));
    const ResponseBufferArray original = Answer(byteCount, drop);
    for (auto _ : state) {
        ResponseBufferArray buffer = original;
        int count = byteCount + 14 - drop;
        benchmark::DoNotOptimize(CheckResponse(buffer, count));
    }
}
BENCHMARK(CheckReceivedBuffer)->Args({5, 0})->Args({26, 0})->Args({36, 0})->Args({26, 2});

static void FloatToText(benchmark::State &state)
{
    std::uint8_t b = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FloatBytesToText(0x44, 0xBE, b++, 0x12, QLatin1Char(',')));
}
BENCHMARK(FloatToText);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
