// taerin: the skinnable MPEG audio player.
#include "player/app/DesktopSession.h"
#include "player/app/QuitSignals.h"
#include "player/app/TaerinApplication.h"
#include "player/mainform/StartUp.h"

int main(int argc, char** argv) {
    TTaerinApplication application(argc, argv);
    TQuitSignals quitSignals;
    TDesktopSession session;
    return RunTaerin(application, application.arguments(), &session);
}
