#include "player/binding/EngineFiles.h"

#include "player/binding/BindingStrings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString MakePrivateDirectory(const QString& parent) {
    QByteArray path = QFile::encodeName(
        QStringLiteral("%1/%2%3-XXXXXX").arg(parent, BindingStrings::PrivateDirectoryPrefix).arg(getpid()));
    if (!mkdtemp(path.data())) // creates it with mode 0700
        return {};
    return QFile::decodeName(path);
}

// The process id in a private directory's name, or 0 when the name is not one.
pid_t OwnerOfName(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^%1([1-9][0-9]{0,9})-[A-Za-z0-9]{6}$").arg(BindingStrings::PrivateDirectoryPrefix));
    const QRegularExpressionMatch match = pattern.match(name);
    bool ok = false;
    const qlonglong pid = match.hasMatch() ? match.captured(1).toLongLong(&ok) : 0;
    return ok && pid > 0 && pid <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(pid) : 0;
}

bool ProcessGone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

// A directory this user made with mode 0700 that holds nothing but the library files.
bool LooksLikeOurs(const QString& path) {
    struct stat status {};
    if (lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != getuid() || (status.st_mode & 0777) != 0700)
        return false;
    const QStringList known{BindingStrings::DecoderFileName, BindingStrings::OutputPluginFileName};
    for (const QFileInfo& entry :
         QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (!known.contains(entry.fileName()) || entry.isSymLink() || !entry.isFile()) return false;
    return true;
}

QStringList PrivateDirectoryParents() {
    QStringList parents;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) parents << runtime;
    parents << QDir::tempPath();
    return parents;
}

QString CreateDirectory() {
    for (const QString& parent : PrivateDirectoryParents()) TEngineFiles::RemoveStaleDirectories(parent);
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        if (QString made = MakePrivateDirectory(runtime); !made.isEmpty()) return made;
    QString made = MakePrivateDirectory(QDir::tempPath());
    if (made.isEmpty())
        throw std::runtime_error(
            QString::fromUtf8(BindingStrings::CannotCreateDirectory).arg(QDir::tempPath()).toStdString());
    return made;
}

// Copies source to directory/name; empty when there is no source.
QString WriteLibrary(const QString& source, const QString& directory, const char* name) {
    QFile in(source);
    if (source.isEmpty() || !in.exists()) return {};
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error(QString::fromUtf8(BindingStrings::CannotReadResource).arg(source).toStdString());
    const QString target = directory + '/' + name;
    QFile out(target);
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const QByteArray bytes = in.readAll();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate, ownerOnly) || out.write(bytes) != bytes.size() ||
        !out.flush())
        throw std::runtime_error(QString::fromUtf8(BindingStrings::CannotWriteFile).arg(target).toStdString());
    return target;
}

} // namespace

TEngineSources TEngineSources::Embedded() {
    return {BindingStrings::DecoderResource, BindingStrings::OutputPluginResource};
}

int TEngineFiles::RemoveStaleDirectories(const QString& parent) {
    int removed = 0;
    const QDir folder(parent);
    for (const QString& name : folder.entryList({QStringLiteral("%1*").arg(BindingStrings::PrivateDirectoryPrefix)},
                                                QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const pid_t owner = OwnerOfName(name);
        const QString path = folder.filePath(name);
        if (owner == 0 || owner == getpid() || !ProcessGone(owner) || !LooksLikeOurs(path)) continue;
        QFile::remove(path + '/' + BindingStrings::DecoderFileName);
        QFile::remove(path + '/' + BindingStrings::OutputPluginFileName);
        if (QDir().rmdir(path)) ++removed;
    }
    return removed;
}

TEngineFiles::TEngineFiles(const TEngineSources& sources) : m_directory(CreateDirectory()) {
    try {
        m_decoderFile = WriteLibrary(sources.Decoder, m_directory, BindingStrings::DecoderFileName);
        m_outputPluginFile = WriteLibrary(sources.OutputPlugin, m_directory, BindingStrings::OutputPluginFileName);
    } catch (...) {
        // A partly written file has no path yet.
        m_decoderFile = m_directory + '/' + BindingStrings::DecoderFileName;
        m_outputPluginFile = m_directory + '/' + BindingStrings::OutputPluginFileName;
        Remove();
        throw;
    }
}

TEngineFiles::~TEngineFiles() { Remove(); }

void TEngineFiles::Remove() {
    if (!m_decoderFile.isEmpty()) QFile::remove(m_decoderFile);
    if (!m_outputPluginFile.isEmpty()) QFile::remove(m_outputPluginFile);
    QDir().rmdir(m_directory);
}
