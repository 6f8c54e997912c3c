#include "playlist/LastPlaylist.h"

#include "playlist/PlaylistModel.h"
#include "playlist/PlaylistStrings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <stdexcept>

QString LastPlaylistFile() {
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome)
        .filePath(QString::fromUtf8(PlaylistStrings::ConfigFolderName) + u'/' +
                  QString::fromUtf8(PlaylistStrings::LastPlaylistName));
}

void SaveLastPlaylist(const TPlaylistModel& playlist) {
    const QString fileName = LastPlaylistFile();
    const QString folder = QFileInfo(fileName).absolutePath();
    if (!QDir().mkpath(folder))
        throw std::runtime_error(QString::fromUtf8(PlaylistStrings::NoConfigFolder).arg(folder).toStdString());
    playlist.SavePlaylist(fileName);
}
