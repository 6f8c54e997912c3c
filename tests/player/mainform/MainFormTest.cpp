// The main window with its real components: the engine on the silent
// device, the skin, the playlist and tag windows.
#include "player/mainform/mainform.h"

#include "desktop/LxTrayIcon.h"
#include "desktop/optionsform.h"
#include "player/binding/LxZelkorPlayer.h"
#include "player/mainform/MainFormTestSupport.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mixer/LxMultimedia.h"
#include "playlist/LxControls.h"
#include "playlist/playlistform.h"
#include "skin/loader/LxAerinSkin.h"
#include "tags/LxVisualId3v1.h"
#include "tags/id3form.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() {
        auto answers = std::make_unique<TAnsweringDialogs>();
        dialogs = answers.get();
        windows = std::make_unique<TTaerinWindows>(std::move(answers));
        mainform = windows->mainform.get();
        playlist = windows->playlistform->LxPlaylist1;
        mainform->LxZelkorPlayer1->OnNotifyMessage = [this](QObject*, ZK_Message& message) {
            if (message.code == ZK_MSG_NOTIFY_ACK) acks << message.byte.command;
            if (message.code == ZK_MSG_NOTIFY_NACK) nacks << message.nack.command;
        };
    }

    TLxAerinLabels& Labels() { return mainform->AerinSkin->Labels(); }
    QString Status() { return Labels().Status().Caption(); }
    int Current() const { return windows->playlistform->Tag(); }

    TPrivateFolders folders;
    TAnsweringDialogs* dialogs = nullptr;
    std::unique_ptr<TTaerinWindows> windows;
    Tmainform* mainform = nullptr;
    TLxPlaylist* playlist = nullptr;
    QList<int> acks;
    QList<int> nacks;
};

} // namespace

