// The interface's host over the real windows: what it reads and sets is what
// the window's keys and menus show, and it hears of their changes.
#include "player/mpris/WindowsMprisHost.h"

#include "player/mainform/MainFormTestSupport.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mainform/mainform.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

class WindowsMprisHostTest : public ::testing::Test {
protected:
    WindowsMprisHostTest() {
        host.Follow([this] { ++changes; });
    }

    TPrivateFolders folders;
    TTaerinWindows windows{std::make_unique<TAnsweringDialogs>()};
    Tmainform& mainform = *windows.mainform;
    TWindowsMprisHost host{windows};
    int changes = 0;
};

} // namespace

TEST_F(WindowsMprisHostTest, RepeatAndShuffleAreTheWindowsAndItsKeysAreHeard) {
    ASSERT_EQ(host.Repeat(), TRepeatMode::Off);
    ASSERT_FALSE(host.Shuffle());
    mainform.PlayerKey(Qt::Key_R, Qt::NoModifier);
    mainform.PlayerKey(Qt::Key_S, Qt::NoModifier);
    EXPECT_EQ(host.Repeat(), TRepeatMode::All);
    EXPECT_TRUE(host.Shuffle());
    EXPECT_EQ(changes, 2);

    host.SetRepeat(TRepeatMode::One);
    host.SetShuffle(false);
    EXPECT_TRUE(mainform.Menus.RepeatOne->isChecked());
    EXPECT_FALSE(mainform.Menus.Shuffle->isChecked());
    EXPECT_EQ(mainform.Controller().Order().Repeat(), TRepeatMode::One);
    EXPECT_EQ(changes, 4);
}

TEST_F(WindowsMprisHostTest, AStreamsTitleAndSeekabilityComeFromTheController) {
    TMainController& controller = mainform.Controller();
    controller.StationNameChanged("Radio Example");
    controller.InputCapsChanged(ZK_INPUT_CAN_SEEK_BY_REOPEN);
    EXPECT_EQ(host.StreamTitle(), "Radio Example");
    EXPECT_TRUE(host.Seekable());
    EXPECT_EQ(changes, 2);
}
