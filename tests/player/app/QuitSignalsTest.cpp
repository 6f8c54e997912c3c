#include "player/app/QuitSignals.h"

#include <QApplication>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

TEST(QuitSignals, ATerminationRequestEndsTheEventLoop) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        TQuitSignals quitSignals;
        QTimer::singleShot(0, [signal] { std::raise(signal); });
        EXPECT_EQ(QApplication::exec(), 0) << signal;
    }
}
