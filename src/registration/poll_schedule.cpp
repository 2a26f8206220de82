#include "registration/poll_schedule.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace orv {

// The link times come from a settings file anyone can edit, so any int may arrive here: the
// differences are taken in 64 bits and the interval is held to what a timer can take.
int PollSchedule::NextInterval(double nowMs, int spacingMs, int responseWaitMs, int leadMs)
{
    const long long gap = static_cast<long long>(spacingMs) - responseWaitMs;
    const double allowance = static_cast<double>(std::max(0LL, gap)) / 2.0;
    if (std::abs(nowMs - dueMs_) > allowance)
        dueMs_ = nowMs;
    dueMs_ += spacingMs;
    const double interval = std::round(dueMs_ - nowMs - leadMs);
    return static_cast<int>(std::clamp(interval, 0.0, static_cast<double>(INT_MAX)));
}

int PollSchedule::TimerLead(int spacingMs, int responseWaitMs)
{
    const long long gap = static_cast<long long>(spacingMs) - responseWaitMs;
    return static_cast<int>(std::clamp(gap / 2 - 1, 0LL, 4LL));
}

} // namespace orv
