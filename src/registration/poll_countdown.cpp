#include "registration/poll_countdown.h"

#include <cmath>

namespace orv {

bool CountdownExpired(int &periodCountdown)
{
    if (periodCountdown == 0)
        return true;
    --periodCountdown;
    return false;
}

int CountdownBarPosition(int periodCountdown, int period, int barSpan)
{
    if (period <= 0)
        return 0;
    const double share = static_cast<double>(barSpan) * SecondsShown(periodCountdown) / period;
    return static_cast<int>(std::nearbyint(share));
}

} // namespace orv
