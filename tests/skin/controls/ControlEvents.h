#pragma once

// Pointer entry and leave as the window system delivers them.
#include <QCoreApplication>
#include <QEnterEvent>
#include <QWidget>

inline void SendEnter(QWidget* widget) {
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(widget, &event);
}

inline void SendLeave(QWidget* widget) {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}
