#pragma once

#include "skin/controls/LxEvents.h"

class QMouseEvent;
class QWidget;

// The click and mouse events every skinned control publishes, and their
// dispatch from Qt's mouse events. A click is a left press and a left release
// inside the control.
class TLxMouseEvents {
public:
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    // Each returns after the matching handlers ran. A double click raises
    // OnDblClick, then counts as a press.
    void DispatchPress(QWidget* control, QMouseEvent* event);
    void DispatchDoubleClick(QWidget* control, QMouseEvent* event);
    void DispatchMove(QWidget* control, QMouseEvent* event);
    // True when the release completed a click (OnClick was due).
    bool DispatchRelease(QWidget* control, QMouseEvent* event);

    static TShiftState ShiftOf(const QMouseEvent* event, bool isDouble = false);

private:
    bool leftPressed_ = false;
};
