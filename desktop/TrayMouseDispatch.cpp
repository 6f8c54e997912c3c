#include "desktop/TrayMouseDispatch.h"

namespace {

using A = TrayAction;

constexpr TrayAction MoveActions[] = {A::MouseMove};
constexpr TrayAction LeftDownActions[] = {A::LeftButtonDown, A::PopupDropDownMenu};
constexpr TrayAction LeftUpActions[] = {A::LeftButtonUp, A::MouseUp, A::Click};
constexpr TrayAction LeftDblClickActions[] = {A::LeftButtonDblClick, A::DblClick};
constexpr TrayAction RightDownActions[] = {A::RightButtonDown};
constexpr TrayAction RightUpActions[] = {A::PopupPopupMenu, A::RightButtonUp, A::MouseUp, A::Click};
constexpr TrayAction RightDblClickActions[] = {A::RightButtonDblClick, A::DblClick};
constexpr TrayAction MiddleDownActions[] = {A::MiddleButtonDown};
constexpr TrayAction MiddleUpActions[] = {A::MiddleButtonUp, A::MouseUp, A::Click};
constexpr TrayAction MiddleDblClickActions[] = {A::MiddlebuttonDblClk, A::DblClick};

constexpr int MaximumTipLength = 63;

} // namespace

std::span<const TrayAction> TrayActionsFor(TrayMouseMessage message) {
    switch (message) {
    case TrayMouseMessage::Move: return MoveActions;
    case TrayMouseMessage::LeftDown: return LeftDownActions;
    case TrayMouseMessage::LeftUp: return LeftUpActions;
    case TrayMouseMessage::LeftDblClick: return LeftDblClickActions;
    case TrayMouseMessage::RightDown: return RightDownActions;
    case TrayMouseMessage::RightUp: return RightUpActions;
    case TrayMouseMessage::RightDblClick: return RightDblClickActions;
    case TrayMouseMessage::MiddleDown: return MiddleDownActions;
    case TrayMouseMessage::MiddleUp: return MiddleUpActions;
    case TrayMouseMessage::MiddleDblClick: return MiddleDblClickActions;
    }
    return {};
}

QList<TrayMouseMessage> TrayMessagesFor(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger: return {TrayMouseMessage::LeftDown, TrayMouseMessage::LeftUp};
    case QSystemTrayIcon::DoubleClick: return {TrayMouseMessage::LeftDblClick};
    case QSystemTrayIcon::Context: return {TrayMouseMessage::RightDown, TrayMouseMessage::RightUp};
    case QSystemTrayIcon::MiddleClick: return {TrayMouseMessage::MiddleDown, TrayMouseMessage::MiddleUp};
    case QSystemTrayIcon::Unknown: break;
    }
    return {};
}

QString TrayTipText(const QString& hint) { return hint.section(QLatin1Char('|'), 0, 0).left(MaximumTipLength); }
