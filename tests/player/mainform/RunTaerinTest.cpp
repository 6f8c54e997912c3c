// The whole program as main() runs it: start-up with files, the first track
// played to its end, the screenshot, the last playlist.
#include "player/mainform/StartUp.h"

#include "desktop/files/FileNames.h"
#include "player/mainform/MainFormTestSupport.h"
#include "player/mainform/mainform.h"
#include "playlist/PlaylistFile.h"
#include "playlist/playlistform.h"
#include "skin/loader/LxAerinSkin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

template <typename Window> Window* FindWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget)) return window;
    }
    return nullptr;
}

} // namespace

TEST(MainFormRunTaerin, ScreenshotRunPlaysTheTrackToItsEndAndQuits) {
    TPrivateFolders folders;
    QTemporaryDir shots;
    const QString shot = QDir(shots.path()).filePath("taerin.png");
    const int status = RunTaerin(*qApp, {"taerin", "--screenshot", shot, "--quit-at-end", FirstTrack()});
    EXPECT_EQ(status, 0);
    const QImage picture(shot);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(451, 244));
    EXPECT_EQ(PlaylistEntries(folders.LastPlaylist()), FirstTrack() + "\r\n");
}

TEST(MainFormRunTaerin, ACorruptLastPlaylistIsReportedAndReplaced) {
    TPrivateFolders folders;
    QDir().mkpath(QFileInfo(folders.LastPlaylist()).path());
    QFile last(folders.LastPlaylist());
    ASSERT_TRUE(last.open(QIODevice::WriteOnly));
    const char corrupt[] = "\0\1\2 not a playlist";
    last.write(corrupt, sizeof corrupt - 1);
    last.close();
    EXPECT_EQ(RunTaerin(*qApp, {"taerin", "--quit-at-end", FirstTrack()}), 0);
    EXPECT_EQ(PlaylistEntries(folders.LastPlaylist()), FirstTrack() + "\r\n");
}

// A name made on a Latin-1 system plays from the command line, as main()
// decodes it, and the last playlist names the same file.
TEST(MainFormRunTaerin, ATrackNamedInLatin1PlaysAndComesBackFromTheLastPlaylist) {
    TPrivateFolders folders;
    QTemporaryDir music;
    const QString track = DecodeFileName(QFile::encodeName(music.path()) + "/caf\xe9 tone.mp3");
    QFile first(FirstTrack());
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray audio = first.readAll();
    std::FILE* copy = std::fopen(EncodeFileName(track).constData(), "wb");
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(std::fwrite(audio.constData(), 1, size_t(audio.size()), copy), size_t(audio.size()));
    std::fclose(copy);

    EXPECT_EQ(RunTaerin(*qApp, {"taerin", "--quit-at-end", track}), 0);
    EXPECT_EQ(PlaylistEntries(folders.LastPlaylist()), FileUrlOfPath(track) + "\r\n");
    const TPlaylistEntries restored = ReadPlaylistFile(folders.LastPlaylist());
    ASSERT_EQ(restored.size(), 1);
    EXPECT_EQ(EncodeFileName(restored[0].Path), EncodeFileName(track));
}

TEST(MainFormRunTaerin, AnUnwritableLastPlaylistFailsTheRunWithoutWaiting) {
    TPrivateFolders folders;
    QFile blocker(folders.ConfigFolder() + "/taerin");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder belongs
    blocker.close();
    EXPECT_EQ(RunTaerin(*qApp, {"taerin", "--quit-at-end", FirstTrack()}), 1);
}

TEST(MainFormRunTaerin, QuitAtEndFailsOnATrackThatCannotBePlayed) {
    TPrivateFolders folders;
    EXPECT_EQ(RunTaerin(*qApp, {"taerin", "--quit-at-end", "/no/such/folder/gone.mp3"}), 1);
    EXPECT_EQ(RunTaerin(*qApp, {"taerin", "--quit-at-end"}), 1);
    EXPECT_EQ(RunTaerin(*qApp, {"taerin", "--screenshot"}), 2);
}

// With two tracks on the command line the window shows at the skin's size
// and shape, plays the first and then the second; closing it keeps both in
// the last playlist. Runs under X too (see CMakeLists.txt).
TEST(MainFormRunTaerin, TwoTracksPlayOneAfterTheOtherAndStayInTheLastPlaylist) {
    TPrivateFolders folders;
    QSize size;
    bool shaped = false;
    bool secondStarted = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        Tmainform* mainform = FindWindow<Tmainform>();
        Tplaylistform* playlistform = FindWindow<Tplaylistform>();
        if (!mainform || !playlistform || !mainform->isVisible()) return;
        size = mainform->size();
        shaped = !mainform->mask().isEmpty() && mainform->windowFlags().testFlag(Qt::FramelessWindowHint);
        if (playlistform->Tag() == 1) {
            secondStarted = true;
            mainform->close();
        }
    });
    watch.start(20);
    const int status = RunTaerin(*qApp, {"taerin", FirstTrack(), SecondTrack()});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(size, QSize(451, 244));
    EXPECT_TRUE(shaped);
    EXPECT_TRUE(secondStarted);
    EXPECT_EQ(PlaylistEntries(folders.LastPlaylist()), FirstTrack() + "\r\n" + SecondTrack() + "\r\n");
}
