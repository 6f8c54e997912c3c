#include "playlist/PlaylistFile.h"

#include "desktop/files/LocalFiles.h"
#include "playlist/M3uFile.h"
#include "playlist/PlaylistStrings.h"
#include "playlist/PlsFile.h"

#include <QFile>

#include <stdexcept>

namespace {

[[noreturn]] void ThrowReadError(const QString& fileName, const QString& reason) {
    throw std::runtime_error(QString::fromUtf8(PlaylistStrings::CannotRead).arg(fileName, reason).toStdString());
}

QByteArray ReadWholeTextFile(const QString& fileName) {
    QFile file;
    if (const QString why = LocalFiles::OpenRegularFile(file, fileName, QIODevice::ReadOnly); !why.isEmpty())
        ThrowReadError(fileName, why);

    QByteArray data;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0) ThrowReadError(fileName, file.errorString());
        if (got == 0) break;
        if (data.size() + got > MaxPlaylistBytes)
            ThrowReadError(fileName,
                           QString::fromUtf8(PlaylistStrings::TooLarge).arg(MaxPlaylistBytes / (1024 * 1024)));
        data.append(chunk, got);
    }
    if (HoldsBinaryData(data)) ThrowReadError(fileName, QString::fromUtf8(PlaylistStrings::NotText));
    return data;
}

} // namespace

std::optional<TPlaylistFormat> PlaylistFormatOfName(const QString& name) {
    const qsizetype slash = name.lastIndexOf(u'/');
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= slash) return std::nullopt;
    const QString extension = name.mid(dot + 1).toLower();
    if (extension == QLatin1String("m3u")) return TPlaylistFormat::M3u;
    if (extension == QLatin1String("m3u8")) return TPlaylistFormat::M3u8;
    if (extension == QLatin1String("pls")) return TPlaylistFormat::Pls;
    return std::nullopt;
}

TPlaylistEntries ParsePlaylist(const QByteArray& data, TPlaylistFormat format, const TEntryResolver& resolve) {
    const TTextEncoding encoding = format == TPlaylistFormat::M3u8 ? TTextEncoding::Utf8 : TTextEncoding::Utf8OrCp1252;
    if (format == TPlaylistFormat::Pls || LooksLikePls(data)) return ParsePls(data, encoding, resolve);
    return ParseM3u(data, encoding, resolve);
}

TPlaylistEntries ReadPlaylistFile(const QString& fileName) {
    const QByteArray data = ReadWholeTextFile(fileName);
    const QString path = LocalFiles::AbsolutePath(fileName);
    const QDir folder(path.left(path.lastIndexOf(u'/') + 1));
    return ParsePlaylist(data, PlaylistFormatOfName(fileName).value_or(TPlaylistFormat::M3u),
                         [&folder](const QString& entry) { return ResolveLocalEntry(entry, folder); });
}
