#include "TagFiles.h"
#include "tags/Id3v2Parser.h"
#include "tags/Id3v2Text.h"
#include "tests/desktop/QtPrinters.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// The seven shown frames of one version, with the given text encoder.
QByteArray ShownFrames(int major, QByteArray (*text)(const QString&)) {
    const bool v22 = major == 2;
    // A comment frame: encoding, language, an empty description, the text.
    const QByteArray encoding = text("").left(1);
    const QByteArray terminator = (encoding[0] == 1 || encoding[0] == 2) ? QByteArray(2, '\0') : QByteArray(1, '\0');
    const QByteArray comment =
        encoding + "eng" + text("").mid(1) + terminator + text(QString::fromUtf8("Ein Kommentar ä")).mid(1);
    return Id3v2Frame(major, v22 ? "TT2" : "TIT2", text(QString::fromUtf8("Tïtle ☺"))) +
           Id3v2Frame(major, v22 ? "TP1" : "TPE1", text("Artist")) +
           Id3v2Frame(major, v22 ? "TAL" : "TALB", text("Album")) +
           Id3v2Frame(major, v22 ? "TYE" : (major == 3 ? "TYER" : "TDRC"), text("2004")) +
           Id3v2Frame(major, v22 ? "TRK" : "TRCK", text("3/12")) +
           Id3v2Frame(major, v22 ? "TCO" : "TCON", text("(17)")) + Id3v2Frame(major, v22 ? "COM" : "COMM", comment);
}

QByteArray Utf16LEBom(const QString& text) { return Utf16BomText(text, false); }
QByteArray Utf16BEBom(const QString& text) { return Utf16BomText(text, true); }

void ExpectShownFrames(const Id3v2Tag& tag, int major, bool latin1) {
    EXPECT_EQ(tag.status, Id3v2Tag::Status::Read);
    EXPECT_EQ(tag.majorVersion, major);
    EXPECT_EQ(tag.title, latin1 ? QString::fromUtf8("Tïtle ?") : QString::fromUtf8("Tïtle ☺"));
    EXPECT_EQ(tag.artist, "Artist");
    EXPECT_EQ(tag.album, "Album");
    EXPECT_EQ(tag.year, "2004");
    EXPECT_EQ(tag.track, "3/12");
    EXPECT_EQ(tag.genre, "Rock");
    EXPECT_EQ(tag.comment, QString::fromUtf8("Ein Kommentar ä"));
}

} // namespace

