#pragma once
// The period countdown of registration polling, ticked once a second by Timer1: with period P
// the page shows P, P-1, ... 1 seconds left, and the tick after "1 c" starts the next cycle.

namespace orv {

// One tick: true when the countdown has run out (a cycle starts and sets it to P - 1);
// otherwise it goes down by one.
bool CountdownExpired(int &periodCountdown);

// The seconds shown until the next cycle.
inline int SecondsShown(int periodCountdown) { return periodCountdown + 1; }

// The bar position for the share of the period still to run: span x (countdown + 1) / P,
// rounded half to even.
int CountdownBarPosition(int periodCountdown, int period, int barSpan);

} // namespace orv
