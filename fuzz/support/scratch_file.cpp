#include "support/scratch_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

QString ScratchFolder() {
    static QTemporaryDir folder(QDir::tempPath() + "/taerin-fuzz-XXXXXX");
    if (!folder.isValid()) std::abort();
    return folder.path();
}

QString WriteScratchFile(const QString& name, const uint8_t* data, size_t size) {
    const QString path = ScratchFolder() + "/" + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    if (file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) std::abort();
    return path;
}
