#include "link/serial_drain_decision.h"

#include <algorithm>

namespace orv {

namespace {

constexpr long long kShortestWaitMicros = 200;
constexpr long long kLongestWaitMicros = 1000000;

TransmitStep WaitFor(long long micros)
{
    return {TransmitStep::Wait, std::clamp(micros, kShortestWaitMicros, kLongestWaitMicros)};
}

} // namespace

long long LineStatusGraceMicros(int characterMicros)
{
    return 2LL * characterMicros + 5000;
}

long long DrainBoundMicros(int characterMicros)
{
    return 2LL * characterMicros + 20000;
}

TransmitStep NextTransmitStep(const TransmitLook &look)
{
    // A status saying "empty" before the bytes can have left is an old one (a USB adapter reports
    // its status in packets, every few milliseconds), so it is not believed before that moment.
    if (look.sinceLineFree < 0)
        return WaitFor(-look.sinceLineFree);
    // Bytes the kernel still holds leave at the line's pace whatever the device reports.
    if (look.queued > 0)
        return WaitFor(1LL * look.queued * look.characterMicros);

    switch (look.source) {
    case TransmitEndSource::LineStatus: {
        if (look.transmitterEmpty)
            return {TransmitStep::Report};
        const long long grace = LineStatusGraceMicros(look.characterMicros);
        if (look.sinceLineFree >= grace)
            return {TransmitStep::FallBack};
        // Looked at every half character: late by at most that much, and no busy polling.
        return WaitFor(std::min<long long>(look.characterMicros / 2, grace - look.sinceLineFree));
    }
    case TransmitEndSource::Drain:
        return {TransmitStep::Drain};
    case TransmitEndSource::LineTime:
        break;
    }
    return {TransmitStep::Report};
}

} // namespace orv