TEST_F(MainFormTest, StartsFramelessAtTheSkinsSizeWithItsMenus) {
    EXPECT_TRUE(mainform->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(mainform->size(), QSize(451, 244));
    EXPECT_FALSE(mainform->mask().isEmpty());
    EXPECT_EQ(mainform->windowTitle(), "T.Aerin 0.2");
    EXPECT_EQ(Labels().Version().Caption(), "T.Aerin 0.2");
    EXPECT_EQ(mainform->AerinSkin->Volume().Maximum(), 250);
    EXPECT_EQ(mainform->AerinSkin->Volume().Position(), std::min<int>(mainform->LxSoundControl1->WaveVolume(), 250));
    EXPECT_EQ(Labels().CurrentTime().Hint(), "Elapsed Time");
    EXPECT_EQ(mainform->AerinSkin->Buttons().Play().Hint(), "Play (X / Return)");

    EXPECT_EQ(mainform->AerinSkin->PopupMenu(), mainform->aerinskinpopup);
    EXPECT_EQ(Captions(mainform->traypop), (QStringList{"&Restore Application", "-", "P&layback", "&Options",
                                                        "&ID3 Tags", "&Playlist", "-", "E&xit Program"}));
    EXPECT_EQ(mainform->Menus.Play->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_TRUE(mainform->actions().contains(mainform->Menus.Pause));
    EXPECT_TRUE(mainform->Menus.Transparent->isChecked());
    EXPECT_TRUE(mainform->Menus.ScrollSongname->isChecked());
    EXPECT_TRUE(mainform->Menus.DisplayElapsedTime->isChecked());
}

TEST_F(MainFormTest, TogglesFlipTheirStateAndCheckMarksAndClicksSetTheStatus) {
    mainform->Menus.DisplayElapsedTime->trigger();
    EXPECT_FALSE(mainform->Menus.DisplayElapsedTime->isChecked());
    EXPECT_EQ(Labels().CurrentTime().Hint(), "Time Left");
    mainform->CurrentTimeClick();
    EXPECT_TRUE(mainform->Menus.DisplayElapsedTime->isChecked());
    EXPECT_EQ(Labels().CurrentTime().Hint(), "Elapsed Time");

    mainform->Menus.ScrollSongname->trigger();
    EXPECT_FALSE(Labels().SongName().Scrolling());
    EXPECT_FALSE(mainform->Menus.ScrollSongname->isChecked());
    EXPECT_EQ(Status(), "Songname Scroll state changed!");

    mainform->Menus.Transparent->trigger();
    EXPECT_FALSE(mainform->AerinSkin->Options().AutoRegion());
    EXPECT_FALSE(mainform->Menus.Transparent->isChecked());
    EXPECT_FALSE(mainform->windowFlags().testFlag(Qt::FramelessWindowHint));
    mainform->TransparentClick();
    EXPECT_TRUE(mainform->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(mainform->Menus.Transparent->isChecked());

    mainform->AerinSkin->OnBitrateClick()(nullptr);
    EXPECT_EQ(Status(), "This is the bitrate!");
    mainform->AerinSkin->Volume().SetPosition(200);
    mainform->AerinSkin->OnVolumeChanging()(nullptr);
    EXPECT_EQ(Status(), "Changing volume...");
    EXPECT_EQ(mainform->LxSoundControl1->WaveVolume(), 200);
    mainform->AerinSkin->OnVolumeChanged()(nullptr);
    EXPECT_EQ(Status(), "Volume changed!");
}

TEST_F(MainFormTest, PlaySendsInputOpenStopAndPlayAndShowsTheStream) {
    mainform->PlayClick();
    EXPECT_TRUE(acks.isEmpty());

    playlist->AddItem(FirstTrack());
    mainform->AerinSkin->OnPlayClick()(nullptr);
    EXPECT_EQ(Status(), "Playing...");
    ASSERT_TRUE(ProcessEventsUntil([&] { return acks.size() >= 3; }));
    EXPECT_EQ(acks.mid(0, 3), (QList<int>{ZK_MSG_COMMAND_INPUT_OPEN, ZK_MSG_COMMAND_STOP, ZK_MSG_COMMAND_PLAY}));
    EXPECT_EQ(Labels().SongName().Caption(), "1. first");
    EXPECT_EQ(Labels().Layer().Caption(), "Layer 3");
    EXPECT_EQ(Labels().Bitrate().Caption(), "128 Kbits");
    EXPECT_EQ(Labels().Frequency().Caption(), "44.1 kHz");
    EXPECT_EQ(Labels().TotalTime().Caption(), "00:01");
    EXPECT_EQ(windows->playlistform->windowTitle(), "Playlist Window... 1/1 tracks");
}

TEST_F(MainFormTest, OnTheSilentDeviceTheVolumeSliderSetsTheEnginesLevel) {
    int pcmLevel = -1;
    mainform->LxZelkorPlayer1->OnNotifyOutputPcmLevel = [&](QObject*, uint8_t pcm) { pcmLevel = pcm; };
    mainform->AerinSkin->Volume().SetPosition(125); // before the output opens: sent again when it does
    mainform->VolumeChanging();
    playlist->AddItem(FirstTrack());
    mainform->PlayClick();
    ASSERT_TRUE(ProcessEventsUntil([&] { return acks.contains(ZK_MSG_COMMAND_PLAY); }));
    pcmLevel = -1; // the output reported its level as it opened
    mainform->LxZelkorPlayer1->GetOutputVolume();
    ASSERT_TRUE(ProcessEventsUntil([&] { return pcmLevel >= 0; }));
    EXPECT_NEAR(pcmLevel, 49, 1);
    pcmLevel = -1;
    mainform->AerinSkin->Volume().SetPosition(250);
    mainform->VolumeChanging();
    mainform->LxZelkorPlayer1->GetOutputVolume();
    ASSERT_TRUE(ProcessEventsUntil([&] { return pcmLevel >= 0; }));
    EXPECT_NEAR(pcmLevel, 98, 1) << "the engine reads its level back truncated";
}

TEST_F(MainFormTest, WithRepeatAllTheEndOfTheLastTrackStartsTheFirstAndNextAndPreviousWrap) {
    playlist->AddItems({FirstTrack(), SecondTrack()});
    mainform->PerformAction(TPlayerAction::Repeat);
    EXPECT_EQ(Status(), "Repeat all");
    EXPECT_TRUE(mainform->Menus.RepeatAll->isChecked());
    mainform->PlayFromPlaylist(1);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(Labels().SongName().Caption(), "2. second");
    ASSERT_TRUE(ProcessEventsUntil([&] { return Current() == 0; }));
    // By now the list has read the tags: the title from them.
    EXPECT_EQ(Labels().SongName().Caption(), QString::fromUtf8("1. Taerin Tests – First Tone"));
    EXPECT_TRUE(playlist->Selected(0));
    EXPECT_FALSE(playlist->Selected(1));
    EXPECT_EQ(playlist->ItemIndex(), 0);

    mainform->PreviousClick();
    EXPECT_EQ(Current(), 1);
    mainform->NextClick();
    EXPECT_EQ(Current(), 0);
    mainform->Menus.Next->trigger();
    EXPECT_EQ(Current(), 1);
}

TEST_F(MainFormTest, DroppedPlaylistIsAppendedAndPlayedFoldersAndTextIgnored) {
    playlist->AddItem(FirstTrack());
    QTemporaryDir folder;
    const QString list = QDir(folder.path()).filePath("two.m3u");
    QFile m3u(list);
    ASSERT_TRUE(m3u.open(QIODevice::WriteOnly));
    m3u.write((SecondTrack() + "\r\n" + FirstTrack() + "\r\n").toUtf8());
    m3u.close();
    const QString notes = QDir(folder.path()).filePath("notes.txt");
    QFile(notes).open(QIODevice::WriteOnly);

    mainform->DropFiles({folder.path(), notes});
    EXPECT_EQ(playlist->Count(), 1);
    EXPECT_TRUE(acks.isEmpty());

    // Dropped from a file manager onto the window.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder.path()), QUrl::fromLocalFile(notes), QUrl::fromLocalFile(list)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mainform, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mainform, &drop);
    ASSERT_EQ(playlist->Count(), 3);
    EXPECT_EQ(playlist->GetItem(1), SecondTrack());
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(Labels().SongName().Caption(), "2. second");
}

TEST_F(MainFormTest, AddAndPlayTakesTheChosenFiles) {
    dialogs->FilesToPlay = {SecondTrack()};
    mainform->AerinSkin->OnOpenClick()(nullptr);
    EXPECT_EQ(playlist->Count(), 1);
    EXPECT_EQ(Current(), 0);
    EXPECT_EQ(Status(), "Playing...");

    dialogs->FilesToPlay.clear();
    mainform->OpenClick();
    EXPECT_EQ(Status(), "Opening dialog...");
    EXPECT_EQ(playlist->Count(), 1);
}

TEST_F(MainFormTest, ExitSavesTheLastPlaylistAtomically) {
    QDir().mkpath(folders.ConfigFolder() + "/taerin");
    QFile old(folders.LastPlaylist());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("/old/track.mp3\r\n");
    old.close();

    playlist->AddItems({FirstTrack(), SecondTrack()});
    mainform->Menus.Exit->trigger();
    EXPECT_EQ(PlaylistEntries(folders.LastPlaylist()), FirstTrack() + "\r\n" + SecondTrack() + "\r\n");
    EXPECT_EQ(DirectoryEntries(folders.ConfigFolder() + "/taerin"), QStringList{"last.m3u"});
}

TEST_F(MainFormTest, AFailedSaveAtExitIsShown) {
    QFile blocker(folders.ConfigFolder() + "/taerin");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder belongs
    blocker.close();
    playlist->AddItem(FirstTrack());
    const QStringList boxes = CloseMessageBoxesDuring([&] { mainform->Exit(); });
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(folders.ConfigFolder())) << boxes[0].toStdString();
}

TEST_F(MainFormTest, ATrackThatCannotBeOpenedIsSkippedNamingIt) {
    playlist->AddItems({"/no/such/folder/gone.mp3", FirstTrack()});
    // Read as the track after it ends, before the end of the list is shown.
    QString statusAtTheEnd;
    int lineAtTheEnd = -1;
    mainform->Controller().OnTrackEnded = [&] {
        statusAtTheEnd = Status();
        lineAtTheEnd = Current();
    };
    mainform->PlayFromPlaylist(0);
    ASSERT_TRUE(ProcessEventsUntil([&] { return lineAtTheEnd >= 0; })) << Status().toStdString();
    EXPECT_EQ(lineAtTheEnd, 1);
    EXPECT_TRUE(statusAtTheEnd.startsWith("Skipped gone.mp3: ")) << statusAtTheEnd.toStdString();
    EXPECT_TRUE(nacks.contains(ZK_MSG_COMMAND_INPUT_OPEN));
    mainform->StopClick();
}

TEST_F(MainFormTest, ShowTagsOfTheCurrentTrack) {
    mainform->ID3Click();
    EXPECT_FALSE(windows->id3form->isVisible());

    playlist->AddItems({FirstTrack(), SecondTrack()});
    mainform->PlayFromPlaylist(1);
    mainform->Menus.Id3Tags->trigger();
    EXPECT_EQ(Status(), "Showing ID3 Tag...");
    EXPECT_TRUE(windows->id3form->isVisible());
    EXPECT_EQ(windows->id3form->LxVisualId3v11->Filename(), SecondTrack());
    EXPECT_EQ(windows->id3form->LxVisualId3v11->SongnameEdit()->text(), "Second Tone");
}

TEST_F(MainFormTest, ASkinThatFailsToLoadLeavesTheCurrentOne) {
    dialogs->SkinFile = folders.ConfigFolder() + "/missing/main.ini";
    EXPECT_THROW(mainform->LoadSkinClick(), std::exception);
    EXPECT_TRUE(mainform->AerinSkin->SkinFile().isEmpty());
    EXPECT_EQ(mainform->size(), QSize(451, 244));
    mainform->LoadDefaultClick();
    EXPECT_EQ(mainform->size(), QSize(451, 244));
}

TEST_F(MainFormTest, WindowsMinimiseAndTrayClicksRestoreAlsoAfterTheTrayMenu) {
    mainform->show();
    mainform->PlaylistClick();
    EXPECT_EQ(Status(), "Showing playlist...");
    EXPECT_TRUE(windows->playlistform->isVisible());
    mainform->OptionsClick();
    EXPECT_TRUE(windows->optionsform->isVisible());

    mainform->MinimizeClick();
    EXPECT_TRUE(mainform->isMinimized() || !mainform->isVisible());
    mainform->Menus.Restore->trigger();
    EXPECT_TRUE(mainform->isVisible());
    EXPECT_FALSE(mainform->isMinimized());

    mainform->MinimizeClick();
    mainform->LxTrayIcon1->HandleMouseMessage(TrayMouseMessage::LeftUp);
    EXPECT_FALSE(mainform->isMinimized());

    mainform->MinimizeClick();
    QMenu* shown = nullptr;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = menu;
            menu->close();
        }
    });
    closer.start(5);
    mainform->LxTrayIcon1->HandleMouseMessage(TrayMouseMessage::RightUp);
    EXPECT_EQ(shown, mainform->traypop);
    EXPECT_FALSE(mainform->isMinimized());
}
