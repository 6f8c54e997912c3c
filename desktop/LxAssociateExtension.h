#pragma once

#include <QString>

// Makes the program the current user's default application for a file
// extension, the XDG way: a desktop entry for the file type name in
// $XDG_DATA_HOME/applications that opens one file with the program and
// lists the MIME types associated so far, and the type's default in
// $XDG_CONFIG_HOME/mimeapps.list. Nothing else is written. Associating again
// rewrites the same content.
class TLxAssociateExtension {
public:
    // Icon (may be empty), file type name (the entry's Name), extension
    // without its dot ("MP3"), program path. Throws std::runtime_error with a
    // clear text when the extension is unknown, a name or path cannot be
    // represented, or a file cannot be read or written; the files are
    // checked before anything is written, and written atomically.
    void Associate(const QString& icon, const QString& progId, const QString& extension, const QString& program);

    // Folders written to.
    static QString ApplicationsFolder();
    static QString MimeAppsListPath();
};
