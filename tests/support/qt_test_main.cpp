// The main of GUI test programs: one QApplication for the whole program,
// created after test_environment.cpp has chosen the offscreen platform and
// the silent audio device (unless the caller chose otherwise).
#include <QApplication>
#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

bool any_pooled_thread_left() {
    std::error_code ignored;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ignored)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        if (std::getline(comm, name) && name == "Thread (pooled)") return true;
    }
    return false;
}

// Painting large areas fans out to Qt's detached pool threads. The pool is
// joined when the application goes, but each thread frees its per-thread data
// only as it ends, and the leak check at exit would race it: wait for them.
void wait_for_pooled_threads_to_end() {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (any_pooled_thread_left() && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

} // namespace

int main(int argc, char** argv) {
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    wait_for_pooled_threads_to_end();
    return result;
}
