#pragma once

#include "desktop/TrayMouseDispatch.h"
#include "skin/controls/LxEvents.h"

#include <QIcon>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QSystemTrayIcon;
class QWidget;

// An icon with a tooltip in the desktop's notification area. Mouse actions
// on it raise the events and pop up the menus of TrayMouseDispatch; it can
// animate through a list of icons and hide the application's windows while
// it is shown. Where the desktop has no tray, Active stays off (said once on
// standard error) and the windows are never hidden.
class TLxTrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TLxTrayIcon(QObject* owner = nullptr);
    ~TLxTrayIcon() override;

    bool Active() const { return active_; }
    void SetActive(bool value);

    // A copy of the application's icon at first.
    QIcon Icon() const { return icon_; }
    void SetIcon(const QIcon& value);

    // Only the part before a '|' is shown, at most 63 characters.
    QString Hint() const { return hint_; }
    void SetHint(const QString& value);
    QString TipText() const { return TrayTipText(hint_); }

    // Menus are not owned. PopupMenu pops up on a right click,
    // DropDownMenu on a left press.
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* value) { popupMenu_ = value; }
    QMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(QMenu* value) { dropDownMenu_ = value; }

    bool ApplicationVisible() const { return applicationVisible_; }
    void SetApplicationVisible(bool value);
    // Hides the application's visible windows (see IsApplicationWindow)
    // while the icon is in the tray; shows them again.
    void HideApplication();
    void ShowApplication();
    // A visible top-level window the user works with: not a menu, popup,
    // tooltip, splash screen or a window the window manager does not handle
    // (such as the tray icon's own).
    static bool IsApplicationWindow(const QWidget* window);

    bool Animated() const { return animation_.isActive(); }
    void SetAnimated(bool value);
    // Animation frames; not owned, must outlive their use here.
    const QList<QIcon>* Icons() const { return icons_; }
    void SetIcons(const QList<QIcon>* value) { icons_ = value; }
    quint32 Delay() const { return delay_; }
    void SetDelay(quint32 milliseconds);
    // Shows the next animation frame (one timer tick).
    void Animate();

    // Raises the events and pops up the menus for one mouse message.
    void HandleMouseMessage(TrayMouseMessage message);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseMove;
    TNotifyEvent OnMouseUp;
    TNotifyEvent OnLeftButtonDown;
    TNotifyEvent OnLeftButtonUp;
    TNotifyEvent OnLeftButtonDblClick;
    TNotifyEvent OnRightButtonDown;
    TNotifyEvent OnRightButtonUp;
    TNotifyEvent OnRightButtonDblClick;
    TNotifyEvent OnMiddleButtonDown;
    TNotifyEvent OnMiddleButtonUp;
    TNotifyEvent OnMiddlebuttonDblClk;

private:
    void Activated(int reason);
    void Perform(TrayAction action);
    static void PopUp(QMenu* menu);

    QSystemTrayIcon* tray_ = nullptr;
    QIcon icon_;
    QString hint_;
    QPointer<QMenu> popupMenu_;
    QPointer<QMenu> dropDownMenu_;
    bool active_ = false;
    bool applicationVisible_ = true;
    QList<QPointer<QWidget>> hiddenWindows_;
    const QList<QIcon>* icons_ = nullptr;
    int frame_ = 0;
    quint32 delay_ = 100;
    QTimer animation_;
};
