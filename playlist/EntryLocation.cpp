#include "playlist/EntryLocation.h"

#include "desktop/files/FileNames.h"
#include "desktop/files/LocalFiles.h"
#include "playlist/DisplayText.h"

#include <optional>

namespace {

// The path of a "file:" URL naming a local file ("file:///x", "file:/x",
// "file://localhost/x"); nothing for other entries or another host.
std::optional<QString> LocalPathOfFileUrl(const QString& entry) {
    if (!entry.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) return std::nullopt;
    QString rest = entry.mid(5);
    if (rest.startsWith(QLatin1String("//"))) {
        const qsizetype slash = rest.indexOf(u'/', 2);
        if (slash < 0) return std::nullopt;
        const QString host = rest.mid(2, slash - 2);
        if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0) return std::nullopt;
        rest = rest.mid(slash);
    }
    if (!rest.startsWith(u'/')) return std::nullopt;
    // Percent escapes stand for the name's bytes: a local name that is not
    // UTF-8, or a name another system wrote in its own encoding.
    return ResolveEntryLine(QByteArray::fromPercentEncoding(rest.toUtf8()), TTextEncoding::Utf8OrCp1252,
                            [](const QString& path) { return path; });
}

QString WithForwardSlashes(QString path) {
    path.replace(u'\\', u'/');
    return path;
}

} // namespace

QString ResolveLocalEntry(const QString& entry, const QDir& folder) {
    if (const auto path = LocalPathOfFileUrl(entry)) return *path;
    if (IsUrl(entry)) return entry;
    const QString path = WithForwardSlashes(entry);
    if (QDir::isAbsolutePath(path)) return path;
    return QDir::cleanPath(folder.filePath(path));
}

QString ResolveEntryLine(const QByteArray& line, TTextEncoding encoding, const TEntryResolver& resolve) {
    const QString name = DecodeFileName(line);
    if (HasEscapedBytes(name)) {
        const QString path = resolve(name);
        if (LocalFiles::Exists(path)) return path;
    }
    return resolve(DecodeLine(line, encoding));
}

QString ResolveRemoteEntry(const QString& entry, const QUrl& base) {
    if (const auto path = LocalPathOfFileUrl(entry)) return *path;
    if (IsUrl(entry)) return entry;
    const QUrl resolved = base.resolved(QUrl(WithForwardSlashes(entry)));
    return resolved.isValid() ? resolved.toString(QUrl::FullyEncoded) : entry;
}
