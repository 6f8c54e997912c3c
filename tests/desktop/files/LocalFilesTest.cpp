// The file system by names of any bytes: finding, listing, opening and
// replacing files whose names are not UTF-8.
#include "desktop/files/FileNames.h"
#include "desktop/files/LocalFiles.h"
#include "desktop/files/SavedFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class LocalFilesTest : public ::testing::Test {
protected:
    // A path in the test's folder from the bytes of its name.
    QString Path(const QByteArray& name) const { return DecodeFileName(QFile::encodeName(dir.path()) + '/' + name); }

    static void Write(const QString& path, const QByteArray& bytes) {
        std::FILE* file = std::fopen(EncodeFileName(path).constData(), "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file), size_t(bytes.size()));
        std::fclose(file);
    }
    static QByteArray Read(const QString& path) {
        QFile file;
        EXPECT_EQ(LocalFiles::OpenRegularFile(file, path, QIODevice::ReadOnly), "");
        return file.readAll();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(LocalFilesTest, ALatin1NamedFileIsListedFoundAndOpened) {
    const QString track = Path("caf\xE9.mp3");
    Write(track, "tone");
    ASSERT_TRUE(mkdir(EncodeFileName(Path("d\xFC")).constData(), 0700) == 0);

    QStringList entries = LocalFiles::FolderEntries(dir.path());
    entries.sort();
    EXPECT_EQ(entries, QStringList({DecodeFileName("caf\xE9.mp3"), DecodeFileName("d\xFC")}));
    EXPECT_TRUE(LocalFiles::IsFile(track));
    EXPECT_FALSE(LocalFiles::IsFolder(track));
    EXPECT_TRUE(LocalFiles::IsFolder(Path("d\xFC")));
    EXPECT_EQ(LocalFiles::FileSize(track), 4);
    EXPECT_EQ(Read(track), "tone");
    EXPECT_EQ(LocalFiles::CanonicalPath(Path("d\xFC/../caf\xE9.mp3")), LocalFiles::CanonicalPath(track));
    EXPECT_FALSE(LocalFiles::Exists(QFile::decodeName(EncodeFileName(track)))); // Qt's reading names nothing
}

TEST_F(LocalFilesTest, FifosDevicesAndFoldersAreRefusedWithoutWaiting) {
    const QString fifo = Path("pipe.mp3");
    ASSERT_EQ(mkfifo(EncodeFileName(fifo).constData(), 0600), 0);
    QFile file;
    EXPECT_EQ(LocalFiles::OpenRegularFile(file, fifo, QIODevice::ReadOnly), "not a regular file");
    EXPECT_EQ(LocalFiles::OpenRegularFile(file, "/dev/zero", QIODevice::ReadOnly), "not a regular file");
    EXPECT_EQ(LocalFiles::OpenRegularFile(file, dir.path(), QIODevice::ReadOnly), "not a regular file");
    EXPECT_NE(LocalFiles::OpenRegularFile(file, Path("missing"), QIODevice::ReadOnly), "");
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(LocalFiles::FileSize(fifo), -1);
}

TEST_F(LocalFilesTest, PathsQtDecodedLossilyAreRecoveredPartByPart) {
    ASSERT_EQ(mkdir(EncodeFileName(Path("M\xFCsik")).constData(), 0700), 0);
    const QString track = Path("M\xFCsik/caf\xE9 01.mp3");
    Write(track, "x");
    Write(Path("M\xFCsik/caf\xE8 01.mp3.txt"), "another file of a similar name");

    const QString asQtSaysIt = QFile::decodeName(EncodeFileName(track));
    ASSERT_TRUE(asQtSaysIt.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(LocalFiles::RecoverDecodedPath(asQtSaysIt), track);
    EXPECT_EQ(LocalFiles::RecoverDecodedPath(track), track);
    // A new name to save under stays as typed.
    const QString fresh =
        QFile::decodeName(EncodeFileName(Path("M\xFCsik/"))) + QString::fromUtf8("new \xEF\xBF\xBD.m3u");
    EXPECT_EQ(LocalFiles::RecoverDecodedPath(fresh), Path("M\xFCsik/") + QString::fromUtf8("new \xEF\xBF\xBD.m3u"));
}

TEST_F(LocalFilesTest, RelativeNamesAreMadeAbsoluteAgainstTheCurrentFolder) {
    const QString here = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(LocalFiles::AbsolutePath(DecodeFileName("sub/../caf\xE9.mp3")), Path("caf\xE9.mp3"));
    EXPECT_EQ(LocalFiles::AbsolutePath("/a/./b/../c"), "/a/c");
    QDir::setCurrent(here);
}

TEST_F(LocalFilesTest, ASavedFileReplacesTheOldOneWholeKeepingItsPermissionsAndLink) {
    const QString target = Path("list \xE9.m3u");
    Write(target, "old");
    ASSERT_EQ(chmod(EncodeFileName(target).constData(), 0640), 0);
    const QString link = Path("link.m3u");
    ASSERT_EQ(symlink(EncodeFileName(target).constData(), EncodeFileName(link).constData()), 0);

    {
        TSavedFile unfinished(link);
        ASSERT_TRUE(unfinished.Open());
        ASSERT_TRUE(unfinished.Write("half"));
    } // never committed
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(LocalFiles::FolderEntries(dir.path()).size(), 2);

    TSavedFile saved(link);
    ASSERT_TRUE(saved.Open());
    ASSERT_TRUE(saved.Write("new ") && saved.Write("text"));
    ASSERT_TRUE(saved.Commit()) << saved.ErrorString().toStdString();
    EXPECT_EQ(Read(link), "new text");
    struct stat status {};
    ASSERT_EQ(lstat(EncodeFileName(link).constData(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    ASSERT_EQ(stat(EncodeFileName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(LocalFiles::FolderEntries(dir.path()).size(), 2);
}

TEST_F(LocalFilesTest, ASaveIntoAMissingFolderFailsWithTheSystemsReason) {
    TSavedFile saved(Path("no such folder/list.m3u"));
    EXPECT_FALSE(saved.Open());
    EXPECT_EQ(saved.ErrorString(), "No such file or directory");
    EXPECT_FALSE(saved.Write("x"));
    EXPECT_FALSE(saved.Commit());
}
