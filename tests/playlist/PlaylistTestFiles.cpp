#include "PlaylistTestFiles.h"

#include "playlist/PlaylistEntry.h"
#include "playlist/PlaylistModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QStringList TextsOf(const TPlaylistModel& model) {
    QStringList texts;
    for (int i = 0; i < model.Count(); ++i) texts.append(model.Text(i));
    return texts;
}

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

void PrintTo(const TPlaylistEntry& entry, std::ostream* out) {
    *out << '{' << entry.Path.toStdString() << ", " << entry.Title.toStdString() << '}';
}
