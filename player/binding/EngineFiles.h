#pragma once

#include <QString>

// Where the engine library and its output plug-in are read from: paths that
// QFile opens (the program's resources by default).
struct TEngineSources {
    QString Decoder;
    QString OutputPlugin;

    static TEngineSources Embedded();
};

// The engine library files written into a private directory of this process
// (mode 0700, under $XDG_RUNTIME_DIR or the temporary directory, named with
// the process id). Directories that processes gone by now left there (a
// crash) are removed first. A source that
// does not exist is not written and its path stays empty. On destruction both
// files and the directory are removed; failures are ignored.
class TEngineFiles {
public:
    // Throws std::runtime_error with the message text when the directory or a
    // file cannot be created or written.
    explicit TEngineFiles(const TEngineSources& sources);
    ~TEngineFiles();
    TEngineFiles(const TEngineFiles&) = delete;
    TEngineFiles& operator=(const TEngineFiles&) = delete;

    // Removes the private directories in `parent` whose process no longer
    // exists: only directories of this user, mode 0700, holding nothing but
    // the library files. Returns how many went.
    static int RemoveStaleDirectories(const QString& parent);

    const QString& Directory() const { return m_directory; }
    const QString& DecoderFile() const { return m_decoderFile; }
    const QString& OutputPluginFile() const { return m_outputPluginFile; }

private:
    void Remove();

    QString m_directory;
    QString m_decoderFile;
    QString m_outputPluginFile;
};
