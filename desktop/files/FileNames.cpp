#include "desktop/files/FileNames.h"

#include <QStringDecoder>

namespace {

constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at `at` (1 ... 4), or 0 when the
// byte there does not start one: overlong forms, surrogates and values past
// U+10FFFF are not valid.
int ValidSequenceLength(const QByteArray& bytes, qsizetype at, char32_t& codePoint) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    const unsigned char lead = byte(at);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) return 0;
    for (int i = 1; i < length; ++i) {
        if (!IsContinuation(byte(at + i))) return 0;
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || surrogate || codePoint > 0x10FFFF) return 0;
    return length;
}

void AppendUtf8(QByteArray& bytes, char32_t codePoint) {
    const auto add = [&](unsigned value) { bytes.append(static_cast<char>(value)); };
    if (codePoint < 0x80) {
        add(codePoint);
    } else if (codePoint < 0x800) {
        add(0xC0 | (codePoint >> 6));
        add(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        add(0xE0 | (codePoint >> 12));
        add(0x80 | ((codePoint >> 6) & 0x3F));
        add(0x80 | (codePoint & 0x3F));
    } else {
        add(0xF0 | (codePoint >> 18));
        add(0x80 | ((codePoint >> 12) & 0x3F));
        add(0x80 | ((codePoint >> 6) & 0x3F));
        add(0x80 | (codePoint & 0x3F));
    }
}

} // namespace

QString DecodeFileName(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8(bytes);
    if (!utf8.hasError()) return name;

    name.clear();
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        const int length = ValidSequenceLength(bytes, at, codePoint);
        if (length == 0) {
            name.append(QChar(char16_t(0xDC00 | static_cast<unsigned char>(bytes.at(at)))));
            ++at;
            continue;
        }
        const char32_t one[] = {codePoint};
        name.append(QString::fromUcs4(one, 1));
        at += length;
    }
    return name;
}

std::optional<char> EscapedByte(QChar character) {
    if (character.unicode() < FirstEscape || character.unicode() > LastEscape) return std::nullopt;
    return static_cast<char>(character.unicode() & 0xFF);
}

bool HasEscapedBytes(const QString& name) {
    for (const QChar character : name)
        if (EscapedByte(character)) return true;
    return false;
}

QByteArray EncodeFileName(const QString& name) {
    if (!HasEscapedBytes(name)) return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar character = name.at(i);
        if (const std::optional<char> byte = EscapedByte(character)) {
            bytes.append(*byte);
        } else if (character.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(character, name.at(i + 1)));
            ++i;
        } else if (character.isSurrogate()) {
            AppendUtf8(bytes, QChar::ReplacementCharacter);
        } else {
            AppendUtf8(bytes, character.unicode());
        }
    }
    return bytes;
}

QString PathOfFileUrl(const QUrl& url) {
    if (!url.isValid() || !url.isLocalFile()) return {};
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0) return {};
    return DecodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString FileUrlOfPath(const QString& path) {
    return QStringLiteral("file://") + QString::fromLatin1(EncodeFileName(path).toPercentEncoding("/!$&'()*+,;=:@"));
}
