#include "skin/controls/LxMouseEvents.h"

#include <QMouseEvent>
#include <QWidget>

TShiftState TLxMouseEvents::ShiftOf(const QMouseEvent* event, bool isDouble) {
    return TShiftState{event->modifiers(), event->buttons(), isDouble};
}

void TLxMouseEvents::DispatchPress(QWidget* control, QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) leftPressed_ = true;
    const QPoint p = event->position().toPoint();
    Raise(OnMouseDown, control, event->button(), ShiftOf(event), p.x(), p.y());
}

void TLxMouseEvents::DispatchDoubleClick(QWidget* control, QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Raise(OnDblClick, control);
        leftPressed_ = true;
    }
    const QPoint p = event->position().toPoint();
    Raise(OnMouseDown, control, event->button(), ShiftOf(event, true), p.x(), p.y());
}

void TLxMouseEvents::DispatchMove(QWidget* control, QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Raise(OnMouseMove, control, ShiftOf(event), p.x(), p.y());
}

bool TLxMouseEvents::DispatchRelease(QWidget* control, QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const bool clicked = event->button() == Qt::LeftButton && leftPressed_ && control->rect().contains(p);
    if (event->button() == Qt::LeftButton) leftPressed_ = false;
    if (clicked) Raise(OnClick, control);
    Raise(OnMouseUp, control, event->button(), ShiftOf(event), p.x(), p.y());
    return clicked;
}
