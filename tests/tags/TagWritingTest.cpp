// ID3v1 texts in UTF-8 or Windows-1252, the ID3v1.1 track, the ID3v2
// writer, and the tag window saving both tags.
#include "TagFiles.h"
#include "desktop/files/FileNames.h"
#include "desktop/files/LocalFiles.h"
#include "tags/Id3v1Layout.h"
#include "tags/Id3v1Text.h"
#include "tags/Id3v2Parser.h"
#include "tags/Id3v2View.h"
#include "tags/Id3v2Writer.h"
#include "tags/LxId3v1.h"
#include "tags/LxVisualId3v1.h"
#include "tags/id3form.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QByteArray Contents(const QString& path) {
    QFile file;
    return LocalFiles::OpenRegularFile(file, path, QIODevice::ReadOnly).isEmpty() ? file.readAll() : QByteArray();
}

} // namespace

TEST(Id3v1Text, Utf8WhenValidElseWindows1252) {
    EXPECT_EQ(Id3v1Text::Decode("Sigur R\xC3\xB3s"), QString::fromUtf8("Sigur Rós"));
    EXPECT_EQ(Id3v1Text::Decode("Sigur R\xF3s"), QString::fromUtf8("Sigur Rós"));         // Latin-1
    EXPECT_EQ(Id3v1Text::Decode("\x93quoted\x94 \x80"), QString::fromUtf8("“quoted” €")); // 1252's own
    EXPECT_EQ(Id3v1Text::Decode("x\x81"), QString::fromUtf8("x\xC2\x81"));                // undefined byte
    // Only the text before the first zero byte decides.
    EXPECT_EQ(Id3v1Text::Decode(QByteArray("\xC3\xA9\0\xFF", 4)).left(1), QString::fromUtf8("é"));

    EXPECT_EQ(Id3v1Text::Encode(QString::fromUtf8("café €"), 10), QByteArray("caf\xE9 \x80    "));
    // Cyrillic has no 1252 bytes: UTF-8, never split inside a character.
    const QByteArray cyrillic = Id3v1Text::Encode(QString::fromUtf8("Кино"), 7);
    EXPECT_EQ(cyrillic, QByteArray("\xD0\x9A\xD0\xB8\xD0\xBD "));
    EXPECT_EQ(Id3v1Text::Decode(cyrillic), QString::fromUtf8("Кин "));

    // A text that is not UTF-8 is written back as the bytes it was read from.
    QByteArray everyByte;
    for (int byte = 0x80; byte <= 0xFF; ++byte) everyByte.append(char(byte));
    EXPECT_EQ(Id3v1Text::Encode(Id3v1Text::Decode(everyByte), int(everyByte.size())), everyByte);
    // A UTF-8 text keeps the bytes left over after its zero.
    const QByteArray leftOver("Comme\xDA\x8B\0\xF6\xFF", 10);
    EXPECT_EQ(Id3v1Text::Encode(Id3v1Text::Decode(leftOver), 10), leftOver);
}

TEST(Id3v1Layout, TrackNumbersOfId3v11) {
    Id3v1Layout::Fields fields;
    fields.comment = QString(30, QChar('c'));
    fields.track = 7;
    const QByteArray block = Id3v1Layout::Encode(fields);
    ASSERT_EQ(block.size(), 128);
    EXPECT_EQ(block[125], '\0');
    EXPECT_EQ(block[126], '\7');
    const Id3v1Layout::Fields read = Id3v1Layout::Decode(block);
    EXPECT_EQ(read.track, 7);
    EXPECT_EQ(read.comment, QString(28, QChar('c')));

    // A full 30-byte comment is no track; neither is a zero track byte.
    fields.track = 0;
    EXPECT_EQ(Id3v1Layout::Decode(Id3v1Layout::Encode(fields)).comment, fields.comment);
    // Nor a comment without a track whose 29th byte is zero.
    fields.comment = QString(28, QChar('c')) + QChar(0);
    EXPECT_EQ(Id3v1Layout::Decode(Id3v1Layout::Encode(fields)).track, 0);
    EXPECT_EQ(Id3v1Layout::Decode(Id3v1Block("t", "a", "b", "2000", "c", 1)).track, 0);
}

