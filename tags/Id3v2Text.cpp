#include "tags/Id3v2Text.h"

#include "tags/Genres.h"
#include "tags/TagStrings.h"

#include <QRegularExpression>

namespace Id3v2Text {
namespace {

enum Encoding { Latin1 = 0, Utf16Bom = 1, Utf16BE = 2, Utf8 = 3 };

bool IsWide(int encoding) { return encoding == Utf16Bom || encoding == Utf16BE; }

// Code units in the given byte order; surrogates without their partner
// become U+FFFD.
QString DecodeUtf16(QByteArray bytes, bool bigEndianDefault) {
    bool bigEndian = bigEndianDefault;
    if (bytes.startsWith("\xFF\xFE")) {
        bigEndian = false;
        bytes.remove(0, 2);
    } else if (bytes.startsWith("\xFE\xFF")) {
        bigEndian = true;
        bytes.remove(0, 2);
    }
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto high = static_cast<quint8>(bytes[i]);
        const auto low = static_cast<quint8>(bytes[i + 1]);
        text.append(QChar(bigEndian ? (high << 8 | low) : (low << 8 | high)));
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

QString GenreName(int number) {
    if (number < 0 || number >= GenreNameCount) return QString::number(number);
    return Genre2String(static_cast<TGenre>(number));
}

} // namespace

bool IsKnownEncoding(int encoding) { return encoding >= Latin1 && encoding <= Utf8; }

std::pair<QByteArray, QByteArray> SplitAtTerminator(const QByteArray& bytes, int encoding) {
    if (IsWide(encoding)) {
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            if (bytes[i] == 0 && bytes[i + 1] == 0) return {bytes.left(i), bytes.mid(i + 2)};
        }
        return {bytes, {}};
    }
    const qsizetype end = bytes.indexOf('\0');
    if (end < 0) return {bytes, {}};
    return {bytes.left(end), bytes.mid(end + 1)};
}

QString Decode(const QByteArray& bytes, int encoding) {
    switch (encoding) {
    case Latin1: return QString::fromLatin1(bytes);
    case Utf16Bom:
        // A missing byte order mark is taken as little endian, as most writers produce.
        return DecodeUtf16(bytes, false);
    case Utf16BE: return DecodeUtf16(bytes, true);
    case Utf8: return QString::fromUtf8(bytes);
    default: return QString();
    }
}

QStringList DecodeValues(const QByteArray& bytes, int encoding) {
    QStringList values;
    QByteArray rest = bytes;
    while (!rest.isEmpty()) {
        auto [first, after] = SplitAtTerminator(rest, encoding);
        const QString value = Decode(first, encoding);
        if (!value.isEmpty()) values.append(value);
        rest = after;
    }
    return values;
}

QString ResolveGenre(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\d{1,3}$"));
    static const QRegularExpression reference(QStringLiteral("^\\((\\d{1,3}|RX|CR)\\)(.*)$"));

    const QString trimmed = text.trimmed();
    if (number.match(trimmed).hasMatch()) return GenreName(trimmed.toInt());
    const QRegularExpressionMatch match = reference.match(trimmed);
    if (!match.hasMatch()) return text;
    const QString refinement = match.captured(2);
    if (!refinement.isEmpty() && !refinement.startsWith(QLatin1Char('('))) return refinement;
    const QString code = match.captured(1);
    if (code == QLatin1String("RX")) return QString::fromUtf8(TagStrings::GenreRemix);
    if (code == QLatin1String("CR")) return QString::fromUtf8(TagStrings::GenreCover);
    return GenreName(code.toInt());
}

} // namespace Id3v2Text
