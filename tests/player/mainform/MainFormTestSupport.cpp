#include "player/mainform/MainFormTestSupport.h"

#include <QDir>
#include <QFile>

QString FirstTrack() { return TAERIN_SOURCE_DIR "/tests/player/mainform/data/first.mp3"; }
QString SecondTrack() { return TAERIN_SOURCE_DIR "/tests/player/mainform/data/second.mp3"; }

TPrivateFolders::TPrivateFolders()
    : m_runtimeVariable("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path())),
      m_configVariable("XDG_CONFIG_HOME", QFile::encodeName(m_config.path())) {}

QString TPrivateFolders::LastPlaylist() const { return QDir(m_config.path()).filePath("taerin/last.m3u"); }

QString FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString PlaylistEntries(const QString& path) {
    QString entries;
    for (const QString& line : FileText(path).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        if (!line.startsWith(u'#')) entries += line + QStringLiteral("\r\n");
    return entries;
}
