#include "playlist/DisplayText.h"

#include "desktop/files/FileNames.h"
#include "tags/Windows1252.h"

bool IsUrl(const QString& path) {
    const qsizetype colon = path.indexOf(QLatin1String("://"));
    if (colon <= 0) return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = path.at(i);
        const bool schemeChar = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                                (i > 0 && ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.'));
        if (!schemeChar) return false;
    }
    return true;
}

QString MakeDisplayText(const QString& path, const QString& title, int position, bool showNumbers) {
    QString name = title.isEmpty() ? path : title;
    if (title.isEmpty() && !IsUrl(path)) {
        const qsizetype slash = path.lastIndexOf(u'/');
        name = ReadableFileName(slash >= 0 ? path.mid(slash + 1) : path);
    }
    if (!showNumbers) return name;
    return QString::number(position + 1) + QLatin1String(". ") + name;
}

QString ReadableFileName(const QString& name) {
    if (!HasEscapedBytes(name)) return name;
    QString readable;
    QByteArray escaped;
    const auto flush = [&] {
        readable += Windows1252::Decode(escaped);
        escaped.clear();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (const std::optional<char> byte = EscapedByteAt(name, i)) {
            escaped.append(*byte);
            continue;
        }
        flush();
        readable.append(name.at(i));
    }
    flush();
    return readable;
}

QString DurationText(qint64 seconds) {
    const auto two = [](qint64 value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    if (seconds < 3600) return QString::number(seconds / 60) + u':' + two(seconds % 60);
    return QString::number(seconds / 3600) + u':' + two(seconds / 60 % 60) + u':' + two(seconds % 60);
}