TEST(Id3v2Parser, ReadsEachVersionInEachEncoding) {
    struct Case {
        int major;
        QByteArray (*text)(const QString&);
        bool latin1;
    };
    const Case cases[] = {
        {2, Latin1Text, true},  {2, Utf16LEBom, false}, {3, Latin1Text, true},   {3, Utf16LEBom, false},
        {3, Utf16BEBom, false}, {4, Utf8Text, false},   {4, Utf16BEText, false}, {4, Utf16LEBom, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ID3v2." << c.major << " encoding " << int(c.text("")[0]));
        const QByteArray file =
            Id3v2TagBytes(c.major, 0, ShownFrames(c.major, c.text) + QByteArray(64, '\0')) + AudioBytes(300);
        ExpectShownFrames(Id3v2Parser::Parse(file), c.major, c.latin1);
    }
}

TEST(Id3v2Parser, NoTagUnsupportedAndBrokenHeaders) {
    EXPECT_EQ(Id3v2Parser::Parse(AudioBytes(100)).status, Id3v2Tag::Status::NoTag);
    EXPECT_EQ(Id3v2Parser::Parse("ID3\3").status, Id3v2Tag::Status::NoTag);
    // size bytes must stay below 0x80
    EXPECT_EQ(Id3v2Parser::Parse(QByteArray("ID3\3\0\0\0\0\x80\0", 10)).status, Id3v2Tag::Status::NoTag);
    EXPECT_EQ(Id3v2Parser::Parse(Id3v2TagBytes(5, 0, "xxxx")).status, Id3v2Tag::Status::Unsupported);
    EXPECT_EQ(Id3v2Parser::Parse(Id3v2TagBytes(2, 0x40, "xxxx")).status, Id3v2Tag::Status::Unsupported);
}

TEST(Id3v2Parser, UnknownCompressedAndEncryptedFramesAreSkipped) {
    const QByteArray v3 = Id3v2Frame(3, "APIC", QByteArray(500, '\xFF')) +
                          Id3v2Frame(3, "TIT2", Latin1Text("secret"), 0x40) + Id3v2Frame(3, "TXXX", Latin1Text("x")) +
                          Id3v2Frame(3, "TIT2", Latin1Text("Shown"));
    EXPECT_EQ(Id3v2Parser::Parse(Id3v2TagBytes(3, 0, v3)).title, "Shown");

    const QByteArray v4 = Id3v2Frame(4, "TIT2", Utf8Text("packed"), 0x08) +
                          Id3v2Frame(4, "TPE1", QByteArray("\0\0\0\7", 4) + Utf8Text("Artist"), 0x01) +
                          Id3v2Frame(4, "TALB", QByteArray(1, 'g') + Utf8Text("Grouped"), 0x40);
    const Id3v2Tag tag = Id3v2Parser::Parse(Id3v2TagBytes(4, 0, v4));
    EXPECT_EQ(tag.title, "");
    EXPECT_EQ(tag.artist, "Artist");
    EXPECT_EQ(tag.album, "Grouped");
}

TEST(Id3v2Parser, UndoesUnsynchronisationAndSkipsExtendedHeaders) {
    // Unsynchronised ID3v2.3: the whole tag body carries 0xFF 0x00 pairs.
    const QByteArray rawTitle = Latin1Text(QString::fromLatin1("\xFF\xFF"));
    QByteArray v3 = Id3v2Frame(3, "TIT2", rawTitle);
    v3.replace(QByteArray("\xFF", 1), QByteArray("\xFF\0", 2));
    const QByteArray extended3 = QByteArray("\0\0\0\6", 4) + QByteArray(6, '\0');
    Id3v2Tag tag = Id3v2Parser::Parse(Id3v2TagBytes(3, 0x80 | 0x40, extended3 + v3));
    EXPECT_EQ(tag.title, QString::fromLatin1("\xFF\xFF"));

    // ID3v2.4: unsynchronisation per frame, extended header counting its own size.
    QByteArray body4 = Utf8Text(QString::fromLatin1("\xFF"));
    body4.replace(QByteArray("\xFF", 1), QByteArray("\xFF\0", 2));
    const QByteArray extended4 = QByteArray("\0\0\0\6\1\0", 6);
    tag = Id3v2Parser::Parse(Id3v2TagBytes(4, 0x40, extended4 + Id3v2Frame(4, "TIT2", body4, 0x02)));
    EXPECT_EQ(tag.title, QString::fromLatin1("\xFF"));
}

TEST(Id3v2Parser, MultipleValuesGenresAndComments) {
    const QByteArray frames =
        Id3v2Frame(4, "TPE1", Utf8Text(QString("One") + QChar(0) + "Two" + QChar(0))) +
        Id3v2Frame(4, "TCON", Latin1Text(QString("17") + QChar(0) + "(RX)" + QChar(0) + "Synthpop")) +
        Id3v2Frame(4, "COMM", QByteArray("\0eng", 4) + "iTunNORM" + QByteArray(1, '\0') + "000 123") +
        Id3v2Frame(4, "COMM", QByteArray("\0eng", 4) + QByteArray(1, '\0') + "Plain");
    const Id3v2Tag tag = Id3v2Parser::Parse(Id3v2TagBytes(4, 0, frames));
    EXPECT_EQ(tag.artist, "One / Two");
    EXPECT_EQ(tag.genre, "Rock / Remix / Synthpop");
    EXPECT_EQ(tag.comment, "Plain");

    EXPECT_EQ(Id3v2Text::ResolveGenre("(31)Trance"), "Trance");
    EXPECT_EQ(Id3v2Text::ResolveGenre("(0)"), "Blues");
    EXPECT_EQ(Id3v2Text::ResolveGenre("(200)"), "200");
    EXPECT_EQ(Id3v2Text::ResolveGenre("Shoegaze"), "Shoegaze");
}

TEST(Id3v2Parser, MalformedSizesEndTheWalkWithoutOverRead) {
    const QByteArray good = Id3v2Frame(3, "TIT2", Latin1Text("Kept"));
    QByteArray tooLong = Id3v2Frame(3, "TPE1", Latin1Text("Lost"));
    tooLong[7] = static_cast<char>(0x7F); // frame claims more than the tag holds
    Id3v2Tag tag = Id3v2Parser::Parse(Id3v2TagBytes(3, 0, good + tooLong));
    EXPECT_EQ(tag.title, "Kept");
    EXPECT_EQ(tag.artist, "");

    // The header declares far more than the data holds.
    QByteArray truncated = Id3v2TagBytes(4, 0, Id3v2Frame(4, "TIT2", Utf8Text("Short")));
    truncated[6] = 0x7F;
    EXPECT_EQ(Id3v2Parser::Parse(truncated).title, "Short");
    EXPECT_EQ(Id3v2Parser::Parse(truncated.left(15)).title, "");

    // Odd UTF-16 lengths and lone surrogates decode to replacement characters.
    QByteArray broken("\x01\xFF\xFE\x00\xD8\x41", 6);
    tag = Id3v2Parser::Parse(Id3v2TagBytes(3, 0, Id3v2Frame(3, "TIT2", broken)));
    EXPECT_TRUE(tag.title.contains(QChar(QChar::ReplacementCharacter)));

    // An extended header bigger than the tag leaves no frames.
    const QByteArray hugeExtended = QByteArray("\x7F\x7F\x7F\x7F", 4) + good;
    EXPECT_EQ(Id3v2Parser::Parse(Id3v2TagBytes(4, 0x40, hugeExtended)).status, Id3v2Tag::Status::Read);
}

TEST(Id3v2Parser, RandomBodiesNeverReadOutOfBounds) {
    QRandomGenerator random(12);
    for (int round = 0; round < 3000; ++round) {
        const int major = 2 + round % 3;
        QByteArray body = ShownFrames(major, Utf16LEBom);
        const int flips = 1 + random.bounded(8);
        for (int i = 0; i < flips; ++i) body[random.bounded(int(body.size()))] = static_cast<char>(random.bounded(256));
        const quint8 flags = static_cast<quint8>(random.bounded(256)) & 0xF0;
        QByteArray file = Id3v2TagBytes(major, flags, body);
        file.truncate(10 + random.bounded(int(body.size())));
        const Id3v2Tag tag = Id3v2Parser::Parse(file);
        EXPECT_LE(tag.title.size(), body.size());
    }
}

TEST(Id3v2Parser, ReadsTheStartOfARealFile) {
    TagFiles files;
    const QString path =
        files.Write("v2.mp3", Id3v2TagBytes(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("From disk"))) + AudioBytes(4000));
    EXPECT_EQ(Id3v2Parser::ReadFile(path).title, "From disk");
    EXPECT_EQ(Id3v2Parser::ReadFile(files.Write("none.mp3", AudioBytes(50))).status, Id3v2Tag::Status::NoTag);
    EXPECT_THROW(Id3v2Parser::ReadFile(files.Folder() + "/missing.mp3"), std::runtime_error);
}
