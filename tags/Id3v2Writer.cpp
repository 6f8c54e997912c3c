#include "tags/Id3v2Writer.h"

#include "desktop/files/LocalFiles.h"
#include "desktop/files/SavedFile.h"
#include "tags/Id3v2Parser.h"
#include "tags/Id3v2Text.h"
#include "tags/TagStrings.h"

#include <QFile>
#include <algorithm>
#include <stdexcept>
#include <utility>

namespace Id3v2Writer {
namespace {

constexpr int kHeader = Id3v2Parser::HeaderSize;
constexpr int kFrameHeader = 10;
constexpr qint64 kPadding = 1024;
constexpr qint64 kCopyChunk = 1 << 16;

// The frames the editor owns; a tag's other frames are kept.
constexpr const char* kOwnedFrames[] = {"TIT2", "TPE1", "TALB", "TYER", "TDRC", "TRCK", "TCON"};

[[noreturn]] void Refuse(const char* reason) { throw std::runtime_error(reason); }

quint8 Byte(const QByteArray& data, qsizetype at) { return static_cast<quint8>(data[at]); }

quint32 Number(const QByteArray& data, qsizetype at, bool syncSafe) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = syncSafe ? (value << 7) | (Byte(data, at + i) & 0x7F) : (value << 8) | Byte(data, at + i);
    return value;
}

QByteArray NumberBytes(quint32 value, bool syncSafe) {
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i) {
        bytes[i] = static_cast<char>(syncSafe ? value & 0x7F : value & 0xFF);
        value = syncSafe ? value >> 7 : value >> 8;
    }
    return bytes;
}

bool IsOwned(const QByteArray& id, const QByteArray& data) {
    for (const char* owned : kOwnedFrames) {
        if (id == owned) return true;
    }
    // The comment without description is the one the editor shows.
    if (id != "COMM" || data.size() < 4) return false;
    const int encoding = Byte(data, 0);
    return Id3v2Text::IsKnownEncoding(encoding) && Id3v2Text::SplitAtTerminator(data.mid(4), encoding).first.isEmpty();
}

// The frames of the old tag that the editor does not own, unchanged.
QByteArray KeptFrames(const QByteArray& tag, int major) {
    QByteArray kept;
    qsizetype pos = kHeader;
    while (pos + kFrameHeader <= tag.size()) {
        const QByteArray id = tag.mid(pos, 4);
        if (id[0] == '\0') break; // padding
        for (const char c : id) {
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) Refuse(TagStrings::Id3v2Malformed);
        }
        const qint64 size = Number(tag, pos + 4, major == 4);
        if (size > tag.size() - pos - kFrameHeader) Refuse(TagStrings::Id3v2Malformed);
        const QByteArray frame = tag.mid(pos, kFrameHeader + size);
        if (!IsOwned(id, frame.mid(kFrameHeader))) kept += frame;
        pos += kFrameHeader + size;
    }
    return kept;
}

bool IsLatin1(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) return false;
    }
    return true;
}

// Encoding byte and text: Latin-1 when it can hold the text, else UTF-16
// with a byte order mark (2.3) or UTF-8 (2.4).
std::pair<char, QByteArray> Encoded(const QString& text, int major) {
    if (IsLatin1(text)) return {'\0', text.toLatin1()};
    if (major == 4) return {'\3', text.toUtf8()};
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    return {'\1', bytes};
}

QByteArray Frame(const char* id, const QByteArray& body, int major) {
    return QByteArray(id) + NumberBytes(static_cast<quint32>(body.size()), major == 4) + QByteArray(2, '\0') + body;
}

QByteArray TextFrame(const char* id, const QString& text, int major) {
    const auto [encoding, bytes] = Encoded(text, major);
    return Frame(id, encoding + bytes, major);
}

QByteArray CommentFrame(const QString& text, int major) {
    const auto [encoding, bytes] = Encoded(text, major);
    const QByteArray terminator = encoding == '\1' ? QByteArray("\xFF\xFE\0\0", 4) : QByteArray(1, '\0');
    return Frame("COMM", encoding + QByteArray("eng") + terminator + bytes, major);
}

