#pragma once

#include <QString>
#include <QStringList>

// Writing application desktop entries for file type associations.
namespace DesktopEntry {

// MIME types of a file extension given without its dot, in any case: the
// type the shared MIME database gives the extension, then its aliases there
// ("MP2" -> "audio/mp2", "audio/x-mp2"); empty when unknown.
QStringList MimeTypesOfExtension(const QString& extension);

// Desktop file id of a file type name: letters, digits, '-' and '_' kept,
// every other character made '-', ".desktop" appended. Empty when nothing is left.
QString FileIdOf(const QString& typeName);

// The Exec value that opens one file with the program: the program path
// quoted and escaped for a desktop entry, then " %f". Throws
// std::runtime_error for a path that is not absolute or holds control characters.
QString ExecLine(const QString& program);

// A string value escaped for a desktop entry.
QString EscapeValue(const QString& value);

// The MIME types listed by an entry's MimeType key; empty when there is none.
QStringList MimeTypesOf(const QString& entryText);

struct Fields {
    QString name;
    QString program;
    QStringList mimeTypes;
    QString icon; // left out when empty
};

// The complete entry text.
QString Compose(const Fields& fields);

} // namespace DesktopEntry
