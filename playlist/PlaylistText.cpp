#include "playlist/PlaylistText.h"

#include <QStringDecoder>

QList<QByteArray> SplitLines(const QByteArray& data) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < data.size()) {
        const char c = data.at(i);
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(data.mid(start, i - start));
        i += (c == '\r' && i + 1 < data.size() && data.at(i + 1) == '\n') ? 2 : 1;
        start = i;
    }
    if (start < data.size()) lines.append(data.mid(start));
    return lines;
}

QString DecodeCp1252(const QByteArray& bytes) {
    // 0x80..0x9F; the five unassigned codes map to the C1 controls of the
    // same value, as Windows itself does.
    static constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(byte >= 0x80 && byte < 0xA0 ? QChar(high[byte - 0x80]) : QChar(byte));
    }
    return text;
}

QString DecodeLine(const QByteArray& line, TTextEncoding encoding) {
    if (encoding == TTextEncoding::Utf8) return QString::fromUtf8(line);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(line);
    return utf8.hasError() ? DecodeCp1252(line) : text;
}

bool RemoveByteOrderMark(QByteArray& data) {
    if (!data.startsWith("\xEF\xBB\xBF")) return false;
    data.remove(0, 3);
    return true;
}

bool HoldsBinaryData(const QByteArray& data) { return data.contains('\0'); }
