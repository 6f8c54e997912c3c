#pragma once

#include <QObject>

class QSocketNotifier;

// Quits the application when the process is asked to end (SIGINT, SIGTERM,
// SIGHUP), so that it cleans up as when its window is closed.
class TQuitSignals : public QObject {
public:
    explicit TQuitSignals(QObject* parent = nullptr);
    ~TQuitSignals() override;

private:
    QSocketNotifier* m_notifier = nullptr;
};
