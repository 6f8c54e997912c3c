// taerin: the skinnable MPEG audio player.
#include "player/app/QuitSignals.h"
#include "player/app/TaerinApplication.h"
#include "player/app/mainform.h"

#include <exception>
#include <memory>

int main(int argc, char** argv)
{
    TTaerinApplication application(argc, argv);
    TQuitSignals quitSignals;
    std::unique_ptr<Tmainform> mainform;
    try {
        mainform = std::make_unique<Tmainform>();
    } catch (const std::exception& error) {
        TTaerinApplication::ShowException(error);
        return 1;
    }
    mainform->show();
    const QStringList arguments = application.arguments();
    if (arguments.size() > 1)
        mainform->PlayFile(arguments[1]);
    return application.exec();
}