TEST(Id3v2Writer, ReplacesTheEditedFramesAndKeepsTheOthers) {
    const QByteArray picture = Id3v2Frame(3, "APIC", QByteArray("\0image/png\0\3\0PNG", 15));
    const QByteArray described = Id3v2Frame(3, "COMM", QByteArray("\0engiTunNORM\0 0000", 18));
    const QByteArray old =
        Id3v2TagBytes(3, 0,
                      Id3v2Frame(3, "TIT2", Latin1Text("Old")) + picture + described +
                          Id3v2Frame(3, "COMM", QByteArray("\0eng\0old note", 13)) + QByteArray(20, '\0'));
    Id3v2Tag values;
    values.title = QString::fromUtf8("Новая");
    values.artist = "Artist";
    values.track = "3/9";
    values.comment = "new note";
    const QByteArray tag = Id3v2Writer::RebuildTag(old, values, 0);
    EXPECT_TRUE(tag.contains(picture));
    EXPECT_TRUE(tag.contains(described));
    EXPECT_FALSE(tag.contains("old note"));
    const Id3v2Tag read = Id3v2Parser::Parse(tag);
    ASSERT_EQ(read.status, Id3v2Tag::Status::Read);
    EXPECT_EQ(read.majorVersion, 3);
    EXPECT_EQ(read.title, QString::fromUtf8("Новая")); // UTF-16 in 2.3
    EXPECT_EQ(read.artist, "Artist");
    EXPECT_EQ(read.track, "3/9");
    EXPECT_EQ(read.comment, "new note");
    EXPECT_EQ(read.album, "");

    // Padded to the old tag's room when it fits; a 2.4 tag stays 2.4 (UTF-8).
    EXPECT_EQ(Id3v2Writer::RebuildTag(old, Id3v2Tag{}, old.size()).size(), old.size());
    const QByteArray v4 = Id3v2Writer::RebuildTag(Id3v2TagBytes(4, 0, Id3v2Frame(4, "TIT2", Utf8Text("x"))), values, 0);
    EXPECT_EQ(v4[3], '\4');
    EXPECT_EQ(Id3v2Parser::Parse(v4).title, QString::fromUtf8("Новая"));
    // No tag yet: a new ID3v2.3 tag.
    EXPECT_EQ(Id3v2Parser::Parse(Id3v2Writer::RebuildTag({}, values, 0)).majorVersion, 3);
}

