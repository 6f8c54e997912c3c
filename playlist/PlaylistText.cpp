#include "playlist/PlaylistText.h"

#include "tags/Windows1252.h"

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

QString DecodeLine(const QByteArray& line, TTextEncoding encoding) {
    if (encoding == TTextEncoding::Utf8) return QString::fromUtf8(line);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(line);
    return utf8.hasError() ? Windows1252::Decode(line) : text;
}

bool RemoveByteOrderMark(QByteArray& data) {
    if (!data.startsWith("\xEF\xBB\xBF")) return false;
    data.remove(0, 3);
    return true;
}

bool HoldsBinaryData(const QByteArray& data) { return data.contains('\0'); }
