#include "registration/poll_schedule.h"

#include <algorithm>
#include <cmath>

namespace orv {

int PollSchedule::NextInterval(double nowMs, int spacingMs, int responseWaitMs, int leadMs)
{
    const double allowance = std::max(0, spacingMs - responseWaitMs) / 2.0;
    if (std::abs(nowMs - dueMs_) > allowance)
        dueMs_ = nowMs;
    dueMs_ += spacingMs;
    return std::max(0, static_cast<int>(std::lround(dueMs_ - nowMs - leadMs)));
}

int PollSchedule::TimerLead(int spacingMs, int responseWaitMs)
{
    return std::clamp((spacingMs - responseWaitMs) / 2 - 1, 0, 4);
}

} // namespace orv
