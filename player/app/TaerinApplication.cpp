#include "player/app/TaerinApplication.h"

#include "desktop/ApplicationIcon.h"
#include "player/app/AppStrings.h"

#include <QMessageBox>
#include <exception>

TTaerinApplication::TTaerinApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("taerin");
    setApplicationDisplayName(AppStrings::ApplicationTitle);
    setDesktopFileName(QStringLiteral("taerin"));
    setWindowIcon(TaerinIcon());
}

bool TTaerinApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    }
    return false;
}

void TTaerinApplication::ShowException(const std::exception& error) {
    QMessageBox::critical(nullptr, applicationDisplayName(), QString::fromUtf8(error.what()));
}
