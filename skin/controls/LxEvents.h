#pragma once

#include <QPoint>
#include <Qt>
#include <functional>
#include <utility>

class QObject;

// Keyboard modifiers and mouse buttons held while an event happened; Double
// marks the press of a double click.
struct TShiftState {
    Qt::KeyboardModifiers Keys;
    Qt::MouseButtons Buttons;
    bool Double = false;
};

// Event handlers of the skinned controls. The sender is the control that raises
// the event; a handler is called only when assigned.
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(QObject* Sender, TShiftState Shift, int WheelDelta, QPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(QObject* Sender, TShiftState Shift, QPoint MousePos, bool& Handled)>;

// Calls a handler when it is assigned.
template <typename Handler, typename... Args> void Raise(const Handler& handler, Args&&... args) {
    if (handler) handler(std::forward<Args>(args)...);
}
