#include "desktop/LxPageControl.h"

#include "skin/controls/ParentColorWatch.h"

TLxPageControl::TLxPageControl(QWidget* parent) : QTabWidget(parent), hintColor_(HintColorSwap::SystemHintColor()) {
    new ParentColorWatch(this, [this] { Raise(OnParentColorChange, this); });
}

QColor TLxPageControl::Color() const { return palette().color(QPalette::Window); }

void TLxPageControl::SetColor(const QColor& value) {
    QPalette colored = palette();
    colored.setColor(QPalette::Window, value);
    setPalette(colored);
    setAutoFillBackground(true);
}

void TLxPageControl::enterEvent(QEnterEvent* event) {
    QTabWidget::enterEvent(event);
    hintSwap_.Enter(hintColor_);
    Raise(OnMouseEnter, this);
}

void TLxPageControl::leaveEvent(QEvent* event) {
    QTabWidget::leaveEvent(event);
    hintSwap_.Leave();
    Raise(OnMouseLeave, this);
}
