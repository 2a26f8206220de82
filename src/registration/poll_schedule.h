#pragma once
// Keeps the polls of a cycle on their schedule, poll k at cycle start + k x spacing. Each poll
// sets the spacing timer for the next one; started plainly with the spacing, every timer's small
// lateness would add up over the cycle (most of a millisecond per poll here). The interval is
// therefore the spacing less the lateness of the poll going out now, as long as that lateness
// is small: a poll held up for longer (a dialog, a slow port) starts a new schedule, so two polls
// never come closer than the spacing allows.
namespace orv {

class PollSchedule {
public:
    // The cycle starts now; its first poll is due at once.
    void StartCycle(double nowMs) { dueMs_ = nowMs; }

    // A poll goes out at nowMs: the interval until the next one is due, in whole milliseconds.
    // At most half the gap between spacing and response wait is taken back from a late poll.
    int NextInterval(double nowMs, int spacingMs, int responseWaitMs);

private:
    double dueMs_ = 0.0;
};

} // namespace orv
