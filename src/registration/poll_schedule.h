#pragma once
// Keeps the polls of a cycle on their schedule, poll k at cycle start + k x spacing. Each poll
// sets the spacing timer for the next one; started plainly with the spacing, every timer's small
// lateness would add up over the cycle (most of a millisecond per poll here). The interval is
// therefore the spacing less the lateness of the poll going out now, as long as that lateness
// is small: a poll held up for longer (a dialog, a slow port) starts a new schedule, so two polls
// never come closer than the spacing allows.
// A timer of the event loop fires one to two milliseconds late here; so the timer may be set a
// little early (the lead) and the poll then waits out the rest to its due time.
namespace orv {

class PollSchedule {
public:
    // The cycle starts now; its first poll is due at once.
    void StartCycle(double nowMs) { dueMs_ = nowMs; }

    // How long until the poll about to go out is due (negative when it is late).
    double MsUntilDue(double nowMs) const { return dueMs_ - nowMs; }

    // A poll goes out at nowMs: the interval until the next one is due less the lead, in whole
    // milliseconds. At most half the gap between spacing and response wait is taken back from a
    // late poll.
    int NextInterval(double nowMs, int spacingMs, int responseWaitMs, int leadMs = 0);

    // How early the spacing timer is set: up to 4 ms, and always well inside the gap between
    // spacing and response wait, so the previous exchange is evaluated before the next poll.
    static int TimerLead(int spacingMs, int responseWaitMs);

private:
    double dueMs_ = 0.0;
};

} // namespace orv
