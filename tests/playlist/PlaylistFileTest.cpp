#include "PlaylistTestFiles.h"

#include "playlist/EntryLocation.h"
#include "playlist/M3uFile.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlaylistModel.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
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
    QString Base() const { return QDir(dir_.path()).absolutePath(); }

    // Entries of a playlist file `name` holding `bytes`.
    TPlaylistEntries Read(const QByteArray& bytes, const QString& name = "list.m3u") {
        WriteBytes(Path(name), bytes);
        return ReadPlaylistFile(Path(name));
    }
    QStringList ReadPaths(const QByteArray& bytes, const QString& name = "list.m3u") {
        QStringList paths;
        for (const TPlaylistEntry& entry : Read(bytes, name)) paths.append(entry.Path);
        return paths;
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(PlaylistM3uFile, LineEndsDecideTheEntriesAndBlankLinesAreSkipped) {
    EXPECT_EQ(ReadPaths("/a.mp3\r\n/b.mp3"), QStringList({"/a.mp3", "/b.mp3"}));
    EXPECT_EQ(ReadPaths("/a.mp3\r\n/b.mp3\r\n"), QStringList({"/a.mp3", "/b.mp3"}));
    EXPECT_EQ(ReadPaths("/a.mp3\r\n\r\n \t\r\n/b.mp3\r\n"), QStringList({"/a.mp3", "/b.mp3"}));
    EXPECT_EQ(ReadPaths("/a.mp3\r/b.mp3\n/c.mp3\r\n/d.mp3\n\r/e.mp3"),
              QStringList({"/a.mp3", "/b.mp3", "/c.mp3", "/d.mp3", "/e.mp3"}));
    EXPECT_EQ(ReadPaths(""), QStringList());
    EXPECT_EQ(ReadPaths("\n\r\n"), QStringList());
}

TEST_F(PlaylistM3uFile, LinesThatAreNotUtf8AreWindows1252AndM3u8IsAlwaysUtf8) {
    const QByteArray text = "/m/Caf\xe9 \x80 \x93quoted\x94.mp3\r\n"
                            "/m/Gr\xc3\xbc\xc3\x9f"
                            "e.mp3\r\n"
                            "/m/\x81\x8d.mp3\r\n";
    EXPECT_EQ(ReadPaths(text),
              QStringList({QString::fromUtf8("/m/Café € “quoted”.mp3"), QString::fromUtf8("/m/Grüße.mp3"),
                           QString::fromUtf8("/m/\u0081\u008d.mp3")}));
    EXPECT_EQ(ReadPaths(text, "list.m3u8"),
              QStringList({QString::fromUtf8("/m/Caf\uFFFD \uFFFD \uFFFDquoted\uFFFD.mp3"),
                           QString::fromUtf8("/m/Grüße.mp3"), QString::fromUtf8("/m/\uFFFD\uFFFD.mp3")}));
    // A byte order mark makes the whole file UTF-8.
    EXPECT_EQ(ReadPaths("\xEF\xBB\xBF/m/Caf\xe9.mp3\n"), QStringList({QString::fromUtf8("/m/Caf\uFFFD.mp3")}));

    const QByteArray longLine = "/" + QByteArray(2 * 1024 * 1024, 'a') + ".mp3";
    const QStringList paths = ReadPaths(longLine + "\r\n/bad\xff\xfe.mp3\r\n");
    ASSERT_EQ(paths.size(), 2);
    EXPECT_EQ(paths[0].size(), longLine.size());
    EXPECT_EQ(paths[1], QString::fromUtf8("/badÿþ.mp3"));
}

TEST_F(PlaylistM3uFile, EntriesBecomePathsInThePlaylistsFolder) {
    const QByteArray text = "#EXTM3U\r\n"
                            "sub/one.mp3\r\n"
                            "sub\\two.mp3\r\n"
                            "..\\up\\three.mp3\r\n"
                            "/abs/four.mp3\r\n"
                            "file:///abs/with%20space%23.mp3\r\n"
                            "file://localhost/abs/Caf%C3%A9.mp3\r\n"
                            "FILE:/abs/Caf%E9.mp3\r\n"
                            "file://server/share/x.mp3\r\n"
                            "http://host/live?a=1&b=2\\x\r\n"
                            " #not a directive.mp3\r\n";
    EXPECT_EQ(ReadPaths(text), QStringList({Base() + "/sub/one.mp3", Base() + "/sub/two.mp3",
                                            QDir::cleanPath(Base() + "/../up/three.mp3"), "/abs/four.mp3",
                                            "/abs/with space#.mp3", QString::fromUtf8("/abs/Café.mp3"),
                                            QString::fromUtf8("/abs/Café.mp3"), "file://server/share/x.mp3",
                                            "http://host/live?a=1&b=2\\x", Base() + "/ #not a directive.mp3"}));
}

TEST_F(PlaylistM3uFile, ExtinfTitlesGoToTheNextEntryOnly) {
    const QByteArray text = "#EXTM3U\n"
                            "#EXTINF:123,Artist - Title, with comma\n"
                            "/a.mp3\n"
                            "/b.mp3\n"
                            "#EXTINF:-1 tvg-name=\"x,y\" group-title=\"News\", Radio One \n"
                            "#EXTGRP:ignored\n"
                            "\n"
                            "http://host/one\n"
                            "#extinf:5,First\n"
                            "#EXTINF:5,Second wins\n"
                            "/c.mp3\n"
                            "#EXTINF:7\n"
                            "/d.mp3\n"
                            "#EXTINF:9,dangling\n";
    EXPECT_EQ(Read(text), TPlaylistEntries({{"/a.mp3", "Artist - Title, with comma"},
                                            {"/b.mp3", ""},
                                            {"http://host/one", "Radio One"},
                                            {"/c.mp3", "Second wins"},
                                            {"/d.mp3", ""}}));
}

TEST_F(PlaylistM3uFile, PlsEntriesComeInTheirNumberOrderWithTheirTitles) {
    const QByteArray text = "[playlist]\r\n"
                            "; a comment\r\n"
                            "NumberOfEntries=2\r\n"
                            "File2=http://host:8000/two\r\n"
                            "Title2=Two FM\r\n"
                            "file1 = sub\\one.mp3 \r\n"
                            "TITLE1=Caf\xe9 One\r\n"
                            "Length1=-1\r\n"
                            "File10=/ten.mp3\r\n"
                            "Title3=no file\r\n"
                            "File4=\r\n"
                            "Filex=/not/a/number.mp3\r\n"
                            "File2=http://host:8000/two-again\r\n"
                            "File99999999999=/too/long/a/number.mp3\r\n"
                            "Version=2\r\n";
    const TPlaylistEntries expected = {{Base() + "/sub/one.mp3", QString::fromUtf8("Café One")},
                                       {"http://host:8000/two-again", "Two FM"},
                                       {"/ten.mp3", ""}};
    EXPECT_EQ(Read(text, "radio.pls"), expected);
    // The section says what the file is, whatever its name.
    EXPECT_EQ(Read("\n  [Playlist]\nFile1=/x.mp3\nTitle1=X\n", "mislabelled.m3u"), TPlaylistEntries({{"/x.mp3", "X"}}));
    EXPECT_EQ(Read("File1=/x.mp3\n", "headless.pls"), TPlaylistEntries({{"/x.mp3", ""}}));
    EXPECT_EQ(Read("[playlist]\nNumberOfEntries=3\n", "empty.pls"), TPlaylistEntries());
}

TEST(PlaylistEntryLocation, RemoteEntriesResolveAgainstTheListsAddress) {
    const QUrl base("https://radio.example:8443/lists/jazz.pls?x=1");
    EXPECT_EQ(ResolveRemoteEntry("stream.mp3", base), "https://radio.example:8443/lists/stream.mp3");
    EXPECT_EQ(ResolveRemoteEntry("/live/a b.mp3", base), "https://radio.example:8443/live/a%20b.mp3");
    EXPECT_EQ(ResolveRemoteEntry("..\\up.mp3", base), "https://radio.example:8443/up.mp3");
    EXPECT_EQ(ResolveRemoteEntry("http://other.example/x", base), "http://other.example/x");
    EXPECT_EQ(ResolveRemoteEntry("//cdn.example/y", base), "https://cdn.example/y");
}

TEST_F(PlaylistM3uFile, MalformedTextNeverCrashesAndKeepsEveryEntryLine) {
    QRandomGenerator random(2024);
    QByteArray text;
    int entryLines = 0;
    for (int line = 0; line < 3000; ++line) {
        QByteArray bytes;
        const int length = static_cast<int>(random.bounded(0, 40));
        for (int i = 0; i < length; ++i) {
            const char c = static_cast<char>(random.bounded(1, 256));
            if (c != '\r' && c != '\n') bytes.append(c);
        }
        const bool blank = bytes.count(' ') + bytes.count('\t') == bytes.size();
        if (!blank && !bytes.startsWith('#')) ++entryLines;
        text += bytes + (line % 3 == 0 ? "\r\n" : "\n");
    }
    EXPECT_EQ(Read(text).size(), entryLines);
    for (const TPlaylistFormat format : {TPlaylistFormat::M3u, TPlaylistFormat::M3u8, TPlaylistFormat::Pls}) {
        ParsePlaylist(text, format, [](const QString& entry) { return ResolveRemoteEntry(entry, QUrl("http://h/")); });
        ParsePlaylist("[playlist]\n" + text, format, [](const QString& entry) { return entry; });
    }
}

TEST_F(PlaylistM3uFile, SaveThenLoadReproducesThePathsAndTitles) {
    const QStringList paths = {"/music/Ärger & \"Quotes\" <1>.mp3", "http://host/s.mp3?x=1&y=2", "/music/日本語.mp2",
                               QString(5000, u'x')};
    TPlaylistModel saved;
    saved.AddItems(paths);
    saved.SavePlaylist(Path("round.m3u"));

    QByteArray expected;
    for (const QString& path : paths) expected += path.toUtf8() + "\r\n";
    EXPECT_EQ(ReadBytes(Path("round.m3u")), expected);

    TPlaylistModel loaded;
    loaded.AddItem("/already/there.mp3");
    loaded.LoadPlaylist(Path("round.m3u"));
    EXPECT_EQ(loaded.Paths(), QStringList({"/already/there.mp3"}) + QStringList({paths[0], paths[1], paths[2]}) +
                                  QStringList({Path(paths[3])}));

    // Titles are kept as EXTINF lines; a line break cannot split one.
    TPlaylistModel titled;
    titled.AddEntries({{"/a.mp3", ""}, {"http://host/live", "Live\nFM, 24/7"}});
    titled.SavePlaylist(Path("titled.m3u"));
    EXPECT_EQ(ReadBytes(Path("titled.m3u")), "#EXTM3U\r\n/a.mp3\r\n#EXTINF:-1,Live FM, 24/7\r\nhttp://host/live\r\n");
    EXPECT_EQ(ReadPlaylistFile(Path("titled.m3u")),
              TPlaylistEntries({{"/a.mp3", ""}, {"http://host/live", "Live FM, 24/7"}}));
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
    WriteBytes(Path("junk.pls"), QByteArray("[playlist]\nFile1=/a.mp3\n\x00", 25));
    EXPECT_THROW(model.LoadPlaylist(Path("junk.pls")), std::runtime_error);
    EXPECT_EQ(model.Paths(), QStringList({"/kept.mp3"}));
}

TEST_F(PlaylistM3uFile, TooLargeFilesAreRefused) {
    QByteArray line(1024 * 1024 - 1, 'a');
    line.append('\n');
    QFile text(Path("big.m3u"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    for (qint64 written = 0; written <= MaxPlaylistBytes; written += line.size())
        ASSERT_EQ(text.write(line), line.size());
    text.close();
    try {
        ReadPlaylistFile(Path("big.m3u"));
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
