#include "tags/Id3v2Parser.h"

#include "desktop/files/LocalFiles.h"
#include "tags/Id3v2Text.h"
#include "tags/TagStrings.h"

#include <QFile>
#include <stdexcept>

namespace {

enum class Field { None, Title, Artist, Album, Year, Track, Genre, Comment };

struct FrameName {
    const char* id;
    Field field;
};

constexpr FrameName FrameNames[] = {
    {"TT2", Field::Title},  {"TIT2", Field::Title},  {"TP1", Field::Artist},   {"TPE1", Field::Artist},
    {"TAL", Field::Album},  {"TALB", Field::Album},  {"TYE", Field::Year},     {"TYER", Field::Year},
    {"TDRC", Field::Year},  {"TRK", Field::Track},   {"TRCK", Field::Track},   {"TCO", Field::Genre},
    {"TCON", Field::Genre}, {"COM", Field::Comment}, {"COMM", Field::Comment},
};

Field FieldOf(const QByteArray& id) {
    for (const FrameName& name : FrameNames) {
        if (id == name.id) return name.field;
    }
    return Field::None;
}

quint8 Byte(const QByteArray& data, qsizetype at) { return static_cast<quint8>(data[at]); }

bool IsSyncSafe(const QByteArray& data, qsizetype at) {
    for (int i = 0; i < 4; ++i) {
        if (Byte(data, at + i) & 0x80) return false;
    }
    return true;
}

quint32 SyncSafe(const QByteArray& data, qsizetype at) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 7) | (Byte(data, at + i) & 0x7F);
    return value;
}

quint32 BigEndian(const QByteArray& data, qsizetype at, int count) {
    quint32 value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | Byte(data, at + i);
    return value;
}

// Undoes unsynchronisation: every 0xFF 0x00 pair becomes 0xFF.
QByteArray Resynchronised(const QByteArray& data) {
    QByteArray out;
    out.reserve(data.size());
    for (qsizetype i = 0; i < data.size(); ++i) {
        out.append(data[i]);
        if (Byte(data, i) == 0xFF && i + 1 < data.size() && data[i + 1] == 0) ++i;
    }
    return out;
}

bool IsFrameId(const QByteArray& id) {
    for (char c : id) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

class FrameWalker {
public:
    FrameWalker(Id3v2Tag& tag, int major, bool tagUnsynchronised)
        : tag_(tag), major_(major), tagUnsynchronised_(tagUnsynchronised) {}

    void Walk(const QByteArray& body, qsizetype pos) {
        const int idLength = major_ == 2 ? 3 : 4;
        const int headerLength = major_ == 2 ? 6 : 10;
        while (pos >= 0 && pos + headerLength <= body.size()) {
            const QByteArray id = body.mid(pos, idLength);
            if (!IsFrameId(id)) return; // padding or garbage: no further frames
            qsizetype size = 0;
            quint8 format = 0;
            if (major_ == 2) {
                size = BigEndian(body, pos + 3, 3);
            } else {
                size =
                    (major_ == 4 && IsSyncSafe(body, pos + 4)) ? SyncSafe(body, pos + 4) : BigEndian(body, pos + 4, 4);
                format = Byte(body, pos + 9);
            }
            pos += headerLength;
            if (size > body.size() - pos) return;
            QByteArray data = body.mid(pos, size);
            pos += size;
            if (Unpack(data, format)) Take(FieldOf(id), data);
        }
    }

private:
    // Strips the frame's own additions; false for frames that cannot be read.
    bool Unpack(QByteArray& data, quint8 format) const {
        if (major_ == 3) {
            if (format & 0xC0) // compressed or encrypted
                return false;
            if (format & 0x20) // grouping identity
                data.remove(0, 1);
        } else if (major_ == 4) {
            if (format & 0x0C) // compressed or encrypted
                return false;
            if (format & 0x40) // grouping identity
                data.remove(0, 1);
            if (format & 0x01) // data length indicator
                data.remove(0, 4);
            if ((format & 0x02) || tagUnsynchronised_) data = Resynchronised(data);
        }
        return !data.isEmpty();
    }

    void Take(Field field, const QByteArray& data) {
        const int encoding = Byte(data, 0);
        if (field == Field::None || !Id3v2Text::IsKnownEncoding(encoding)) return;
        if (field == Field::Comment) {
            TakeComment(data, encoding);
            return;
        }
        QStringList values = Id3v2Text::DecodeValues(data.mid(1), encoding);
        if (field == Field::Genre) {
            for (QString& value : values) value = Id3v2Text::ResolveGenre(value);
        }
        QString& target = Target(field);
        if (target.isEmpty()) target = values.join(QStringLiteral(" / "));
    }

    // A comment without description is preferred to described ones.
    void TakeComment(const QByteArray& data, int encoding) {
        if (data.size() < 4 || (!tag_.comment.isEmpty() && !commentDescribed_)) return;
        const auto [description, rest] = Id3v2Text::SplitAtTerminator(data.mid(4), encoding);
        const QString text = Id3v2Text::Decode(Id3v2Text::SplitAtTerminator(rest, encoding).first, encoding);
        if (text.isEmpty()) return;
        const bool described = !description.isEmpty();
        if (tag_.comment.isEmpty() || !described) {
            tag_.comment = text;
            commentDescribed_ = described;
        }
    }

    QString& Target(Field field) {
        switch (field) {
        case Field::Title: return tag_.title;
        case Field::Artist: return tag_.artist;
        case Field::Album: return tag_.album;
        case Field::Year: return tag_.year;
        case Field::Track: return tag_.track;
        case Field::Genre: return tag_.genre;
        default: return tag_.comment;
        }
    }

    Id3v2Tag& tag_;
    int major_;
    bool tagUnsynchronised_;
    bool commentDescribed_ = false;
};

// Offset of the first frame after an extended header, or -1 when it is malformed.
qsizetype FirstFrame(const QByteArray& body, int major, quint8 flags) {
    if (major == 2 || !(flags & 0x40)) return 0;
    if (body.size() < 4) return -1;
    if (major == 3) return 4 + static_cast<qsizetype>(BigEndian(body, 0, 4));
    if (!IsSyncSafe(body, 0)) return -1;
    const qsizetype size = SyncSafe(body, 0);
    return size >= 6 ? size : -1;
}

} // namespace