QByteArray NewFrames(const Id3v2Tag& values, int major) {
    QByteArray frames;
    const std::pair<const char*, const QString*> texts[] = {
        {"TIT2", &values.title}, {"TPE1", &values.artist},
        {"TALB", &values.album}, {major == 4 ? "TDRC" : "TYER", &values.year},
        {"TRCK", &values.track}, {"TCON", &values.genre},
    };
    for (const auto& [id, text] : texts) {
        if (!text->isEmpty()) frames += TextFrame(id, *text, major);
    }
    if (!values.comment.isEmpty()) frames += CommentFrame(values.comment, major);
    return frames;
}

[[noreturn]] void Fail(const char* pattern, const QString& fileName, const QString& reason) {
    throw std::runtime_error(QString::fromUtf8(pattern).arg(fileName, reason).toStdString());
}

} // namespace

QByteArray RebuildTag(const QByteArray& oldTag, const Id3v2Tag& values, qint64 paddedSize) {
    int major = 3;
    QByteArray kept;
    if (!oldTag.isEmpty()) {
        if (oldTag.size() < kHeader || Id3v2Parser::DeclaredSize(oldTag) != oldTag.size())
            Refuse(TagStrings::Id3v2Malformed);
        major = Byte(oldTag, 3);
        const quint8 flags = Byte(oldTag, 5);
        if (major != 3 && major != 4) Refuse(TagStrings::Id3v2CannotEditVersion);
        if (flags & 0xD0) Refuse(TagStrings::Id3v2CannotEditLayout); // unsynchronised, extended header, footer
        kept = KeptFrames(oldTag, major);
    }
    const QByteArray frames = kept + NewFrames(values, major);
    const qint64 size = std::max<qint64>(kHeader + frames.size(), paddedSize);
    QByteArray tag("ID3");
    tag += static_cast<char>(major);
    tag += '\0';
    tag += '\0';
    tag += NumberBytes(static_cast<quint32>(size - kHeader), true);
    tag += frames;
    tag.append(size - tag.size(), '\0');
    return tag;
}

void WriteFile(const QString& fileName, const Id3v2Tag& values) {
    QFile source;
    if (const QString why = LocalFiles::OpenRegularFile(source, fileName, QIODevice::ReadOnly); !why.isEmpty())
        Fail(TagStrings::CannotOpen, fileName, why);
    const qint64 declared = Id3v2Parser::DeclaredSize(source.peek(kHeader));
    if (declared > Id3v2Parser::MaxTagBytes)
        Fail(TagStrings::CannotWrite, fileName, QString::fromUtf8(TagStrings::Id3v2TooLarge));
    QByteArray oldTag;
    if (declared > 0) {
        oldTag = source.read(declared);
        if (oldTag.size() != declared) Fail(TagStrings::CannotRead, fileName, source.errorString());
    }
    const QString* const fields[] = {&values.title, &values.artist, &values.album,  &values.year,
                                     &values.track, &values.genre,  &values.comment};
    if (oldTag.isEmpty() && std::all_of(std::begin(fields), std::end(fields), [](auto f) { return f->isEmpty(); }))
        return; // no tag, and none wanted
    QByteArray tag;
    try {
        const QByteArray fresh = RebuildTag(oldTag, values, 0);
        // The old tag's room when the new one fits, else room to grow.
        tag = RebuildTag(oldTag, values, fresh.size() <= oldTag.size() ? oldTag.size() : fresh.size() + kPadding);
    } catch (const std::runtime_error& error) {
        Fail(TagStrings::CannotWrite, fileName, QString::fromUtf8(error.what()));
    }

    TSavedFile target(fileName);
    if (!target.Open()) Fail(TagStrings::CannotWrite, fileName, target.ErrorString());
    bool written = target.Write(tag);
    while (written && !source.atEnd()) {
        const QByteArray chunk = source.read(kCopyChunk);
        if (chunk.isEmpty()) Fail(TagStrings::CannotRead, fileName, source.errorString());
        written = target.Write(chunk);
    }
    if (!written || !target.Commit()) Fail(TagStrings::CannotWrite, fileName, target.ErrorString());
}

} // namespace Id3v2Writer
