// The Qt application object that the picture readers need, made once in
// LLVMFuzzerInitialize; offscreen, since the machine has no display.
#pragma once

#include <QGuiApplication>
#include <cstdlib>

inline void StartOffscreenApplication(char* program) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt gets arguments of its own: the fuzzer's options are not for it.
    static int argc = 1;
    static char* argv[] = {program, nullptr};
    static QGuiApplication application(argc, argv);
}
