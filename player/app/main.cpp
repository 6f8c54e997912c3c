// taerin: the skinnable MPEG audio player.
#include "player/app/DesktopSession.h"
#include "player/app/QuitSignals.h"
#include "player/app/TaerinApplication.h"
#include "player/mainform/StartUp.h"

#include <QStringList>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (PrintInformation(arguments)) return 0;
    TTaerinApplication application(argc, argv);
    TQuitSignals quitSignals;
    TDesktopSession session;
    return RunTaerin(application, application.arguments(), &session);
}
