#include "playlist/M3uFile.h"

#include "playlist/DisplayText.h"
#include "playlist/PlaylistStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>
#include <stdexcept>

namespace {

[[noreturn]] void ThrowReadError(const QString& fileName, const QString& reason) {
    throw std::runtime_error(QString::fromUtf8(PlaylistStrings::CannotRead).arg(fileName, reason).toStdString());
}

QByteArray ReadWholeTextFile(const QString& fileName) {
    if (QFileInfo(fileName).isDir()) ThrowReadError(fileName, QStringLiteral("it is a folder"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) ThrowReadError(fileName, file.errorString());

    QByteArray data;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0) ThrowReadError(fileName, file.errorString());
        if (got == 0) break;
        if (std::memchr(chunk, '\0', static_cast<size_t>(got)) != nullptr)
            ThrowReadError(fileName, QString::fromUtf8(PlaylistStrings::NotText));
        if (data.size() + got > MaxM3uBytes)
            ThrowReadError(fileName, QString::fromUtf8(PlaylistStrings::TooLarge).arg(MaxM3uBytes / (1024 * 1024)));
        data.append(chunk, got);
    }
    return data;
}

// Splits at CR LF, CR or LF; a final line end does not start another line.
QList<QByteArray> SplitLines(const QByteArray& data) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < data.size()) {
        const char c = data.at(i);
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(data.mid(start, i - start));
        i += (c == '\r' && i + 1 < data.size() && data.at(i + 1) == '\n') ? 2 : 1;
        start = i;
    }
    if (start < data.size()) lines.append(data.mid(start));
    return lines;
}

QString ResolveEntry(const QString& entry, const QDir& folder) {
    if (entry.isEmpty() || IsUrl(entry) || QDir::isAbsolutePath(entry)) return entry;
    return QDir::cleanPath(folder.filePath(entry));
}

} // namespace

QStringList ReadM3u(const QString& fileName) {
    QByteArray data = ReadWholeTextFile(fileName);
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);

    const QDir folder = QFileInfo(fileName).absoluteDir();
    QStringList entries;
    for (const QByteArray& line : SplitLines(data)) {
        if (line.startsWith('#')) continue;
        entries.append(ResolveEntry(QString::fromUtf8(line), folder));
    }
    return entries;
}

void WriteTextLines(const QString& fileName, const QStringList& lines) {
    QByteArray content;
    for (const QString& line : lines) content += line.toUtf8() + "\r\n";

    // Unbuffered, so that a short write (disk full, size limit) shows here
    // instead of vanishing in a buffer flush.
    QSaveFile file(fileName);
    const auto fail = [&] {
        throw std::runtime_error(
            QString::fromUtf8(PlaylistStrings::CannotWrite).arg(fileName, file.errorString()).toStdString());
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) fail();
    if (file.write(content) != content.size()) fail();
    if (!file.commit()) fail();
}
