#include "player/binding/EngineFiles.h"

#include "player/binding/BindingStrings.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <stdexcept>

namespace {

QString MakePrivateDirectory(const QString& parent) {
    QByteArray path = QFile::encodeName(parent + '/' + BindingStrings::PrivateDirectoryTemplate);
    if (!mkdtemp(path.data())) // creates it with mode 0700
        return {};
    return QFile::decodeName(path);
}

QString CreateDirectory() {
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
