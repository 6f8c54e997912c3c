#include "playlist/M3uFile.h"

#include "desktop/files/FileNames.h"
#include "desktop/files/SavedFile.h"
#include "playlist/PlaylistStrings.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr QLatin1String ExtinfTag("#EXTINF:");

// The title after the first comma outside double quotes (attributes such as
// tvg-name="a,b" come before it); empty when there is none.
QString ExtinfTitle(const QString& directive) {
    bool quoted = false;
    for (qsizetype i = ExtinfTag.size(); i < directive.size(); ++i) {
        const QChar c = directive.at(i);
        if (c == u'"') quoted = !quoted;
        if (c == u',' && !quoted) return directive.mid(i + 1).trimmed();
    }
    return {};
}

bool IsBlank(const QByteArray& line) {
    for (const char c : line)
        if (c != ' ' && c != '\t') return false;
    return true;
}

} // namespace

TPlaylistEntries ParseM3u(const QByteArray& data, TTextEncoding encoding, const TEntryResolver& resolve) {
    QByteArray text = data;
    if (RemoveByteOrderMark(text)) encoding = TTextEncoding::Utf8;

    TPlaylistEntries entries;
    QString title;
    for (const QByteArray& line : SplitLines(text)) {
        if (IsBlank(line)) continue;
        if (line.startsWith('#')) {
            const QString directive = DecodeLine(line, encoding);
            if (directive.startsWith(ExtinfTag, Qt::CaseInsensitive)) title = ExtinfTitle(directive);
            continue;
        }
        entries.append({ResolveEntryLine(line, encoding, resolve), title});
        title.clear();
    }
    return entries;
}

QStringList M3uLines(const TPlaylistEntries& entries) {
    const bool titled =
        std::any_of(entries.begin(), entries.end(), [](const TPlaylistEntry& entry) { return !entry.Title.isEmpty(); });
    QStringList lines;
    if (titled) lines.append(QStringLiteral("#EXTM3U"));
    for (const TPlaylistEntry& entry : entries) {
        // A line break in a title would end the directive.
        if (!entry.Title.isEmpty())
            lines.append(QLatin1String("#EXTINF:-1,") + QString(entry.Title).replace(u'\r', u' ').replace(u'\n', u' '));
        // A name that is not UTF-8 goes as a file URL, which keeps its bytes.
        lines.append(HasEscapedBytes(entry.Path) ? FileUrlOfPath(entry.Path) : entry.Path);
    }
    return lines;
}

void WriteTextLines(const QString& fileName, const QStringList& lines) {
    QByteArray content;
    for (const QString& line : lines) content += line.toUtf8() + "\r\n";

    TSavedFile file(fileName);
    if (!file.Open() || !file.Write(content) || !file.Commit())
        throw std::runtime_error(
            QString::fromUtf8(PlaylistStrings::CannotWrite).arg(fileName, file.ErrorString()).toStdString());
}
