#include "PlaylistTestFiles.h"

#include "playlist/M3uFile.h"
#include "playlist/PlaylistModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

namespace {

class PlaylistM3uFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Entries of an M3U file holding `bytes`.
    QStringList Read(const QByteArray& bytes) {
        WriteBytes(Path("list.m3u"), bytes);
        return ReadM3u(Path("list.m3u"));
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(PlaylistM3uFile, LineEndsDecideTheEntriesAndInvalidUtf8OrLongLinesLoadWithoutLoss) {
    EXPECT_EQ(Read("/a.mp3\r\n/b.mp3"), QStringList({"/a.mp3", "/b.mp3"}));
    EXPECT_EQ(Read("/a.mp3\r\n/b.mp3\r\n"), QStringList({"/a.mp3", "/b.mp3"}));
    EXPECT_EQ(Read("/a.mp3\r\n\r\n/b.mp3\r\n"), QStringList({"/a.mp3", "", "/b.mp3"}));
    EXPECT_EQ(Read("/a.mp3\r/b.mp3\n/c.mp3\r\n/d.mp3\n\r/e.mp3"),
              QStringList({"/a.mp3", "/b.mp3", "/c.mp3", "/d.mp3", "", "/e.mp3"}));
    EXPECT_EQ(Read(""), QStringList());
    EXPECT_EQ(Read("\n"), QStringList({""}));

    // Invalid UTF-8 and long lines load without loss.
    const QByteArray longLine = "/" + QByteArray(2 * 1024 * 1024, 'a') + ".mp3";
    const QStringList entries = Read(longLine + "\r\n/bad\xff\xfe.mp3\r\n");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].size(), longLine.size());
    EXPECT_TRUE(entries[1].startsWith("/bad"));
}

TEST_F(PlaylistM3uFile, DirectivesAreSkippedAndRelativeEntriesResolved) {
    const QByteArray text = "\xEF\xBB\xBF#EXTM3U\r\n"
                            "#EXTINF:123,Artist - Title\r\n"
                            "sub/one.mp3\r\n"
                            "../two.mp3\r\n"
                            "/abs/three.mp3\r\n"
                            "http://host/live?a=1&b=2\r\n"
                            " #not a directive.mp3\r\n";
    const QString base = QDir(dir_.path()).absolutePath();
    EXPECT_EQ(Read(text), QStringList({base + "/sub/one.mp3", QDir::cleanPath(base + "/../two.mp3"), "/abs/three.mp3",
                                       "http://host/live?a=1&b=2", base + "/ #not a directive.mp3"}));
}

TEST_F(PlaylistM3uFile, SaveThenLoadReproducesThePaths) {
    const QStringList paths = {"/music/Ärger & \"Quotes\" <1>.mp3", "", "http://host/s.mp3?x=1&y=2",
                               "/music/日本語.mp2", QString(5000, u'x')};
    TPlaylistModel saved;
    saved.AddItems(paths);
    saved.SavePlaylist(Path("round.m3u"));

    QByteArray expected;
    for (const QString& path : paths) expected += path.toUtf8() + "\r\n";
    EXPECT_EQ(ReadBytes(Path("round.m3u")), expected);

    TPlaylistModel loaded;
    loaded.AddItem("/already/there.mp3");
    loaded.LoadPlaylist(Path("round.m3u"));
    EXPECT_EQ(loaded.Paths(), QStringList({"/already/there.mp3"}) + QStringList({paths[0], "", paths[2], paths[3]}) +
                                  QStringList({Path(paths[4])}));
}

TEST_F(PlaylistM3uFile, UnreadableFilesAreClearErrorsAndAddNothing) {
    TPlaylistModel model;
    model.AddItem("/kept.mp3");
    try {
        model.LoadPlaylist(Path("missing.m3u"));
        FAIL() << "a missing playlist loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("missing.m3u"), std::string::npos) << error.what();
    }
    EXPECT_THROW(model.LoadPlaylist(dir_.path()), std::runtime_error);

    WriteBytes(Path("junk.m3u"), QByteArray("/a.mp3\r\n\x00\x01\x02\xff", 12));
    EXPECT_THROW(model.LoadPlaylist(Path("junk.m3u")), std::runtime_error);
    EXPECT_EQ(model.Paths(), QStringList({"/kept.mp3"}));
}

TEST_F(PlaylistM3uFile, TooLargeFilesAreRefused) {
    QByteArray line(1024 * 1024 - 1, 'a');
    line.append('\n');
    QFile text(Path("big.m3u"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    for (qint64 written = 0; written <= MaxM3uBytes; written += line.size()) ASSERT_EQ(text.write(line), line.size());
    text.close();
    try {
        ReadM3u(Path("big.m3u"));
        FAIL() << "an oversized playlist loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("MiB"), std::string::npos) << error.what();
    }
}

TEST_F(PlaylistM3uFile, FailedSaveKeepsTheOldFile) {
    WriteBytes(Path("keep.m3u"), "/old/one.mp3\r\n/old/two.mp3\r\n");
    TPlaylistModel model;
    for (int i = 0; i < 200; ++i) model.AddItem(QString("/new/track-%1.mp3").arg(i));

    // Let every write beyond 1000 bytes fail, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        model.SavePlaylist(Path("keep.m3u"));
    } catch (const std::runtime_error&) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(threw);
    EXPECT_EQ(ReadBytes(Path("keep.m3u")), "/old/one.mp3\r\n/old/two.mp3\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"keep.m3u"}));

    EXPECT_THROW(model.SavePlaylist(Path("no/such/folder/x.m3u")), std::runtime_error);
    EXPECT_THROW(model.SavePlaylist(dir_.path()), std::runtime_error);
}
