#include "player/mainform/StartUp.h"

#include "player/app/AppStrings.h"
#include "player/mainform/MainController.h"
#include "player/mainform/MainFormStrings.h"
#include "player/mainform/RememberedSettings.h"
#include "player/mainform/Screenshot.h"
#include "player/mainform/StartUpHooks.h"
#include "player/mainform/StartUpOptions.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mainform/mainform.h"
#include "playlist/LxControls.h"
#include "playlist/playlistform.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <stdexcept>

namespace S = MainFormStrings;

namespace {

void Say(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

// A problem goes into a message box, or to standard error in a run
// without a user, where a box would wait for ever.
void Report(bool unattended, const QString& text) {
    if (unattended)
        Say(text);
    else
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text);
}

// What a run without a user does when the first track ends or fails.
class TUnattendedRun {
public:
    TUnattendedRun(const TStartUpOptions& options, Tmainform& mainform) : m_options(options), m_mainform(mainform) {
        TMainController& controller = mainform.Controller();
        controller.OnTrackEnded = [this] { FirstTrackEnded(); };
        if (options.QuitAtEnd) {
            controller.OnTrackFailed = [this](const QString& error) { TrackFailed(error); };
            mainform.OnSaveError = [this](QObject*, const QString& message) {
                Say(message);
                m_status = 1;
            };
        }
    }

    int Status() const { return m_status; }

private:
    void FirstTrackEnded() {
        if (m_ended) return;
        m_ended = true;
        if (!m_options.ScreenshotFile.isEmpty()) SaveScreenshot();
        if (m_options.QuitAtEnd) m_mainform.Exit();
    }

    void SaveScreenshot() {
        const QString& file = m_options.ScreenshotFile;
        if (ShapedScreenshot(m_mainform).save(file)) {
            Say(QString::fromUtf8(S::ScreenshotSaved).arg(file));
        } else {
            Say(QString::fromUtf8(S::ScreenshotFailed).arg(file));
            m_status = 1;
        }
    }

    void TrackFailed(const QString& error) {
        Say(QString::fromUtf8(S::TrackFailed).arg(error));
        m_status = 1;
        QCoreApplication::quit();
    }

    const TStartUpOptions& m_options;
    Tmainform& m_mainform;
    bool m_ended = false;
    int m_status = 0;
};

} // namespace

bool PrintInformation(const QStringList& arguments) {
    TStartUpOptions options;
    try {
        options = ParseStartUpOptions(arguments.mid(1));
    } catch (const std::invalid_argument&) {
        return false; // RunTaerin reports it
    }
    if (!options.Help && !options.Version) return false;
    const QString text =
        options.Help ? StartUpUsage() : QString::fromUtf8(S::VersionLine).arg(QStringLiteral(TAERIN_VERSION)) + u'\n';
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return true;
}

int RunTaerin(QApplication& app, const QStringList& arguments, TStartUpHooks* hooks) {
    app.setApplicationDisplayName(QString::fromUtf8(AppStrings::ApplicationTitle));
    TStartUpOptions options;
    try {
        options = ParseStartUpOptions(arguments.mid(1));
    } catch (const std::invalid_argument& error) {
        Say(QString::fromUtf8(error.what()));
        return 2;
    }
    if (PrintInformation(arguments)) return 0;
    const bool unattended = options.QuitAtEnd;
    if (unattended || !options.ScreenshotFile.isEmpty()) hooks = nullptr;
    if (hooks && hooks->HandedOver(options)) return 0;

    std::unique_ptr<TTaerinWindows> windows;
    try {
        windows = std::make_unique<TTaerinWindows>();
    } catch (const std::exception& error) {
        Report(unattended, QString::fromUtf8(error.what()));
        return 1;
    }
    TUnattendedRun run(options, *windows->mainform);
    if (hooks) hooks->WindowsCreated(*windows);

    windows->mainform->show();
    windows->remembered->ShowWindows();
    try {
        windows->playlistform->LoadAtStartup(options.Files);
    } catch (const std::exception& error) {
        Report(unattended, QString::fromUtf8(error.what()));
    }
    // A restored list waits for a user, who is not there in this run.
    if (unattended && !windows->mainform->Controller().Playing()) {
        Say(QString::fromUtf8(S::NothingToPlay));
        return 1;
    }
    const int status = app.exec();
    return run.Status() != 0 ? run.Status() : status;
}
