#include "setup/fixed_current.h"

#include "widgets/display_colours.h"

namespace orv {

namespace {

FixedCurrentLamps OneLamp(int lit, const QColor &colour)
{
    FixedCurrentLamps lamps{LampSilver(), LampSilver(), LampSilver()};
    (lit == 1 ? lamps.shape1 : lit == 2 ? lamps.shape2 : lamps.shape3) = colour;
    return lamps;
}

} // namespace

FixedCurrentMarks MarksAfterPress(FixedCurrentButton button)
{
    FixedCurrentMarks marks;
    marks.dacMin = button == FixedCurrentButton::DacMin;
    marks.dacMax = button == FixedCurrentButton::DacMax;
    marks.off = button == FixedCurrentButton::Off;
    return marks;
}

FixedCurrentOutcome FixedCurrentAnswerOutcome(bool modeOff, FixedCurrentMarks marks)
{
    FixedCurrentOutcome out{marks, std::nullopt};
    if (modeOff) {
        if (out.marks.off) {
            out.marks.off = false;
            out.lamps = OneLamp(3, LampLime());
        }
        return out;
    }
    // Both marks are looked at in turn; only one can be set, since a press clears the others.
    if (out.marks.dacMin) {
        out.marks.dacMin = false;
        out.lamps = OneLamp(1, LampLime());
    }
    if (out.marks.dacMax) {
        out.marks.dacMax = false;
        out.lamps = OneLamp(2, LampLime());
    }
    return out;
}

FixedCurrentOutcome FixedCurrentFailureOutcome(FixedCurrentMarks marks)
{
    FixedCurrentOutcome out{marks, std::nullopt};
    if (out.marks.dacMin) {
        out.marks.dacMin = false;
        out.lamps = OneLamp(1, LampRed());
    }
    if (out.marks.dacMax) {
        out.marks.dacMax = false;
        out.lamps = OneLamp(2, LampRed());
    }
    if (out.marks.off) {
        out.marks.off = false;
        out.lamps = OneLamp(3, LampRed());
    }
    return out;
}

} // namespace orv
