#pragma once

#include <QList>
#include <QString>
#include <QSystemTrayIcon>
#include <span>

// What the tray icon does for each mouse message of the notification area:
// the events it raises and the menus it pops up, in order.
enum class TrayMouseMessage {
    Move,
    LeftDown,
    LeftUp,
    LeftDblClick,
    RightDown,
    RightUp,
    RightDblClick,
    MiddleDown,
    MiddleUp,
    MiddleDblClick,
};

enum class TrayAction {
    MouseMove,
    LeftButtonDown,
    LeftButtonUp,
    LeftButtonDblClick,
    RightButtonDown,
    RightButtonUp,
    RightButtonDblClick,
    MiddleButtonDown,
    MiddleButtonUp,
    MiddlebuttonDblClk,
    MouseUp,
    Click,
    DblClick,
    PopupDropDownMenu,
    PopupPopupMenu,
};

std::span<const TrayAction> TrayActionsFor(TrayMouseMessage message);

// The mouse messages that one activation of a Qt tray icon stands for: a
// left click is a press and a release, and so on.
QList<TrayMouseMessage> TrayMessagesFor(QSystemTrayIcon::ActivationReason reason);

// The tooltip of a hint: its part before the first '|', cut to 63 characters.
QString TrayTipText(const QString& hint);
