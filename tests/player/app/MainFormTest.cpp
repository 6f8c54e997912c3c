// The first main window: caption, its components, and a file played through the binding.
#include "player/app/mainform.h"

#include "player/binding/BindingTestSupport.h"
#include "player/binding/LxZelkorPlayer.h"
#include "player/mixer/LxMultimedia.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(MainForm, OwnsTheBindingAndTheMixerAndPlaysAFileToItsEnd)
{
    QTemporaryDir runtime;
    ScopedEnvironment xdg("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    {
        Tmainform form;
        EXPECT_EQ(form.windowTitle(), "T.Aerin 0.2");
        EXPECT_EQ(form.LxZelkorPlayer1->parent(), &form);
        EXPECT_EQ(form.LxSoundControl1->parent(), &form);

        QList<int32_t> states;
        form.LxZelkorPlayer1->OnNotifyPlayerState = [&](QObject*, int32_t state) { states << state; };
        form.show();
        form.PlayFile(TAERIN_DEMO_TRACK);
        form.LxZelkorPlayer1->InputSeek(396, 400); // near the end
        ASSERT_TRUE(ProcessEventsUntil([&] { return states.contains(ZK_PLAYER_STATE_EOF); }));
        EXPECT_EQ(states, (QList<int32_t>{ZK_PLAYER_STATE_PLAYING, ZK_PLAYER_STATE_EOF}));
        form.close();
    }
    EXPECT_TRUE(DirectoryEntries(runtime.path()).isEmpty());
}
