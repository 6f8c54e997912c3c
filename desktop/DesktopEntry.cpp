#include "desktop/DesktopEntry.h"

#include "desktop/DesktopStrings.h"

#include <QDir>
#include <stdexcept>

namespace DesktopEntry {
namespace {

bool HasControlCharacter(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
    }
    return false;
}

// Quoting of one Exec argument: reserved characters get a backslash.
QString QuotedArgument(const QString& argument) {
    QString quoted(QLatin1Char('"'));
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%')) quoted += QLatin1Char('%');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

} // namespace

QStringList MimeTypesOfExtension(const QString& extension) {
    const QString upper = extension.toUpper();
    if (upper == QLatin1String("MP1")) return {"audio/mpeg"};
    if (upper == QLatin1String("MP2")) return {"audio/mp2", "audio/x-mp2"};
    if (upper == QLatin1String("MP3")) return {"audio/mpeg", "audio/x-mp3", "audio/x-mpg", "audio/x-mpeg", "audio/mp3"};
    if (upper == QLatin1String("M3U"))
        return {"audio/x-mpegurl",      "audio/mpegurl", "application/m3u",
                "audio/x-mp3-playlist", "audio/m3u",     "audio/x-m3u"};
    return {};
}

QString FileIdOf(const QString& typeName) {
    QString id;
    for (QChar c : typeName.trimmed()) {
        const bool kept =
            (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('_');
        id += kept ? c : QLatin1Char('-');
    }
    if (id.isEmpty()) return QString();
    return id + QStringLiteral(".desktop");
}

QString ExecLine(const QString& program) {
    if (!QDir::isAbsolutePath(program) || HasControlCharacter(program)) {
        throw std::runtime_error(QString::fromUtf8(DesktopStrings::BadProgramPath).arg(program).toStdString());
    }
    return EscapeValue(QuotedArgument(program)) + QStringLiteral(" %f");
}

QString EscapeValue(const QString& value) {
    QString escaped;
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\': escaped += QStringLiteral("\\\\"); break;
        case '\n': escaped += QStringLiteral("\\n"); break;
        case '\t': escaped += QStringLiteral("\\t"); break;
        case '\r': escaped += QStringLiteral("\\r"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QStringList MimeTypesOf(const QString& entryText) {
    bool inMainGroup = false;
    const QStringList lines = entryText.split(QLatin1Char('\n'));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QLatin1String("[Desktop Entry]");
        else if (inMainGroup && line.section(QLatin1Char('='), 0, 0).trimmed() == QLatin1String("MimeType"))
            return line.section(QLatin1Char('='), 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return {};
}

QString Compose(const Fields& fields) {
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + EscapeValue(fields.name) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + ExecLine(fields.program) + QLatin1Char('\n');
    text += QStringLiteral("MimeType=") + fields.mimeTypes.join(QLatin1Char(';')) + QStringLiteral(";\n");
    if (!fields.icon.isEmpty()) text += QStringLiteral("Icon=") + EscapeValue(fields.icon) + QLatin1Char('\n');
    text += QStringLiteral("Terminal=false\n");
    return text;
}

} // namespace DesktopEntry
