#include "desktop/TransitionGeometry.h"

#include <cmath>

namespace {

int Round(double value) {
    return static_cast<int>(std::nearbyint(value)); // the default mode rounds halves to even
}

TransitionFrame Offset(int x, int y) { return {TransitionFrame::Kind::Offset, QPoint(x, y), QRect()}; }

TransitionFrame Stretch(int left, int top, int right, int bottom) {
    return {TransitionFrame::Kind::Stretch, QPoint(), QRect(QPoint(left, top), QSize(right - left, bottom - top))};
}

} // namespace

TransitionFrame FrameGeometry(TTransType type, int step, int steps, QSize size) {
    const double f = steps < 1 ? 0.0 : static_cast<double>(step) / steps;
    const double r = 1.0 - f;
    if (!(f > 0.0)) return {};
    const int w = size.width();
    const int h = size.height();
    switch (type) {
    case TTransType::ttWipeLeft: return Offset(Round(w * r), 0);
    case TTransType::ttWipeRight: return Offset(-Round(w * r), 0);
    case TTransType::ttWipeUp: return Offset(0, Round(h * r));
    case TTransType::ttWipeDown: return Offset(0, -Round(h * r));
    case TTransType::ttWipeDownRight: return Offset(-Round(w * r), -Round(h * r));
    case TTransType::ttWipeDownLeft: return Offset(Round(w * r), -Round(h * r));
    case TTransType::ttWipeUpRight: return Offset(-Round(w * r), Round(h * r));
    case TTransType::ttWipeUpLeft: return Offset(Round(w * r), Round(h * r));
    case TTransType::ttTurnLeft: return Stretch(Round(w * r), 0, Round(w * r) + Round(w * f), h);
    case TTransType::ttTurnRight: return Stretch(0, 0, Round(w * f), h);
    case TTransType::ttTurnUp: return Stretch(0, Round(h * r), w, Round(h * r) + Round(h * f));
    case TTransType::ttTurnDown: return Stretch(0, 0, w, Round(h * f));
    }
    return {};
}

TTransType TransitionForDraw(int draw) {
    constexpr TTransType table[] = {
        TTransType::ttTurnDown,   TTransType::ttTurnUp,      TTransType::ttTurnLeft,      TTransType::ttTurnRight,
        TTransType::ttWipeDown,   TTransType::ttWipeLeft,    TTransType::ttWipeRight,     TTransType::ttWipeUp,
        TTransType::ttWipeUpLeft, TTransType::ttWipeUpRight, TTransType::ttWipeDownRight, TTransType::ttWipeDownLeft,
    };
    return table[static_cast<unsigned>(draw) % std::size(table)];
}
