#include "TagFiles.h"
#include "tags/Id3v2Parser.h"
#include "tags/LxId3v1.h"
#include "tests/desktop/QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST(Genres, NamesFollowTheTableAndOthersAreEmpty) {
    EXPECT_EQ(Genre2String(TGenre::Blues), "Blues");
    EXPECT_EQ(Genre2String(TGenre::Rock), "Rock");
    EXPECT_EQ(Genre2String(TGenre::R_and_B), "R&B");
    EXPECT_EQ(Genre2String(TGenre::Rock_and_Roll), "Rock & Roll");
    EXPECT_EQ(Genre2String(TGenre::Dance_Hall), "Dance Hall");
    EXPECT_EQ(static_cast<int>(TGenre::Dance_Hall), 125);
    EXPECT_EQ(Genre2String(TGenre::none), "");
    EXPECT_EQ(Genre2String(static_cast<TGenre>(200)), "");
    EXPECT_EQ(Genre2String(static_cast<TGenre>(255)), "");
}

TEST(LxId3v1, ReadsFieldsAtFullWidthAsLatin1AndAFileWithoutTagAsEmptyAndNone) {
    TagFiles files;
    const QString path = files.Write(
        "tagged.mp3", AudioBytes(500) + Id3v1Block("abc", "Beyonc\xE9", "Album", "1999", "comment   ", 200));
    TLxId3v1 tag;
    tag.SetFilename(path);
    EXPECT_EQ(tag.Filename(), path);
    EXPECT_EQ(tag.Songname(), QString("abc") + QString(27, QChar(0)));
    EXPECT_EQ(tag.Artist().left(7), QString::fromUtf8("Beyoncé"));
    EXPECT_EQ(tag.Year(), "1999");
    EXPECT_EQ(tag.Comment().left(10), "comment   ");
    EXPECT_EQ(static_cast<int>(tag.Genre()), 200);

    EXPECT_FALSE(tag.ReadTag(files.Write("plain.mp3", AudioBytes(1000))));
    for (const QString& field : {tag.Songname(), tag.Artist(), tag.Album(), tag.Year(), tag.Comment()})
        EXPECT_TRUE(field.isEmpty());
    EXPECT_EQ(tag.Genre(), TGenre::none);
}

TEST(LxId3v1, WriteAppendsOnceThenOverwritesInPlace) {
    TagFiles files;
    const QByteArray audio = AudioBytes(1000);
    const QString path = files.Write("song.mp3", audio);
    TLxId3v1 tag;

    ASSERT_TRUE(tag.WriteTag(path, "abc", "Artist", "Album", "2001", "first", TGenre::Rock));
    EXPECT_EQ(Contents(path).mid(1000 + 3, 30), "abc" + QByteArray(27, ' ')); // padded with blanks
    ASSERT_TRUE(tag.WriteTag(path, QString(31, QChar('t')), QString::fromUtf8("Ünïcode ☺"), "", "19999", "second",
                             TGenre::Jazz));
    const QByteArray written = Contents(path);
    ASSERT_EQ(written.size(), 1128);
    EXPECT_EQ(written.left(1000), audio);

    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(tag.Songname(), QString(30, QChar('t')));
    // Not all of it fits Windows-1252: written as UTF-8 (13 bytes), read back whole.
    EXPECT_EQ(tag.Artist(), QString::fromUtf8("Ünïcode ☺") + QString(17, QChar(' ')));
    EXPECT_EQ(tag.Album(), QString(30, QChar(' ')));
    EXPECT_EQ(tag.Year(), "1999");
    EXPECT_EQ(tag.Comment(), "second" + QString(24, QChar(' ')));
    EXPECT_EQ(tag.Genre(), TGenre::Jazz);
}

TEST(LxId3v1, RemoveShortensByTheTagOnly) {
    TagFiles files;
    const QByteArray audio = AudioBytes(872);
    const QString tagged = files.Write("tagged.mp3", audio + Id3v1Block("t", "a", "b", "2000", "c", 1));
    const QString plain = files.Write("plain.mp3", AudioBytes(1000));
    TLxId3v1 tag;

    tag.RemoveTag(tagged);
    EXPECT_EQ(Contents(tagged), audio);
    tag.RemoveTag(plain);
    EXPECT_EQ(Contents(plain), AudioBytes(1000));
}

TEST(LxId3v1, ShortMissingAndUnwritableFilesFailCleanly) {
    TagFiles files;
    const QString shortFile = files.Write("short.mp3", "TAG tiny");
    const QString missing = files.Folder() + "/missing.mp3";
    TLxId3v1 tag;
    tag.SetArtist("kept");

    EXPECT_THROW(tag.ReadTag(shortFile), std::runtime_error);
    EXPECT_THROW(tag.SetFilename(missing), std::runtime_error);
    EXPECT_EQ(tag.Artist(), "kept");

    EXPECT_FALSE(tag.WriteTag(shortFile, "t", "", "", "", "", TGenre::Rock));
    EXPECT_EQ(Contents(shortFile), "TAG tiny");
    EXPECT_FALSE(tag.WriteTag(missing, "t", "", "", "", "", TGenre::Rock));
    EXPECT_FALSE(QFile::exists(missing));

    EXPECT_THROW(tag.RemoveTag(missing), std::runtime_error);
    EXPECT_NO_THROW(tag.RemoveTag(shortFile));
    EXPECT_EQ(Contents(shortFile), "TAG tiny");

    // A FIFO without a writer would block every open: it is refused at once,
    // as is a folder.
    const QString fifo = files.Folder() + "/fifo.mp3";
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& notAFile : {fifo, files.Folder()}) {
        EXPECT_THROW(tag.ReadTag(notAFile), std::runtime_error);
        EXPECT_THROW(Id3v2Parser::ReadFile(notAFile), std::runtime_error);
        EXPECT_THROW(tag.RemoveTag(notAFile), std::runtime_error);
        EXPECT_FALSE(tag.WriteTag(notAFile, "t", "", "", "", "", TGenre::Rock));
    }

    // Permission bits do not stop root.
    if (geteuid() != 0) {
        const QString locked = files.Write("locked.mp3", AudioBytes(400));
        QFile::setPermissions(locked, QFileDevice::ReadOwner);
        EXPECT_FALSE(tag.WriteTag(locked, "t", "", "", "", "", TGenre::Rock));
        EXPECT_EQ(Contents(locked), AudioBytes(400));
    }
}
