// taerin: the skinnable MPEG audio player.
#include "desktop/files/FileNames.h"
#include "player/app/DesktopSession.h"
#include "player/app/QuitSignals.h"
#include "player/app/TaerinApplication.h"
#include "player/mainform/StartUp.h"

#include <QStringList>

namespace {

// The arguments with file names kept whole whatever their bytes.
QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << DecodeFileName(QByteArray(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    if (PrintInformation(Arguments(argc, argv))) return 0;
    TTaerinApplication application(argc, argv); // takes out Qt's own options
    TQuitSignals quitSignals;
    TDesktopSession session;
    return RunTaerin(application, Arguments(argc, argv), &session);
}
