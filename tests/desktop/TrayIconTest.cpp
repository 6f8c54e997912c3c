#include "desktop/LxTrayIcon.h"
#include "desktop/TrayMouseDispatch.h"
#include "tests/desktop/QtPrinters.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

// Records the order of the tray's events and of its menus popping up.
struct EventLog {
    std::vector<std::string> entries;

    TNotifyEvent Recorder(TLxTrayIcon& tray, const std::string& name) {
        return [this, &tray, name](QObject* sender) {
            EXPECT_EQ(sender, &tray);
            entries.push_back(name);
        };
    }

    void Attach(TLxTrayIcon& tray) {
        tray.OnClick = Recorder(tray, "Click"), tray.OnDblClick = Recorder(tray, "DblClick");
        tray.OnMouseMove = Recorder(tray, "MouseMove"), tray.OnMouseUp = Recorder(tray, "MouseUp");
        tray.OnLeftButtonDown = Recorder(tray, "LeftButtonDown"), tray.OnLeftButtonUp = Recorder(tray, "LeftButtonUp");
        tray.OnLeftButtonDblClick = Recorder(tray, "LeftButtonDblClick");
        tray.OnRightButtonDown = Recorder(tray, "RightButtonDown");
        tray.OnRightButtonUp = Recorder(tray, "RightButtonUp");
        tray.OnRightButtonDblClick = Recorder(tray, "RightButtonDblClick");
        tray.OnMiddleButtonDown = Recorder(tray, "MiddleButtonDown");
        tray.OnMiddleButtonUp = Recorder(tray, "MiddleButtonUp");
        tray.OnMiddlebuttonDblClk = Recorder(tray, "MiddlebuttonDblClk");
    }

    // A menu that logs its showing and closes itself at once.
    void Watch(QMenu& menu, const std::string& name) {
        menu.addAction("item");
        QObject::connect(&menu, &QMenu::aboutToShow, [this, &menu, name] {
            entries.push_back(name);
            QTimer::singleShot(0, &menu, &QMenu::close);
        });
    }
};

using Log = std::vector<std::string>;

void Activate(TLxTrayIcon& tray, QSystemTrayIcon::ActivationReason reason) {
    for (TrayMouseMessage message : TrayMessagesFor(reason)) tray.HandleMouseMessage(message);
}

} // namespace

TEST(TrayMouseDispatch, RightClickPopsTheMenuThenClicks) {
    TLxTrayIcon tray;
    QMenu popup, dropDown;
    EventLog log;
    log.Attach(tray);
    log.Watch(popup, "popup menu");
    log.Watch(dropDown, "drop-down menu");
    tray.SetPopupMenu(&popup);
    tray.SetDropDownMenu(&dropDown);

    Activate(tray, QSystemTrayIcon::Context);
    EXPECT_EQ(log.entries, (Log{"RightButtonDown", "popup menu", "RightButtonUp", "MouseUp", "Click"}));

    log.entries.clear();
    Activate(tray, QSystemTrayIcon::Trigger);
    EXPECT_EQ(log.entries, (Log{"LeftButtonDown", "drop-down menu", "LeftButtonUp", "MouseUp", "Click"}));
}

TEST(TrayMouseDispatch, DoubleLeftClickFiresClickThenDoubleClickEvents) {
    TLxTrayIcon tray;
    EventLog log;
    log.Attach(tray);
    // A double click arrives as a click followed by a double click.
    Activate(tray, QSystemTrayIcon::Trigger);
    Activate(tray, QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(log.entries,
              (Log{"LeftButtonDown", "LeftButtonUp", "MouseUp", "Click", "LeftButtonDblClick", "DblClick"}));

    log.entries.clear();
    Activate(tray, QSystemTrayIcon::MiddleClick);
    tray.HandleMouseMessage(TrayMouseMessage::MiddleDblClick);
    tray.HandleMouseMessage(TrayMouseMessage::RightDblClick);
    tray.HandleMouseMessage(TrayMouseMessage::Move);
    EXPECT_EQ(log.entries, (Log{"MiddleButtonDown", "MiddleButtonUp", "MouseUp", "Click", "MiddlebuttonDblClk",
                                "DblClick", "RightButtonDblClick", "DblClick", "MouseMove"}));
    EXPECT_TRUE(TrayMessagesFor(QSystemTrayIcon::Unknown).isEmpty());
}

TEST(TrayMouseDispatch, UnassignedEventsAndMenusAreSkippedAndHandlerErrorsReachTheCaller) {
    TLxTrayIcon tray;
    int clicks = 0;
    tray.OnClick = [&](QObject*) { ++clicks; };
    Activate(tray, QSystemTrayIcon::Context);
    EXPECT_EQ(clicks, 1);
    tray.OnClick = [](QObject*) { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(tray.HandleMouseMessage(TrayMouseMessage::LeftUp), std::runtime_error);
}

TEST(LxTrayIcon, HintKeepsTheShortPartCutTo63Characters) {
    EXPECT_EQ(TrayTipText("Tessaly Aerin|the long part"), "Tessaly Aerin");
    EXPECT_EQ(TrayTipText(QString(100, QChar('h'))).size(), 63);
    EXPECT_EQ(TrayTipText(""), "");

    TLxTrayIcon tray;
    tray.SetHint("Player|long");
    EXPECT_EQ(tray.Hint(), "Player|long");
    EXPECT_EQ(tray.TipText(), "Player");
}

TEST(LxTrayIcon, WithoutATrayNothingIsHidden) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "this desktop has a tray";
    QWidget window;
    window.show();
    TLxTrayIcon tray;
    tray.SetActive(true);
    EXPECT_FALSE(tray.Active());
    tray.HideApplication();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(tray.ApplicationVisible());

    // Frames are not shown while the icon is off.
    const QList<QIcon> frames{QIcon(), QIcon()};
    tray.SetIcons(&frames);
    const QIcon before = tray.Icon();
    tray.Animate();
    EXPECT_EQ(tray.Icon().cacheKey(), before.cacheKey());
}
