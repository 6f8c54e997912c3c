#include "player/app/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The handler only writes to this pipe; the event loop reads it.
int g_signalPipe[2] = {-1, -1};

void NoteSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t ignored = write(g_signalPipe[1], &byte, 1);
}

} // namespace

TQuitSignals::TQuitSignals(QObject* parent) : QObject(parent) {
    if (pipe2(g_signalPipe, O_NONBLOCK | O_CLOEXEC) != 0) return;
    m_notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [] {
        char byte;
        while (read(g_signalPipe[0], &byte, 1) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

TQuitSignals::~TQuitSignals() {
    if (!m_notifier) return;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
    delete m_notifier;
    close(g_signalPipe[0]);
    close(g_signalPipe[1]);
}
