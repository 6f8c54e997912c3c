#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

class TPlaylistModel;
struct TPlaylistEntry;

// Writes `bytes` to `path`, creating missing folders; fails the test on error.
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

// Display texts of every line.
QStringList TextsOf(const TPlaylistModel& model);

// Readable test failure messages.
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const TPlaylistEntry& entry, std::ostream* out);
