#include "tags/Id3v1Text.h"

#include <QStringDecoder>
#include <optional>

namespace Id3v1Text {
namespace {

// Windows-1252's characters for 0x80 ... 0x9F; 0 where it defines none.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QString FromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        const char16_t mapped = value >= 0x80 && value < 0xA0 ? kHighControls[value - 0x80] : 0;
        text.append(QChar(mapped ? mapped : char16_t(value)));
    }
    return text;
}

std::optional<char> Windows1252Byte(QChar character) {
    const char16_t unit = character.unicode();
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    // The bytes it leaves undefined were read as the C1 control of their value.
    if (unit < 0xA0 && kHighControls[unit - 0x80] == 0) return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

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
    if (utf8.hasError()) return FromWindows1252(bytes);
    return decoded + FromWindows1252(bytes.mid(text.size()));
}

QByteArray Encode(const QString& text, int width) {
    // Up to the first zero the text decides the encoding; what follows was
    // read as Windows-1252 padding and goes back as the bytes it was.
    const qsizetype end = text.indexOf(QChar(0));
    const QString head = end < 0 ? text : text.left(end);
    QByteArray bytes;
    for (const QChar character : head) {
        const std::optional<char> byte = Windows1252Byte(character);
        if (!byte) {
            bytes = Utf8Within(head, width);
            break;
        }
        bytes += *byte;
    }
    for (const QChar character : QStringView(text).mid(head.size())) bytes += Windows1252Byte(character).value_or('?');
    bytes.truncate(width);
    bytes.append(width - bytes.size(), ' ');
    return bytes;
}

} // namespace Id3v1Text
