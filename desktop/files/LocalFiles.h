#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

// The local file system by the names of desktop/files/FileNames.h, so that
// files whose names are not UTF-8 are found, listed and opened like others
// (Qt's QFile, QFileInfo and QDir would look for a lossily recoded name).
namespace LocalFiles {

// Follow symbolic links, like QFileInfo's.
bool Exists(const QString& path);
bool IsFile(const QString& path);     // a regular file
bool IsFolder(const QString& path);   // a directory
qint64 FileSize(const QString& path); // -1 when it is not a regular file

// The names in `folder` but "." and "..", in the order the system lists
// them; empty when it cannot be read.
QStringList FolderEntries(const QString& folder);

// The path with "." and ".." and symbolic links resolved; empty when it
// does not exist.
QString CanonicalPath(const QString& path);

// `path` made absolute against the current folder, cleaned of "." and "..".
QString AbsolutePath(const QString& path);

// Opens the existing regular file `path` into `file` for reading (ReadOnly)
// or reading and writing (ReadWrite); `file` owns the descriptor. A FIFO,
// device or folder is refused without blocking. Returns why it failed, or an
// empty text.
QString OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode);

// A path as Qt's file dialogs return it, its non-UTF-8 names turned into
// U+FFFD, made into the path of the file it was decoded from: each part that
// does not exist is matched against its folder's entries decoded the same
// lossy way (the first match wins). Paths that exist, and names nothing
// matches (a new file to save), stay as they are.
QString RecoverDecodedPath(const QString& path);

} // namespace LocalFiles
