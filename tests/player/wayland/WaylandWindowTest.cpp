// The main window on a Wayland compositor (run by run_under_weston.py).
#include "player/mainform/MainFormTestSupport.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mainform/mainform.h"
#include "skin/controls/LxImage.h"
#include "skin/loader/LxAerinSkin.h"

#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

qint64 Area(const QRegion& region) {
    qint64 area = 0;
    for (const QRect& rect : region) area += qint64(rect.width()) * rect.height();
    return area;
}

TEST(WaylandWindow, TheShapedFramelessWindowStartsMovesAndKeepsItsMask) {
    ASSERT_TRUE(QGuiApplication::platformName().startsWith("wayland")) << QGuiApplication::platformName().toStdString();
    TPrivateFolders folders;
    TTaerinWindows windows(std::make_unique<TAnsweringDialogs>());
    Tmainform& mainform = *windows.mainform;
    mainform.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainform, 10000));
    EXPECT_TRUE(mainform.windowFlags().testFlag(Qt::FramelessWindowHint));

    const QRegion mask = mainform.mask();
    ASSERT_FALSE(mask.isEmpty());
    EXPECT_LT(Area(mask), qint64(mainform.width()) * mainform.height()) << "the skin's outside is cut away";
    ASSERT_NE(mainform.windowHandle(), nullptr);
    EXPECT_EQ(mainform.windowHandle()->mask(), mask) << "the mask reaches the Wayland surface";

    // A press on the Move button hands the move to the compositor; the
    // window stays up whether or not it has a pointer to move with.
    TLxImage* move = mainform.AerinSkin->Buttons().Move().Control();
    QTest::mousePress(move, Qt::LeftButton, {}, move->rect().center());
    QTest::mouseMove(move, move->rect().center() + QPoint(20, 10));
    QTest::mouseRelease(move, Qt::LeftButton, {}, move->rect().center() + QPoint(20, 10));
    QTest::qWait(200);
    EXPECT_TRUE(mainform.windowHandle()->isExposed());

    mainform.TransparentClick(); // the framed, unshaped window
    EXPECT_TRUE(mainform.windowHandle()->mask().isEmpty());
    mainform.TransparentClick();
    QTest::qWait(200);
    EXPECT_EQ(mainform.windowHandle()->mask(), mask);
    EXPECT_TRUE(mainform.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&mainform, 10000));
}

} // namespace
