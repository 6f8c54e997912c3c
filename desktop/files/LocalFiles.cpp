#include "desktop/files/LocalFiles.h"

#include "desktop/DesktopStrings.h"
#include "desktop/files/FileNames.h"

#include <QDir>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace LocalFiles {

namespace {

bool Status(const QString& path, struct stat& status) {
    return !path.isEmpty() && stat(EncodeFileName(path).constData(), &status) == 0;
}

QString SystemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

bool Exists(const QString& path) {
    struct stat status {};
    return Status(path, status);
}

bool IsFile(const QString& path) {
    struct stat status {};
    return Status(path, status) && S_ISREG(status.st_mode);
}

bool IsFolder(const QString& path) {
    struct stat status {};
    return Status(path, status) && S_ISDIR(status.st_mode);
}

qint64 FileSize(const QString& path) {
    struct stat status {};
    return Status(path, status) && S_ISREG(status.st_mode) ? qint64(status.st_size) : -1;
}

QStringList FolderEntries(const QString& folder) {
    QStringList names;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(EncodeFileName(folder).constData()), closedir);
    if (!directory) return names;
    while (const dirent* entry = readdir(directory.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        names.append(DecodeFileName(QByteArray(name)));
    }
    return names;
}

QString CanonicalPath(const QString& path) {
    const std::unique_ptr<char, void (*)(void*)> resolved(realpath(EncodeFileName(path).constData(), nullptr),
                                                          std::free);
    return resolved ? DecodeFileName(QByteArray(resolved.get())) : QString();
}

QString AbsolutePath(const QString& path) {
    if (path.startsWith(u'/')) return QDir::cleanPath(path);
    const std::unique_ptr<char, void (*)(void*)> current(getcwd(nullptr, 0), std::free);
    const QString folder = current ? DecodeFileName(QByteArray(current.get())) : QDir::currentPath();
    return QDir::cleanPath(folder + u'/' + path);
}

QString OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode) {
    const int access = mode.testFlag(QIODevice::WriteOnly) ? O_RDWR : O_RDONLY;
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    const int descriptor = open(EncodeFileName(path).constData(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return SystemError(errno);
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        return QString::fromUtf8(DesktopStrings::NotARegularFile);
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        close(descriptor);
        return file.errorString();
    }
    return {};
}

QString RecoverDecodedPath(const QString& path) {
    if (path.isEmpty() || Exists(path) || !path.contains(QChar::ReplacementCharacter)) return path;
    const QStringList parts = path.split(u'/');
    QString recovered = parts.first(); // empty for an absolute path
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString folder = recovered.isEmpty() ? QStringLiteral("/") : recovered;
        QString part = parts[i];
        if (part.contains(QChar::ReplacementCharacter) && !Exists(recovered + u'/' + part)) {
            for (const QString& entry : FolderEntries(folder)) {
                if (QFile::decodeName(EncodeFileName(entry)) == part) {
                    part = entry;
                    break;
                }
            }
        }
        recovered += u'/' + part;
    }
    return recovered;
}

} // namespace LocalFiles
