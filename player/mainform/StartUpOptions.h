#pragma once

#include <QString>
#include <QStringList>

// The command line of taerin: files to add and play, and two options for
// runs without a user:
//   --screenshot FILE  save a picture of the main window to FILE when the
//                      first track ends;
//   --quit-at-end      end the program when the first track ends (exit
//                      status 0; 1 when the track cannot be played or the
//                      screenshot cannot be saved).
//   --help, -h         print the usage and exit;
//   --version          print the program's version and exit.
// "--" ends the options; later arguments are files even when they begin
// with "--".
struct TStartUpOptions {
    QStringList Files;
    QString ScreenshotFile;
    bool QuitAtEnd = false;
    bool Help = false;
    bool Version = false;
};

// The text --help prints.
QString StartUpUsage();

// `arguments` without the program name. Throws std::invalid_argument with
// the message text when --screenshot has no file name.
TStartUpOptions ParseStartUpOptions(const QStringList& arguments);
