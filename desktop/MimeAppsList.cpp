#include "desktop/MimeAppsList.h"

#include <QStringList>

namespace MimeAppsList {
namespace {

const QLatin1String DefaultsGroup("[Default Applications]");

bool IsGroupHeader(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

bool IsEntryFor(const QString& line, const QString& key) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals > 0 && !line.trimmed().startsWith(QLatin1Char('#')) && line.left(equals).trimmed() == key;
}

bool IsBlank(const QString& line) { return line.trimmed().isEmpty(); }

} // namespace

QString WithDefault(const QString& text, const QString& mimeType, const QString& desktopId) {
    const QString entry = mimeType + QLatin1Char('=') + desktopId;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.isEmpty() || text.endsWith(QLatin1Char('\n'))) lines.removeLast();

    QStringList out;
    bool written = false;
    bool inDefaults = false;      // inside any defaults group
    bool inFirstDefaults = false; // inside the first one
    bool seenDefaults = false;
    qsizetype insertAt = -1; // after the first group's last non-blank line
    for (const QString& line : lines) {
        if (IsGroupHeader(line)) {
            inDefaults = line.trimmed() == DefaultsGroup;
            inFirstDefaults = inDefaults && !seenDefaults;
            seenDefaults = seenDefaults || inDefaults;
            out.append(line);
            if (inFirstDefaults) insertAt = out.size();
            continue;
        }
        if (inDefaults && IsEntryFor(line, mimeType)) {
            if (written) continue; // a later duplicate of the key
            out.append(entry);
            written = true;
        } else {
            out.append(line);
        }
        if (inFirstDefaults && !IsBlank(line)) insertAt = out.size();
    }

    if (!written) {
        if (insertAt >= 0) {
            out.insert(insertAt, entry);
        } else {
            if (!out.isEmpty() && !IsBlank(out.last())) out.append(QString());
            out.append(DefaultsGroup);
            out.append(entry);
        }
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace MimeAppsList
