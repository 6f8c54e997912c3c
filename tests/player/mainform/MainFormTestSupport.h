#pragma once

#include "player/binding/BindingTestSupport.h"
#include "player/mainform/MainDialogs.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The short test tracks: 1 s and 1.5 s of a tone, 128 kbit/s, 44.1 kHz,
// joint stereo, with ID3v1 titles "First Tone" and "Second Tone" (made with
// sox and lame).
QString FirstTrack();
QString SecondTrack();

// Dialogs that answer what the test put in.
class TAnsweringDialogs : public TMainDialogs {
public:
    QStringList ChooseFilesToPlay() override { return FilesToPlay; }
    QString ChooseSkinFile() override { return SkinFile; }

    QStringList FilesToPlay;
    QString SkinFile;
};

// Private folders for the engine's files and the last playlist, set in the
// environment for the life of the object.
class TPrivateFolders {
public:
    TPrivateFolders();

    QString LastPlaylist() const;
    QString ConfigFolder() const { return m_config.path(); }

private:
    QTemporaryDir m_runtime;
    QTemporaryDir m_config;
    ScopedEnvironment m_runtimeVariable;
    ScopedEnvironment m_configVariable;
};

// The text of a file, empty when it cannot be read.
QString FileText(const QString& path);
// The entry lines of a playlist file (its #-lines left out), each ended by
// "\r\n" as written.
QString PlaylistEntries(const QString& path);
