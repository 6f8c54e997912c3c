#include "PlaylistTestFiles.h"

#include "playlist/DirectoryScan.h"
#include "playlist/LxControls.h"
#include "playlist/TrackFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>
#include <unistd.h>

TEST(PlaylistTrackFiles, KindsByUpperCasedExtensionAndTheScanRuleWantsDotMpAndAFinalDigit) {
    EXPECT_EQ(KindOfFile("/m/a.mp3"), TFileKind::Track);
    EXPECT_EQ(KindOfFile("/m/a.MP1"), TFileKind::Track);
    EXPECT_EQ(KindOfFile("/m/a.Mp2"), TFileKind::Track);
    for (const char* list : {"/m/list.M3u", "/m/list.m3u8", "/m/radio.PLS"})
        EXPECT_EQ(KindOfFile(list), TFileKind::Playlist) << list;
    for (const char* other : {"/m/a.wav", "/m/a.mpeg", "/m.mp3/noextension", "/m/a.m3u9", "/m.pls/x", ""})
        EXPECT_EQ(KindOfFile(other), TFileKind::Other) << other;
    for (const char* track : {"a.MP3", "a.mp2", "a.mpx1", ".mp3"}) EXPECT_TRUE(IsScannedTrack(track)) << track;
    for (const char* other : {"a.mpeg", "a.mp4", "a.wav3", "a.mp3.txt", "mp3", ""})
        EXPECT_FALSE(IsScannedTrack(other)) << other;
}

TEST(PlaylistTrackFiles, AddingByExtensionKeepsGoingPastABadPlaylist) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBytes(dir.filePath("good.m3u"), "/from/list.mp3\n");
    TLxPlaylist playlist;
    try {
        AddFilesByExtension(playlist,
                            {"/a.mp3", dir.filePath("missing.m3u"), "/b.txt", dir.filePath("good.m3u"), "/c.MP2"});
        FAIL() << "the missing playlist was not reported";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("missing.m3u"), std::string::npos);
    }
    EXPECT_EQ(playlist.Model().Paths(), QStringList({"/a.mp3", "/from/list.mp3", "/c.MP2"}));
}

namespace {

class PlaylistScan : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Make(const QString& name) {
        WriteBytes(dir_.filePath(name), "x");
        return dir_.filePath(name);
    }

    QStringList Found(const QString& folder, QStringList* entered = nullptr) {
        QStringList found;
        ScanDirectory(
            folder,
            [&](const QString& f) {
                if (entered) entered->append(f);
            },
            [&](const QString& path) { found.append(path); });
        found.sort();
        return found;
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(PlaylistScan, FindsTracksByTheWideRuleInEveryFolder) {
    const QString a = Make("a.MP3");
    const QString b = Make("b.mp2");
    Make("c.mpeg");
    Make("d.mp4");
    const QString e = Make("e.mpx1");
    const QString hidden = Make(".hidden/f.mp3");
    const QString deep = Make("one/two/three/g.mp1");
    Make("one/two/notes.txt");
    QDir(dir_.path()).mkpath("empty.mp3"); // a folder named like a track

    QStringList entered;
    QStringList expected = {a, b, e, hidden, deep};
    expected.sort();
    EXPECT_EQ(Found(dir_.path(), &entered), expected);
    EXPECT_EQ(entered.first(), dir_.path());
    EXPECT_TRUE(entered.contains(dir_.path() + "/one/two/three"));
    EXPECT_TRUE(entered.contains(dir_.path() + "/empty.mp3"));

    // A trailing slash does not double the separator.
    EXPECT_EQ(Found(dir_.path() + "/one/"), QStringList({dir_.path() + "/one/two/three/g.mp1"}));
}

TEST_F(PlaylistScan, SymbolicLinkLoopsAreWalkedOnce) {
    Make("sub/t.mp3");
    ASSERT_TRUE(QFile::link(dir_.path(), dir_.filePath("sub/loop")));
    ASSERT_TRUE(QFile::link(dir_.filePath("sub"), dir_.filePath("again")));
    // Through "sub" or "again", whichever the folder lists first.
    const QStringList found = Found(dir_.path());
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0].endsWith("/t.mp3"));
}

TEST_F(PlaylistScan, MissingOrUnreadableFoldersYieldNothing) {
    EXPECT_EQ(Found(dir_.filePath("nowhere")), QStringList());
    EXPECT_EQ(Found(Make("file.mp3")), QStringList());
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    Make("closed/x.mp3");
    ASSERT_TRUE(QFile::setPermissions(dir_.filePath("closed"), QFileDevice::Permissions()));
    const QStringList found = Found(dir_.path());
    QFile::setPermissions(dir_.filePath("closed"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(found, QStringList({dir_.filePath("file.mp3")}));
}
