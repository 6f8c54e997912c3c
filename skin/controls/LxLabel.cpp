#include "skin/controls/LxLabel.h"

#include <QApplication>

TLxLabel::TLxLabel(QWidget* parent)
    : TLxCustomLabel(parent), colorOnEnter_(QApplication::palette().color(QPalette::HighlightedText)),
      hintColor_(HintColorSwap::SystemHintColor()), savedFontColor_(FontColor()) {}

void TLxLabel::enterEvent(QEnterEvent* event) {
    if (!hovering_) {
        hintSwap_.Enter(hintColor_);
        if (colorChange_) {
            savedFontColor_ = FontColor();
            SetFontColor(colorOnEnter_);
        }
        hovering_ = true;
    }
    TLxCustomLabel::enterEvent(event);
}

void TLxLabel::leaveEvent(QEvent* event) {
    if (hovering_) {
        hintSwap_.Leave();
        if (colorChange_) SetFontColor(savedFontColor_);
        hovering_ = false;
    }
    TLxCustomLabel::leaveEvent(event);
}
