#include "desktop/LxTrayIcon.h"

#include "desktop/DesktopStrings.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QWidget>
#include <climits>
#include <cstdio>
#include <exception>

namespace {

QIcon ApplicationIcon() {
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) return icon;
    return QApplication::style()->standardIcon(QStyle::SP_MediaPlay);
}

void SayNoTrayOnce() {
    static bool said = false;
    if (!said) {
        std::fprintf(stderr, "%s\n", DesktopStrings::NoSystemTray);
        said = true;
    }
}

} // namespace

// Menus, tooltips and windows outside the window manager's care are no
// windows of the application; the tray icon's own window on an XEmbed tray is
// one of the latter, and hiding it would leave no way back.
bool TLxTrayIcon::IsApplicationWindow(const QWidget* window) {
    if (!window->isVisible() || qobject_cast<const QMenu*>(window)) return false;
    const Qt::WindowType type = window->windowType();
    if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen) return false;
    return !window->windowFlags().testFlag(Qt::BypassWindowManagerHint);
}

TLxTrayIcon::TLxTrayIcon(QObject* owner) : QObject(owner), icon_(ApplicationIcon()) {
    tray_ = new QSystemTrayIcon(icon_, this);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
    animation_.setInterval(static_cast<int>(delay_));
    connect(&animation_, &QTimer::timeout, this, &TLxTrayIcon::Animate);
}

// The owner is being destroyed when its icon goes: it is not shown again.
TLxTrayIcon::~TLxTrayIcon() {
    hiddenWindows_.removeAll(qobject_cast<QWidget*>(parent()));
    SetActive(false);
}

void TLxTrayIcon::SetActive(bool value) {
    if (value && !QSystemTrayIcon::isSystemTrayAvailable()) {
        SayNoTrayOnce();
        value = false;
    }
    active_ = value;
    tray_->setVisible(value);
    if (!value) ShowApplication();
}

void TLxTrayIcon::SetIcon(const QIcon& value) {
    icon_ = value;
    tray_->setIcon(value);
}

void TLxTrayIcon::SetHint(const QString& value) {
    hint_ = value;
    tray_->setToolTip(TipText());
}

void TLxTrayIcon::SetApplicationVisible(bool value) {
    if (value)
        ShowApplication();
    else
        HideApplication();
}

void TLxTrayIcon::HideApplication() {
    if (!active_ || !applicationVisible_) return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (IsApplicationWindow(window)) {
            hiddenWindows_.append(window);
            window->hide();
        }
    }
    applicationVisible_ = false;
}

void TLxTrayIcon::ShowApplication() {
    if (applicationVisible_) return;
    for (const QPointer<QWidget>& window : std::as_const(hiddenWindows_)) {
        if (window) window->show();
    }
    hiddenWindows_.clear();
    applicationVisible_ = true;
}

void TLxTrayIcon::SetAnimated(bool value) {
    if (value)
        animation_.start();
    else
        animation_.stop();
}

void TLxTrayIcon::SetDelay(quint32 milliseconds) {
    delay_ = milliseconds;
    animation_.setInterval(static_cast<int>(qMin<quint32>(milliseconds, INT_MAX)));
}

void TLxTrayIcon::Animate() {
    if (!icons_ || icons_->isEmpty() || !active_) return;
    frame_ = (frame_ + 1) % icons_->size();
    SetIcon(icons_->at(frame_));
}

void TLxTrayIcon::HandleMouseMessage(TrayMouseMessage message) {
    for (TrayAction action : TrayActionsFor(message)) Perform(action);
}

// Handler errors are shown as the application shows unhandled errors, and
// the icon goes on working.
void TLxTrayIcon::Activated(int reason) {
    try {
        for (TrayMouseMessage message : TrayMessagesFor(static_cast<QSystemTrayIcon::ActivationReason>(reason)))
            HandleMouseMessage(message);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), QString::fromUtf8(error.what()));
    }
}

void TLxTrayIcon::Perform(TrayAction action) {
    switch (action) {
    case TrayAction::MouseMove: Raise(OnMouseMove, this); break;
    case TrayAction::LeftButtonDown: Raise(OnLeftButtonDown, this); break;
    case TrayAction::LeftButtonUp: Raise(OnLeftButtonUp, this); break;
    case TrayAction::LeftButtonDblClick: Raise(OnLeftButtonDblClick, this); break;
    case TrayAction::RightButtonDown: Raise(OnRightButtonDown, this); break;
    case TrayAction::RightButtonUp: Raise(OnRightButtonUp, this); break;
    case TrayAction::RightButtonDblClick: Raise(OnRightButtonDblClick, this); break;
    case TrayAction::MiddleButtonDown: Raise(OnMiddleButtonDown, this); break;
    case TrayAction::MiddleButtonUp: Raise(OnMiddleButtonUp, this); break;
    case TrayAction::MiddlebuttonDblClk: Raise(OnMiddlebuttonDblClk, this); break;
    case TrayAction::MouseUp: Raise(OnMouseUp, this); break;
    case TrayAction::Click: Raise(OnClick, this); break;
    case TrayAction::DblClick: Raise(OnDblClick, this); break;
    case TrayAction::PopupDropDownMenu: PopUp(dropDownMenu_); break;
    case TrayAction::PopupPopupMenu: PopUp(popupMenu_); break;
    }
}

// Pops the menu up at the cursor; returns when it closes.
void TLxTrayIcon::PopUp(QMenu* menu) {
    if (menu) menu->exec(QCursor::pos());
}
