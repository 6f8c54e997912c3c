#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file whole or not at all, by the names of FileNames.h: bytes go
// to a new file beside the target, unbuffered (a short write shows at once),
// and Commit renames it over the target, which keeps its permissions. Until
// then, and when anything fails, the target stays as it was; a file that is
// not committed is removed.
class TSavedFile {
public:
    explicit TSavedFile(const QString& path);
    ~TSavedFile();
    TSavedFile(const TSavedFile&) = delete;
    TSavedFile& operator=(const TSavedFile&) = delete;

    bool Open();
    bool Write(const QByteArray& bytes);
    bool Commit();
    void Cancel();

    // Why the last call failed.
    QString ErrorString() const { return m_error; }

private:
    bool Fail(int error);

    QByteArray m_target;
    QByteArray m_temporary;
    int m_descriptor = -1;
    QString m_error;
};
