// The main of GUI test programs: one QApplication for the whole program,
// created after test_environment.cpp has chosen the offscreen platform and
// the silent audio device (unless the caller chose otherwise).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
