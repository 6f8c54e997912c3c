// File names kept whole whatever their bytes.
#include "desktop/files/FileNames.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

std::string Hex(const QByteArray& bytes) { return bytes.toHex(' ').toStdString(); }

} // namespace

TEST(FileNames, ValidUtf8NamesDecodeAsQtDecodesThem) {
    // U+1F0A1's low surrogate is in the range that escapes bytes.
    for (const char* name : {"", "plain.mp3", "caf\xC3\xA9 \xE2\x99\xAB.mp3", "clef \xF0\x9D\x84\x9E", "/a/b c/d",
                             "ace \xF0\x9F\x82\xA1"}) {
        const QByteArray bytes(name);
        EXPECT_EQ(DecodeFileName(bytes), QString::fromUtf8(bytes)) << name;
        EXPECT_FALSE(HasEscapedBytes(DecodeFileName(bytes)));
        EXPECT_EQ(EncodeFileName(QString::fromUtf8(bytes)), bytes);
    }
}

TEST(FileNames, InvalidSequencesEscapeEachOfTheirBytes) {
    const struct {
        const char* bytes;
        const char* why;
    } cases[] = {
        {"caf\xE9.mp3", "Latin-1"},
        {"\xC0\xAF", "overlong slash"},
        {"\xE0\x80\xAF", "overlong three-byte"},
        {"\xED\xA0\x80", "a surrogate encoded"},
        {"\xED\xB3\xA9", "the very surrogate that escapes 0xE9"},
        {"\xF4\x90\x80\x80", "past U+10FFFF"},
        {"\xE2\x82", "cut short"},
        {"\x80\xBF", "continuations alone"},
        {"\xFE\xFF", "never in UTF-8"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes(c.bytes);
        const QString name = DecodeFileName(bytes);
        EXPECT_TRUE(HasEscapedBytes(name)) << c.why;
        EXPECT_EQ(EncodeFileName(name), bytes) << c.why << ": " << Hex(EncodeFileName(name));
        // Lossy as Qt would decode it, so another file's name is not made.
        EXPECT_NE(QFile::encodeName(name), bytes) << c.why;
    }
    const QString mixed = DecodeFileName("\xC3\xA9\xE9");
    ASSERT_EQ(mixed.size(), 2);
    EXPECT_EQ(mixed.at(0), QChar(0xE9));
    EXPECT_EQ(EscapedByteAt(mixed, 1), '\xE9');
    const QString afterAPair = DecodeFileName("\xF0\x9F\x82\xA1\xE9");
    ASSERT_EQ(afterAPair.size(), 3);
    EXPECT_FALSE(EscapedByteAt(afterAPair, 1));
    EXPECT_EQ(EscapedByteAt(afterAPair, 2), '\xE9');
}

TEST(FileNames, EveryByteStringSurvivesTheRoundTrip) {
    QRandomGenerator random(20261209);
    for (int round = 0; round < 5000; ++round) {
        QByteArray bytes;
        const int length = random.bounded(1, 24);
        for (int i = 0; i < length; ++i) {
            // Mostly high bytes, where the encodings differ.
            const int byte = random.bounded(4) == 0 ? random.bounded(1, 0x80) : random.bounded(0x80, 0x100);
            bytes.append(char(byte));
        }
        ASSERT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes) << Hex(bytes);
    }
}

TEST(FileNames, FileUrlsCarryTheBytesAndComeBackToThePath) {
    const QString path = DecodeFileName("/music/caf\xE9 #1 100%.mp3");
    const QString url = FileUrlOfPath(path);
    EXPECT_EQ(url, "file:///music/caf%E9%20%231%20100%25.mp3");
    EXPECT_EQ(PathOfFileUrl(QUrl(url)), path);
    EXPECT_EQ(PathOfFileUrl(QUrl("file:///music/caf%C3%A9.mp3")), QString::fromUtf8("/music/caf\xC3\xA9.mp3"));
    EXPECT_EQ(PathOfFileUrl(QUrl("file://localhost/x.mp3")), "/x.mp3");
    EXPECT_EQ(PathOfFileUrl(QUrl("file://elsewhere/x.mp3")), "");
    EXPECT_EQ(PathOfFileUrl(QUrl("http://host/x.mp3")), "");
}
