#pragma once

#include <QStringList>

class QApplication;
class TStartUpHooks;

// The program: sets the application title, creates the windows, restores the
// last playlist, adds the files of the command line and plays, shows the
// main window and runs the event loop until the program ends. `arguments`
// is QCoreApplication::arguments() (the program name first; options in
// StartUpOptions.h). `hooks`, when given, may hand the command line to a
// running player and add to the windows. Returns the exit status.
int RunTaerin(QApplication& app, const QStringList& arguments, TStartUpHooks* hooks = nullptr);

// With --help or --version among `arguments` (program name first): prints
// the usage or the version to standard output and returns true. Needs no
// application object, so it answers without a display.
bool PrintInformation(const QStringList& arguments);
