#include "desktop/files/FileNames.h"

#include <QStringDecoder>

namespace {

constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;

// A UTF-8 lead byte's range, the length of its sequence, the smallest value
// that length may encode (shorter forms are not valid) and the lead's bits.
struct TLeadForm {
    unsigned char first;
    unsigned char last;
    int length;
    char32_t minimum;
    unsigned char bits;
};
constexpr TLeadForm LeadForms[] = {
    {0x00, 0x7F, 1, 0x0, 0x7F},
    {0xC2, 0xDF, 2, 0x80, 0x1F},
    {0xE0, 0xEF, 3, 0x800, 0x0F},
    {0xF0, 0xF4, 4, 0x10000, 0x07},
};

// The length of the valid UTF-8 sequence at `at`, its value in `codePoint`;
// 0 when the byte there starts none (surrogates and values past U+10FFFF
// are not valid either).
int ValidSequenceLength(const QByteArray& bytes, qsizetype at, char32_t& codePoint) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    for (const TLeadForm& form : LeadForms) {
        if (byte(at) < form.first || byte(at) > form.last) continue;
        if (bytes.size() - at < form.length) return 0;
        codePoint = byte(at) & form.bits;
        for (int i = 1; i < form.length; ++i) {
            if ((byte(at + i) & 0xC0) != 0x80) return 0;
            codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
        }
        const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
        return codePoint < form.minimum || surrogate || codePoint > 0x10FFFF ? 0 : form.length;
    }
    return 0;
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
        } else {
            name.append(QString::fromUcs4(&codePoint, 1));
            at += length;
        }
    }
    return name;
}

std::optional<char> EscapedByteAt(const QString& name, qsizetype i) {
    const char16_t unit = name.at(i).unicode();
    // The low half of a surrogate pair is a character's, not an escape.
    if (unit < FirstEscape || unit > LastEscape || (i > 0 && name.at(i - 1).isHighSurrogate())) return std::nullopt;
    return static_cast<char>(unit & 0xFF);
}

bool HasEscapedBytes(const QString& name) {
    for (qsizetype i = 0; i < name.size(); ++i)
        if (EscapedByteAt(name, i)) return true;
    return false;
}

QByteArray EncodeFileName(const QString& name) {
    QByteArray bytes;
    qsizetype run = 0; // start of the characters not yet encoded
    for (qsizetype i = 0; i < name.size(); ++i) {
        const std::optional<char> byte = EscapedByteAt(name, i);
        if (!byte) continue;
        bytes += QStringView(name).mid(run, i - run).toUtf8();
        bytes += *byte;
        run = i + 1;
    }
    return bytes + QStringView(name).mid(run).toUtf8();
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
