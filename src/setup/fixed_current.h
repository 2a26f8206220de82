#pragma once
// The fixed-current mode lamps of the current output dialog: which of its three buttons is
// waiting for the gauge's answer (the mark), and the lamp colours an outcome leaves behind.
#include <QColor>
#include <optional>

namespace orv {

enum class FixedCurrentButton { DacMin, DacMax, Off };   // VKL_Regim_DAC_Min, VKL_Regim_DAC_Max, VIKL_Regim

struct FixedCurrentMarks {
    bool dacMin = false;
    bool dacMax = false;
    bool off = false;

    bool operator==(const FixedCurrentMarks &o) const
    {
        return dacMin == o.dacMin && dacMax == o.dacMax && off == o.off;
    }
};

struct FixedCurrentLamps {
    QColor shape1;
    QColor shape2;
    QColor shape3;
};

struct FixedCurrentOutcome {
    FixedCurrentMarks marks;                  // the marks afterwards
    std::optional<FixedCurrentLamps> lamps;   // lamps to paint; none: leave them as they are
};

// A press marks its own button and clears the two others.
FixedCurrentMarks MarksAfterPress(FixedCurrentButton button);

// An answer of command 40: the mode is off (the current reads -1) or a current is fixed. Only a
// marked button that agrees with the answer is confirmed (lime) and loses its mark; an answer
// that agrees with no mark changes nothing.
FixedCurrentOutcome FixedCurrentAnswerOutcome(bool modeOff, FixedCurrentMarks marks);

// A failed exchange: the marked button's lamp turns red, the others silver, and the mark goes.
FixedCurrentOutcome FixedCurrentFailureOutcome(FixedCurrentMarks marks);

} // namespace orv
