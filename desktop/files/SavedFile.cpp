#include "desktop/files/SavedFile.h"

#include "desktop/files/FileNames.h"
#include "desktop/files/LocalFiles.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TSavedFile::TSavedFile(const QString& path) {
    // A symbolic link stays one: the file it points to is replaced.
    const QString canonical = LocalFiles::CanonicalPath(path);
    m_target = EncodeFileName(canonical.isEmpty() ? path : canonical);
}

TSavedFile::~TSavedFile() { Cancel(); }

bool TSavedFile::Fail(int error) {
    m_error = QString::fromLocal8Bit(std::strerror(error));
    return false;
}

bool TSavedFile::Open() {
    Cancel();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name =
            m_target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".new";
        m_descriptor = open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_descriptor >= 0) {
            m_temporary = name;
            struct stat existing {};
            if (stat(m_target.constData(), &existing) == 0) fchmod(m_descriptor, existing.st_mode & 07777);
            return true;
        }
        if (errno != EEXIST) return Fail(errno);
    }
    return Fail(EEXIST);
}

bool TSavedFile::Write(const QByteArray& bytes) {
    if (m_descriptor < 0) return Fail(EBADF);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = write(m_descriptor, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote < 0) return Fail(errno);
        if (wrote == 0) return Fail(ENOSPC);
        done += wrote;
    }
    return true;
}

bool TSavedFile::Commit() {
    if (m_descriptor < 0) return Fail(EBADF);
    int error = fsync(m_descriptor) == 0 ? 0 : errno;
    if (close(m_descriptor) != 0 && error == 0) error = errno;
    m_descriptor = -1;
    if (error == 0 && rename(m_temporary.constData(), m_target.constData()) != 0) error = errno;
    if (error != 0) {
        Cancel();
        return Fail(error);
    }
    m_temporary.clear();
    return true;
}

void TSavedFile::Cancel() {
    if (m_descriptor >= 0) close(m_descriptor);
    m_descriptor = -1;
    if (!m_temporary.isEmpty()) unlink(m_temporary.constData());
    m_temporary.clear();
}
