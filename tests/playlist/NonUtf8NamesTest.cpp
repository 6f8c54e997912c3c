// Tracks whose names are not UTF-8 (made on a Latin-1 system, say) are found,
// shown, saved and read back like any other.
#include "PlaylistTestFiles.h"

#include "desktop/files/FileNames.h"
#include "playlist/DirectoryScan.h"
#include "playlist/DisplayText.h"
#include "playlist/HtmlExport.h"
#include "playlist/M3uFile.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlaylistModel.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

class NonUtf8Names : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Creates the file whose name has these bytes.
    QString Make(const QByteArray& name) {
        const QString path = DecodeFileName(QFile::encodeName(dir.path()) + '/' + name);
        std::FILE* file = std::fopen(EncodeFileName(path).constData(), "wb");
        EXPECT_NE(file, nullptr) << name.toStdString();
        if (file) std::fclose(file);
        return path;
    }
    QStringList PathsIn(const QString& playlist) {
        QStringList paths;
        for (const TPlaylistEntry& entry : ReadPlaylistFile(playlist)) paths.append(entry.Path);
        return paths;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(NonUtf8Names, SavedListsKeepTheBytesAsFileUrlsAndReadThemBack) {
    const QString latin1 = Make("caf\xE9 #1.mp3");
    const QString utf8 = Make("caf\xC3\xA9.mp3");
    TPlaylistModel model;
    model.AddItem(latin1);
    model.AddItem(utf8);
    const QString list = dir.filePath("list.m3u");
    model.SavePlaylist(list);

    const QByteArray expected = "file://" + QFile::encodeName(dir.path()) + "/caf%E9%20%231.mp3\r\n" +
                                QFile::encodeName(dir.path()) + "/caf\xC3\xA9.mp3\r\n";
    EXPECT_EQ(ReadBytes(list), expected);
    EXPECT_EQ(PathsIn(list), QStringList({latin1, utf8}));
}

TEST_F(NonUtf8Names, RawLinesNameTheFileOfTheirBytesWhenThereIsOne) {
    const QString track = Make("M\xFCller.mp3");
    WriteBytes(dir.filePath("raw.m3u"), "M\xFCller.mp3\nGone \xE9.mp3\n");
    EXPECT_EQ(PathsIn(dir.filePath("raw.m3u")), QStringList({track, dir.filePath(QString::fromUtf8("Gone é.mp3"))}));
    WriteBytes(dir.filePath("raw.pls"), "[playlist]\nFile1=M\xFCller.mp3\nTitle1=M\xFCller\n");
    const TPlaylistEntries pls = ReadPlaylistFile(dir.filePath("raw.pls"));
    ASSERT_EQ(pls.size(), 1);
    EXPECT_EQ(pls[0].Path, track);
    EXPECT_EQ(pls[0].Title, QString::fromUtf8("Müller"));
}

TEST_F(NonUtf8Names, FolderScansFindThemAndDeadFilesKeepsThem) {
    const QString track = Make("\xC9t\xE9 02.mp3");
    const QString first = Make("01.mp3");
    QStringList found;
    ScanDirectory(
        dir.path(), [](const QString&) {}, [&](const QString& path) { found.append(path); });
    EXPECT_EQ(found, QStringList({first, track}));

    TPlaylistModel model;
    model.AddItem(track);
    model.DeleteDeadFiles();
    EXPECT_EQ(model.Paths(), QStringList({track}));
}

TEST_F(NonUtf8Names, LinesShowTheBytesAsWindows1252AndHtmlLinksKeepThem) {
    const QString track = Make("caf\xE9 \x80.mp3");
    EXPECT_EQ(MakeDisplayText(track, "", 0, true), QString::fromUtf8("1. café €.mp3"));
    EXPECT_EQ(ReadableFileName(DecodeFileName("a\xC3\xA9\xE9")), QString::fromUtf8("aéé"));
    EXPECT_EQ(ReadableFileName(QString::fromUtf8("ace \xF0\x9F\x82\xA1")), QString::fromUtf8("ace \xF0\x9F\x82\xA1"));

    TPlaylistModel model;
    model.AddItem(track);
    const QString page = HtmlPlaylistLines(model).join('\n');
    EXPECT_TRUE(
        page.contains("href=\"file://" + QString::fromUtf8(QFile::encodeName(dir.path())) + "/caf%E9%20%80.mp3\""))
        << page.toStdString();
    EXPECT_TRUE(page.contains(QString::fromUtf8(">café €.mp3</a>")));
}
