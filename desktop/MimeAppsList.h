#pragma once

#include <QString>

// Editing of a mimeapps.list text: sets the default application of one MIME
// type in the [Default Applications] group and keeps every other line as it
// stands (comments, other groups, other types, unparsable lines).
namespace MimeAppsList {

// The text with `mimeType=desktopId` as the type's only entry in the
// group, which is created at the end when absent.
QString WithDefault(const QString& text, const QString& mimeType, const QString& desktopId);

} // namespace MimeAppsList
