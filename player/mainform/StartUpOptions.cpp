#include "player/mainform/StartUpOptions.h"

#include "player/mainform/MainFormStrings.h"

#include <stdexcept>

namespace S = MainFormStrings;

TStartUpOptions ParseStartUpOptions(const QStringList& arguments) {
    TStartUpOptions options;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded) {
            options.Files << argument;
        } else if (argument == QLatin1String(S::OptionsEnd)) {
            optionsEnded = true;
        } else if (argument == QLatin1String(S::OptionQuitAtEnd)) {
            options.QuitAtEnd = true;
        } else if (argument == QLatin1String(S::OptionHelp) || argument == QLatin1String(S::OptionHelpShort)) {
            options.Help = true;
        } else if (argument == QLatin1String(S::OptionVersion)) {
            options.Version = true;
        } else if (argument == QLatin1String(S::OptionScreenshot)) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
                throw std::invalid_argument(S::MissingScreenshotFile);
            options.ScreenshotFile = arguments[++i];
        } else {
            options.Files << argument;
        }
    }
    return options;
}

QString StartUpUsage() { return QString::fromUtf8(S::Usage); }
