#include "skin/controls/LxCustomLabel.h"

#include "skin/controls/ParentColorWatch.h"

#include <QEvent>
#include <QMouseEvent>

TLxCustomLabel::TLxCustomLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    setMouseTracking(true);
    new ParentColorWatch(this, [this] { Raise(OnParentColorChange, this); });
}

void TLxCustomLabel::SetCaption(const QString& value) {
    setText(value);
    FitToCaption();
}

QColor TLxCustomLabel::Color() const { return palette().color(QPalette::Window); }

void TLxCustomLabel::SetColor(const QColor& value) {
    QPalette p = palette();
    p.setColor(QPalette::Window, value);
    setPalette(p);
}

void TLxCustomLabel::SetTransparent(bool value) {
    transparent_ = value;
    setAutoFillBackground(!value);
    update();
}

QColor TLxCustomLabel::FontColor() const { return palette().color(QPalette::WindowText); }

void TLxCustomLabel::SetFontColor(const QColor& value) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, value);
    setPalette(p);
}

void TLxCustomLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    FitToCaption();
}

void TLxCustomLabel::FitToCaption() {
    if (autoSize_) adjustSize();
}

void TLxCustomLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    Raise(OnMouseEnter, this);
}

void TLxCustomLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    Raise(OnMouseLeave, this);
}

void TLxCustomLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) FitToCaption();
}

void TLxCustomLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    DispatchPress(this, event);
}

void TLxCustomLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    DispatchDoubleClick(this, event);
}

void TLxCustomLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    DispatchMove(this, event);
}

void TLxCustomLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (DispatchRelease(this, event)) Clicked();
}