qint64 Id3v2Parser::DeclaredSize(const QByteArray& header) {
    if (header.size() < HeaderSize || !header.startsWith("ID3")) return -1;
    if (Byte(header, 3) == 0xFF || Byte(header, 4) == 0xFF || !IsSyncSafe(header, 6)) return -1;
    return HeaderSize + static_cast<qint64>(SyncSafe(header, 6));
}

Id3v2Tag Id3v2Parser::Parse(const QByteArray& fileStart) {
    Id3v2Tag tag;
    const qint64 declared = DeclaredSize(fileStart);
    if (declared < 0) return tag;
    tag.majorVersion = Byte(fileStart, 3);
    tag.revision = Byte(fileStart, 4);
    const quint8 flags = Byte(fileStart, 5);
    const bool compressedV22 = tag.majorVersion == 2 && (flags & 0x40);
    if (tag.majorVersion < 2 || tag.majorVersion > 4 || compressedV22) {
        tag.status = Id3v2Tag::Status::Unsupported;
        return tag;
    }
    tag.status = Id3v2Tag::Status::Read;

    const bool unsynchronised = flags & 0x80;
    QByteArray body = fileStart.mid(HeaderSize, qMin<qint64>(declared, fileStart.size()) - HeaderSize);
    if (unsynchronised && tag.majorVersion < 4) body = Resynchronised(body);
    FrameWalker walker(tag, tag.majorVersion, unsynchronised);
    walker.Walk(body, FirstFrame(body, tag.majorVersion, flags));
    return tag;
}

Id3v2Tag Id3v2Parser::ReadFile(const QString& fileName) {
    QFile file;
    if (const QString why = LocalFiles::OpenRegularFile(file, fileName, QIODevice::ReadOnly); !why.isEmpty())
        throw std::runtime_error(QString::fromUtf8(TagStrings::CannotOpen).arg(fileName, why).toStdString());
    QByteArray data = file.read(HeaderSize);
    const qint64 declared = DeclaredSize(data);
    if (declared > HeaderSize) data += file.read(qMin(declared, MaxTagBytes) - HeaderSize);
    if (file.error() != QFileDevice::NoError) {
        throw std::runtime_error(
            QString::fromUtf8(TagStrings::CannotRead).arg(fileName, file.errorString()).toStdString());
    }
    return Parse(data);
}
