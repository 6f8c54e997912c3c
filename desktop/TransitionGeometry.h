#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The transitions of TLxImageTransform, in their published order.
enum class TTransType {
    ttWipeLeft,
    ttWipeRight,
    ttWipeUp,
    ttWipeDown,
    ttTurnLeft,
    ttTurnRight,
    ttTurnUp,
    ttTurnDown,
    ttWipeDownRight,
    ttWipeDownLeft,
    ttWipeUpRight,
    ttWipeUpLeft,
};

// Where one frame of a transition draws the incoming picture. Wipes draw it
// unscaled at an offset that shrinks to 0; turns stretch it into a
// rectangle that grows from one edge.
struct TransitionFrame {
    enum class Kind { Nothing, Offset, Stretch };
    Kind kind = Kind::Nothing;
    QPoint offset; // for Offset
    QRect target;  // for Stretch
};

// The frame after `step` of `steps` for a picture of the given size
// (always the first picture's). Fractions round to the nearest integer,
// halves to even. Nothing is drawn while the fraction is not above 0.
TransitionFrame FrameGeometry(TTransType type, int step, int steps, QSize size);

// The options window's transition for a random draw 0 to 11.
TTransType TransitionForDraw(int draw);
