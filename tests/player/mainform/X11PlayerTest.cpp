// A user's first minutes on a real X server: keys, a click on the position
// bar, the equalizer reaching the engine, a tag edited, and the settings
// coming back after a restart.
#include "player/binding/LxZelkorPlayer.h"
#include "player/equalizer/EqualizerForm.h"
#include "player/mainform/MainFormTestSupport.h"
#include "player/mainform/RememberedSettings.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mainform/mainform.h"
#include "playlist/LxControls.h"
#include "playlist/playlistform.h"
#include "skin/controls/LxSlider.h"
#include "skin/loader/LxAerinSkin.h"
#include "tags/Id3v2Parser.h"
#include "tags/Id3v2View.h"
#include "tags/LxId3v1.h"
#include "tags/LxVisualId3v1.h"
#include "tags/id3form.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class X11PlayerTest : public ::testing::Test {
protected:
    void Start() {
        windows = std::make_unique<TTaerinWindows>(std::make_unique<TAnsweringDialogs>());
        mainform = windows->mainform.get();
        mainform->LxZelkorPlayer1->OnNotifyMessage = [this](QObject*, ZK_Message& message) {
            if (message.code == ZK_MSG_NOTIFY_ACK) acks << message.byte.command;
        };
        mainform->LxZelkorPlayer1->OnNotifyCodecEqualizer = [this](QObject*, const ZK_EqualizerInfo& bands) {
            equalizer = bands;
            ++equalizerNotes;
        };
        mainform->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainform));
    }

    QString Status() const { return mainform->AerinSkin->Labels().Status().Caption(); }
    int Seeks() const { return int(acks.count(ZK_MSG_COMMAND_SEEK)); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(mainform, Qt::Key(key), modifiers);
    }

    TPrivateFolders folders;
    std::unique_ptr<TTaerinWindows> windows;
    Tmainform* mainform = nullptr;
    QList<int> acks;
    ZK_EqualizerInfo equalizer{};
    int equalizerNotes = 0;
};

} // namespace

