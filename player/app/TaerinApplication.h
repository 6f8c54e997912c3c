#pragma once

#include <QApplication>

// The application object: an exception that escapes an event handler is shown
// in a message box and the program goes on.
class TTaerinApplication : public QApplication {
public:
    TTaerinApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    static void ShowException(const std::exception& error);
};
