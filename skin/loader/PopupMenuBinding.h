// A control's own context menu, shown on a right click. Controls without one
// leave the click to their parent.
#pragma once

#include <QMetaObject>
#include <QMenu>
#include <QPointer>

class QWidget;

class TPopupMenuBinding {
public:
    explicit TPopupMenuBinding(QWidget* control) : m_control(control) {}
    TPopupMenuBinding(const TPopupMenuBinding&) = delete;
    TPopupMenuBinding& operator=(const TPopupMenuBinding&) = delete;

    QMenu* Menu() const { return m_menu; }
    void SetMenu(QMenu* menu);

private:
    QWidget* m_control;
    QPointer<QMenu> m_menu;
    QMetaObject::Connection m_connection;
};
