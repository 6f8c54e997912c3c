#include "skin/controls/HintColorSwap.h"

#include <QApplication>
#include <QPalette>
#include <QToolTip>

HintColorSwap::~HintColorSwap() { Leave(); }

void HintColorSwap::Enter(const QColor& hintColor) {
    if (!active_) {
        saved_ = ApplicationHintColor();
        active_ = true;
    }
    SetApplicationHintColor(hintColor);
}

void HintColorSwap::Leave() {
    if (!active_) return;
    active_ = false;
    SetApplicationHintColor(saved_);
}

QColor HintColorSwap::ApplicationHintColor() { return QToolTip::palette().color(QPalette::ToolTipBase); }

void HintColorSwap::SetApplicationHintColor(const QColor& color) {
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, color);
    QToolTip::setPalette(palette);
}

QColor HintColorSwap::SystemHintColor() { return QApplication::palette().color(QPalette::ToolTipBase); }
