#include "playlist/PlsFile.h"

#include <map>
#include <optional>

namespace {

// N of "<prefix>N" (`key` lower-cased), nothing when the rest is not a number.
std::optional<quint32> NumberAfter(const QString& key, QLatin1String prefix) {
    if (!key.startsWith(prefix)) return std::nullopt;
    const QString digits = key.mid(prefix.size());
    if (digits.isEmpty() || digits.size() > 9) return std::nullopt;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9') return std::nullopt;
    return digits.toUInt();
}

} // namespace

TPlaylistEntries ParsePls(const QByteArray& data, TTextEncoding encoding, const TEntryResolver& resolve) {
    QByteArray text = data;
    if (RemoveByteOrderMark(text)) encoding = TTextEncoding::Utf8;

    struct TNumbered {
        QByteArray file;
        QString title;
    };
    std::map<quint32, TNumbered> numbered;
    for (const QByteArray& line : SplitLines(text)) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) continue;
        const QString key = DecodeLine(line.left(equals), encoding).trimmed().toLower();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (const auto n = NumberAfter(key, QLatin1String("file")))
            numbered[*n].file = value;
        else if (const auto m = NumberAfter(key, QLatin1String("title")))
            numbered[*m].title = DecodeLine(value, encoding);
    }

    TPlaylistEntries entries;
    for (const auto& [number, entry] : numbered)
        if (!entry.file.isEmpty()) entries.append({ResolveEntryLine(entry.file, encoding, resolve), entry.title});
    return entries;
}

bool LooksLikePls(const QByteArray& data) {
    QByteArray text = data.left(64);
    RemoveByteOrderMark(text);
    return text.trimmed().toLower().startsWith("[playlist]");
}