TEST(Id3v2Writer, TagsItCannotEditLoseNothing) {
    const QByteArray body = Id3v2Frame(3, "TIT2", Latin1Text("T"));
    const QByteArray refused[] = {
        Id3v2TagBytes(2, 0, Id3v2Frame(2, "TT2", Latin1Text("T"))), Id3v2TagBytes(3, 0x80, body), // unsynchronised
        Id3v2TagBytes(3, 0x40, QByteArray("\0\0\0\6", 4) + body),                                 // extended header
        Id3v2TagBytes(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title")).left(13)),                 // frame past the end
    };
    for (const QByteArray& tag : refused) EXPECT_THROW(Id3v2Writer::RebuildTag(tag, Id3v2Tag{}, 0), std::runtime_error);

    TagFiles files;
    const QByteArray original = refused[0] + AudioBytes(300);
    const QString path = files.Write("old.mp3", original);
    EXPECT_THROW(Id3v2Writer::WriteFile(path, Id3v2Tag{}), std::runtime_error);
    EXPECT_EQ(Contents(path), original);
    EXPECT_THROW(Id3v2Writer::WriteFile(files.Folder(), Id3v2Tag{}), std::runtime_error); // a folder
}

TEST(Id3v2Writer, RewritesTheFileAroundTheSameAudio) {
    TagFiles files;
    const QByteArray audio = AudioBytes(5000) + Id3v1Block("v1", "", "", "", "", 17);
    const QString path = files.Write("song.mp3", audio);
    Id3v2Tag values;
    values.title = "Grown";
    values.genre = "Rock";
    Id3v2Writer::WriteFile(path, values);
    QByteArray written = Contents(path);
    const qint64 tagSize = Id3v2Parser::DeclaredSize(written);
    ASSERT_GT(tagSize, 10);
    EXPECT_EQ(written.mid(tagSize), audio);
    EXPECT_EQ(Id3v2Parser::ReadFile(path).title, "Grown");

    // Shorter values fit the room the first write left: the audio stays put.
    values.title = "G";
    Id3v2Writer::WriteFile(path, values);
    written = Contents(path);
    EXPECT_EQ(Id3v2Parser::DeclaredSize(written), tagSize);
    EXPECT_EQ(written.mid(tagSize), audio);
    EXPECT_EQ(Id3v2Parser::ReadFile(path).genre, "Rock");
}

// Qt would look for a recoded name and write a second file beside it.
TEST(Id3v2Writer, BothTagsOfAFileNamedInLatin1AreReadAndWrittenInPlace) {
    TagFiles files;
    const QByteArray audio = AudioBytes(3000);
    const QString path = files.Write(DecodeFileName("M\xFCller \xE9t\xE9.mp3"), audio);
    Id3v2Tag values;
    values.title = QString::fromUtf8("Été");
    Id3v2Writer::WriteFile(path, values);
    EXPECT_EQ(Id3v2Parser::ReadFile(path).title, QString::fromUtf8("Été"));
    TLxId3v1 v1;
    ASSERT_TRUE(v1.WriteTag(path, "Ete", "Muller", "", "2026", "", TGenre(17), 3));
    ASSERT_TRUE(v1.ReadTag(path));
    EXPECT_EQ(v1.Artist().left(6), "Muller");
    EXPECT_EQ(LocalFiles::FolderEntries(files.Folder()), QStringList({DecodeFileName("M\xFCller \xE9t\xE9.mp3")}));
    const QByteArray written = Contents(path);
    EXPECT_EQ(written.mid(Id3v2Parser::DeclaredSize(written), audio.size()), audio);
    v1.RemoveTag(path);
    EXPECT_FALSE(v1.ReadTag(path));
}

TEST(Tid3form, SavesBothTagsAsEdited) {
    TagFiles files;
    const QString path = files.Write("edit.mp3", Id3v2TagBytes(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Before"))) +
                                                     AudioBytes(800) + Id3v1Block("Before", "", "", "", "", 17));
    Tid3form form;
    form.show();
    form.LxVisualId3v11->SetFilename(path);
    EXPECT_TRUE(form.LxVisualId3v11->ArtistEdit()->isEnabled());
    form.LxVisualId3v11->SongnameEdit()->setText(QString::fromUtf8("Après"));
    form.LxVisualId3v11->TrackEdit()->setText("12");
    form.LxVisualId3v11->GenreList()->setCurrentIndex(8); // Jazz
    form.Id3v2Page->Edit("Title")->setText(QString::fromUtf8("Après"));
    form.Id3v2Page->Edit("Year")->setText("2026");
    ASSERT_TRUE(form.Save());
    EXPECT_EQ(form.StatusLabel->text(), "Saved.");

    TLxId3v1 v1;
    ASSERT_TRUE(v1.ReadTag(path));
    EXPECT_EQ(v1.Songname().trimmed(), QString::fromUtf8("Après"));
    EXPECT_EQ(v1.Track(), 12);
    EXPECT_EQ(v1.Genre(), TGenre::Jazz);
    const Id3v2Tag v2 = Id3v2Parser::ReadFile(path);
    EXPECT_EQ(v2.title, QString::fromUtf8("Après"));
    EXPECT_EQ(v2.year, "2026");
    EXPECT_EQ(form.LxVisualId3v11->TrackEdit()->text(), "12"); // shown again from the file

    // A file too short for a tag: the reason shows, nothing is written.
    const QString tiny = files.Write("tiny.mp3", "ID3");
    form.LxVisualId3v11->SetFilename(path);
    EXPECT_THROW(form.LxVisualId3v11->SetFilename(tiny), std::runtime_error);
    EXPECT_FALSE(form.Save());
    EXPECT_FALSE(form.StatusLabel->text().isEmpty());
    EXPECT_EQ(Contents(tiny), "ID3");
}