TEST_F(X11PlayerTest, KeysPlayPauseAndSeekAndAClickOnThePositionBarSeeksThere) {
    Start();
    windows->playlistform->LxPlaylist1->AddItems({SecondTrack(), FirstTrack()});
    Key(Qt::Key_Space);
    EXPECT_TRUE(mainform->Controller().Playing());
    ASSERT_TRUE(ProcessEventsUntil([&] { return mainform->Controller().Time().DurationTag() > 0; }));
    ASSERT_TRUE(ProcessEventsUntil([&] { return mainform->AerinSkin->Position().Maximum() > 0; }));

    Key(Qt::Key_Space);
    EXPECT_EQ(Status(), "Paused!");
    Key(Qt::Key_Space);
    EXPECT_EQ(Status(), "Resumed!");

    // Right: five seconds on, beyond the end of this short track.
    Key(Qt::Key_Right);
    ASSERT_TRUE(ProcessEventsUntil([&] { return Seeks() == 1; }));

    // The volume keys move the volume bar by 5 %.
    const int volume = mainform->AerinSkin->Volume().Position();
    Key(Qt::Key_Down);
    EXPECT_EQ(mainform->AerinSkin->Volume().Position(), std::max(0, volume - 13));
    EXPECT_TRUE(Status().startsWith("Volume ")) << Status().toStdString();

    // A click at the far right of the bar moves the thumb there and seeks.
    TLxSlider* bar = mainform->AerinSkin->Position().Control();
    mainform->AerinSkin->Position().SetPosition(0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
    EXPECT_EQ(mainform->AerinSkin->Position().Position(), mainform->AerinSkin->Position().Maximum());
    ASSERT_TRUE(ProcessEventsUntil([&] { return Seeks() == 2; }));

    // B: the next track (wrapping); V: stop.
    const int before = windows->playlistform->LxPlaylist1->ItemIndex();
    Key(Qt::Key_B);
    EXPECT_EQ(windows->playlistform->Tag(), (before + 1) % 2);
    Key(Qt::Key_V);
    EXPECT_FALSE(mainform->Controller().Playing());
}

TEST_F(X11PlayerTest, TheEqualizerOpensOnItsKeyAndItsChangesReachTheEngine) {
    Start();
    Key(Qt::Key_E);
    TEqualizerForm& form = *windows->equalizerform;
    ASSERT_TRUE(form.isVisible());
    form.EnabledBox->click();
    form.BandSliders[0]->setValue(6);
    mainform->LxZelkorPlayer1->GetCodecEqualizer();
    ASSERT_TRUE(ProcessEventsUntil([&] { return equalizerNotes > 0; }));
    const ZK_EqualizerInfo expected = EngineBands(form.Model().State());
    EXPECT_EQ(equalizer.left[0], expected.left[0]);
    EXPECT_EQ(equalizer.right[0], expected.left[0]);
    EXPECT_GT(equalizer.left[0], 0);
    EXPECT_EQ(equalizer.left[1], 0);

    // Off: the engine has no equalizer (its reply carries no bands).
    form.EnabledBox->click();
    equalizerNotes = 0;
    mainform->LxZelkorPlayer1->GetCodecEqualizer();
    mainform->LxZelkorPlayer1->Ping(1);
    bool ponged = false;
    mainform->LxZelkorPlayer1->OnNotifyPong = [&](QObject*, uint32_t) { ponged = true; };
    ASSERT_TRUE(ProcessEventsUntil([&] { return ponged; }));
    EXPECT_EQ(equalizerNotes, 0);
}

TEST_F(X11PlayerTest, ATagEditedInTheTagWindowIsSavedInTheFile) {
    QTemporaryDir folder;
    const QString track = QDir(folder.path()).filePath("edit.mp3");
    ASSERT_TRUE(QFile::copy(FirstTrack(), track));
    Start();
    windows->playlistform->LxPlaylist1->AddItem(track);
    mainform->ShowTags(0);
    Tid3form& tags = *windows->id3form;
    ASSERT_TRUE(tags.isVisible());
    EXPECT_EQ(tags.LxVisualId3v11->SongnameEdit()->text(), "First Tone");
    tags.LxVisualId3v11->ArtistEdit()->setText("Tone Maker");
    tags.Id3v2Page->Edit("Title")->setText("Renamed Tone");
    ASSERT_TRUE(tags.Save()) << tags.StatusLabel->text().toStdString();
    TLxId3v1 v1;
    ASSERT_TRUE(v1.ReadTag(track));
    EXPECT_EQ(v1.Artist().trimmed(), "Tone Maker");
    EXPECT_EQ(Id3v2Parser::ReadFile(track).title, "Renamed Tone");
}

TEST_F(X11PlayerTest, SettingsSurviveARestart) {
    Start();
    Key(Qt::Key_S);
    Key(Qt::Key_R);
    Key(Qt::Key_Up);
    const int volume = mainform->AerinSkin->Volume().Position();
    windows->equalizerform->Model().ApplyPreset("Rock");
    mainform->CurrentTimeClick();
    mainform->move(40, 50);
    windows->playlistform->show();
    windows.reset();

    Start();
    EXPECT_TRUE(mainform->Controller().Order().Shuffle());
    EXPECT_EQ(mainform->Controller().Order().Repeat(), TRepeatMode::All);
    EXPECT_TRUE(mainform->Menus.Shuffle->isChecked());
    EXPECT_TRUE(mainform->Menus.RepeatAll->isChecked());
    EXPECT_EQ(mainform->AerinSkin->Volume().Position(), volume);
    EXPECT_FALSE(mainform->Controller().Time().Elapsed());
    EXPECT_TRUE(windows->equalizerform->Model().State().Enabled);
    EXPECT_EQ(windows->equalizerform->Model().State().Left, windows->equalizerform->Model().BuiltInPresets()[1].Bands);
    EXPECT_EQ(mainform->pos(), QPoint(40, 50));
    windows->remembered->ShowWindows();
    EXPECT_TRUE(windows->playlistform->isVisible());
}
