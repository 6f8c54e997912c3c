// The key map and the playback order: which key does what, and the order
// of shuffled and repeated playlists.
#include "player/mainform/PlaybackOrder.h"
#include "player/mainform/PlayerKeys.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(MainFormPlayerKeys, TheFamiliarKeysAndNothingForOtherModifiers) {
    using A = TPlayerAction;
    const std::pair<int, A> plain[] = {
        {Qt::Key_Space, A::PlayPause},
        {Qt::Key_Z, A::Previous},
        {Qt::Key_X, A::Play},
        {Qt::Key_C, A::Pause},
        {Qt::Key_V, A::Stop},
        {Qt::Key_B, A::Next},
        {Qt::Key_N, A::Next},
        {Qt::Key_Right, A::SeekForward},
        {Qt::Key_Left, A::SeekBackward},
        {Qt::Key_Up, A::VolumeUp},
        {Qt::Key_Down, A::VolumeDown},
        {Qt::Key_Return, A::Play},
        {Qt::Key_E, A::Equalizer},
        {Qt::Key_S, A::Shuffle},
        {Qt::Key_R, A::Repeat},
    };
    for (const auto& [key, action] : plain) EXPECT_EQ(ActionOfKey(key, Qt::NoModifier), action) << key;
    EXPECT_EQ(ActionOfKey(Qt::Key_O, Qt::ControlModifier), A::AddFiles);
    EXPECT_EQ(ActionOfKey(Qt::Key_L, Qt::ControlModifier), A::AddUrl);
    // The keypad's Enter and arrows count; other modifiers make other keys.
    EXPECT_EQ(ActionOfKey(Qt::Key_Enter, Qt::KeypadModifier), A::Play);
    EXPECT_EQ(ActionOfKey(Qt::Key_Up, Qt::KeypadModifier), A::VolumeUp);
    EXPECT_EQ(ActionOfKey(Qt::Key_O, Qt::NoModifier), A::None);
    EXPECT_EQ(ActionOfKey(Qt::Key_X, Qt::ControlModifier), A::None);
    EXPECT_EQ(ActionOfKey(Qt::Key_Space, Qt::AltModifier), A::None);
    EXPECT_TRUE(IsListNavigationKey(Qt::Key_Down));
    EXPECT_FALSE(IsListNavigationKey(Qt::Key_Space));
}

TEST(MainFormPlayerKeys, HintsAndTheAboutTextNameTheKeys) {
    EXPECT_EQ(HintWithKeys("Play", TPlayerAction::Play), "Play (X / Return)");
    EXPECT_EQ(HintWithKeys("Exit", TPlayerAction::None), "Exit");
    EXPECT_EQ(KeysOf(TPlayerAction::AddFiles), "Ctrl+O");
    const QString reference = KeyReference();
    for (const char* line : {"Space: play / pause", "Z: previous track", "B / N: next track", "Ctrl+L: add",
                             "Return plays the selected track"})
        EXPECT_TRUE(reference.contains(QString::fromUtf8(line))) << line;
}

TEST(MainFormPlaybackOrder, InListOrderTheEndStopsUnlessRepeated) {
    TPlaybackOrder order(7);
    EXPECT_EQ(order.AfterEnd(0, 3), 1);
    EXPECT_EQ(order.AfterEnd(2, 3), -1); // the list played out
    EXPECT_EQ(order.AfterEnd(0, 0), -1);
    EXPECT_EQ(order.CycleRepeat(), TRepeatMode::All);
    EXPECT_EQ(order.AfterEnd(2, 3), 0);
    EXPECT_EQ(order.CycleRepeat(), TRepeatMode::One);
    EXPECT_EQ(order.AfterEnd(1, 3), 1);
    EXPECT_EQ(order.AfterEnd(-1, 3), 0); // nothing played yet: the first line
    // The buttons still move and wrap with one track repeated.
    EXPECT_EQ(order.Next(2, 3), 0);
    EXPECT_EQ(order.Previous(0, 3), 2);
    EXPECT_EQ(order.CycleRepeat(), TRepeatMode::Off);
}

TEST(MainFormPlaybackOrder, AShuffledPassPlaysEveryLineOnceAndPassesDiffer) {
    TPlaybackOrder order(42);
    order.SetShuffle(true);
    const int count = 50;
    QList<int> first{7};
    for (int next = order.AfterEnd(7, count); next >= 0; next = order.AfterEnd(next, count)) first << next;
    EXPECT_EQ(first.size(), count);
    EXPECT_EQ(QSet<int>(first.begin(), first.end()).size(), count);
    QList<int> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_NE(first, sorted); // not the list order

    // Repeat all: a new pass, in another order, that does not start with the
    // track just heard; Previous goes back along the pass.
    order.SetRepeat(TRepeatMode::All);
    const int last = first.back();
    const int start = order.AfterEnd(last, count);
    EXPECT_NE(start, last);
    QList<int> second{start};
    for (int i = 1; i < count; ++i) second << order.AfterEnd(second.back(), count);
    EXPECT_EQ(QSet<int>(second.begin(), second.end()).size(), count);
    EXPECT_NE(first, second);
    EXPECT_EQ(order.Previous(second[5], count), second[4]);
    EXPECT_EQ(order.Next(second[5], count), second[6]);

    // A changed list draws a new order; a single line stays itself.
    EXPECT_GE(order.Next(3, 10), 0);
    EXPECT_LT(order.Next(3, 10), 10);
    EXPECT_EQ(order.AfterEnd(0, 1), 0);
    EXPECT_EQ(order.Next(-1, 0), -1);
}

TEST(MainFormPlaybackOrder, ChangesAreAnnouncedOnlyWhenAValueChanges) {
    TPlaybackOrder order(1);
    int changes = 0;
    order.OnChanged = [&] { ++changes; };
    order.SetShuffle(false);
    order.SetRepeat(TRepeatMode::Off);
    EXPECT_EQ(changes, 0);
    order.SetShuffle(true);
    order.SetRepeat(TRepeatMode::One);
    order.CycleRepeat();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(order.Repeat(), TRepeatMode::Off);
}
