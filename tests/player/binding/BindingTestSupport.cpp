#include "player/binding/BindingTestSupport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

ScopedEnvironment::ScopedEnvironment(const char* name, const QByteArray& value)
    : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
    qputenv(name, value);
}

ScopedEnvironment::ScopedEnvironment(const char* name)
    : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
    qunsetenv(name);
}

ScopedEnvironment::~ScopedEnvironment() {
    if (m_had)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}

QStringList CloseMessageBoxesDuring(const std::function<void()>& action) {
    QStringList texts;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&texts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            box->accept();
        }
    });
    closer.start(5);
    action();
    return texts;
}

bool ProcessEventsUntil(const std::function<bool()>& condition) {
    QDeadlineTimer limit(20000);
    while (!condition()) {
        if (limit.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

QStringList DirectoryEntries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

std::string Joined(const QStringList& texts) { return texts.join(" | ").toStdString(); }
