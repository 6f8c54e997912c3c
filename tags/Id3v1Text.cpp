#include "tags/Id3v1Text.h"

#include "tags/Windows1252.h"

#include <QStringDecoder>
#include <optional>

namespace Id3v1Text {
namespace {

// UTF-8 of `text`, whole characters only, at most `width` bytes.
QByteArray Utf8Within(const QString& text, int width) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray character = text.mid(i, length).toUtf8();
        if (bytes.size() + character.size() > width) break;
        bytes += character;
        i += length - 1;
    }
    return bytes;
}

} // namespace

// The text ends at its first zero byte; what follows is padding, or left
// over from an older text, and does not decide the encoding.
QString Decode(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\0');
    const QByteArray text = end < 0 ? bytes : bytes.left(end);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(text);
    if (utf8.hasError()) return Windows1252::Decode(bytes);
    return decoded + Windows1252::Decode(bytes.mid(text.size()));
}

QByteArray Encode(const QString& text, int width) {
    // Up to the first zero the text decides the encoding; what follows was
    // read as Windows-1252 padding and goes back as the bytes it was.
    const qsizetype end = text.indexOf(QChar(0));
    const QString head = end < 0 ? text : text.left(end);
    QByteArray bytes;
    for (const QChar character : head) {
        const std::optional<char> byte = Windows1252::Byte(character);
        if (!byte) {
            bytes = Utf8Within(head, width);
            break;
        }
        bytes += *byte;
    }
    for (const QChar character : QStringView(text).mid(head.size()))
        bytes += Windows1252::Byte(character).value_or('?');
    bytes.truncate(width);
    bytes.append(width - bytes.size(), ' ');
    return bytes;
}

} // namespace Id3v1Text
