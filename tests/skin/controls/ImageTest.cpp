#include "skin/controls/ImageClickCycle.h"
#include "skin/controls/LxImage.h"
#include "skin/controls/WheelAccumulator.h"

#include "ControlEvents.h"

#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

QPixmap Filled(QColor color) {
    QPixmap pixmap(4, 4);
    pixmap.fill(color);
    return pixmap;
}

QColor ShownColour(const TLxImage& image) {
    return image.Picture().isNull() ? QColor() : QColor(image.Picture().toImage().pixel(0, 0));
}

TEST(ImageClickCycle, ReleasesCycleThroughTheEnabledClickStates) {
    ImageClickCycle both;
    EXPECT_EQ(both.Release(true, true), ImagePicture::Clicked1);
    EXPECT_EQ(both.Release(true, true), ImagePicture::Clicked2);
    EXPECT_EQ(both.Release(true, true), ImagePicture::Leave);
    EXPECT_EQ(both.State(), 0);

    ImageClickCycle first;
    EXPECT_EQ(first.Release(true, false), ImagePicture::Clicked1);
    EXPECT_EQ(first.Release(true, false), ImagePicture::Leave);
    EXPECT_EQ(first.Release(true, false), ImagePicture::Clicked1);

    ImageClickCycle none;
    EXPECT_EQ(none.Release(false, false), ImagePicture::Leave);
    EXPECT_EQ(none.Release(false, true), ImagePicture::Leave); // the second needs the first
    EXPECT_EQ(none.State(), 0);
}

TEST(WheelAccumulator, WholeNotchesAreTakenAndTheRestKeepsItsSign) {
    int32_t acc = 0;
    EXPECT_EQ(TakeWheelNotches(acc, 60), 0);
    EXPECT_EQ(acc, 60);
    EXPECT_EQ(TakeWheelNotches(acc, 60), 1);
    EXPECT_EQ(acc, 0);
    EXPECT_EQ(TakeWheelNotches(acc, -250), -2);
    EXPECT_EQ(acc, -10);
    EXPECT_EQ(TakeWheelNotches(acc, 130), 1);
    EXPECT_EQ(acc, 0);
    acc = INT32_MAX;
    EXPECT_EQ(TakeWheelNotches(acc, INT32_MAX), int((int64_t(INT32_MAX) * 2) / 120));
    EXPECT_EQ(acc, int32_t((int64_t(INT32_MAX) * 2) % 120));
}

TEST(LxImage, WritingPicturesShowsLeaveAndEnterOnlyWithoutLeaveAndSetStateKeepsTheClickState) {
    TLxImage image;
    image.SetPictureEnter(Filled(Qt::green));
    EXPECT_EQ(ShownColour(image), QColor(Qt::green));
    image.SetPictureLeave(Filled(Qt::red));
    EXPECT_EQ(ShownColour(image), QColor(Qt::red));
    image.SetPictureEnter(Filled(Qt::blue));
    image.SetPictureClicked1(Filled(Qt::cyan));
    image.SetPictureClicked2(Filled(Qt::magenta));
    image.SetPictureDown(Filled(Qt::yellow));
    EXPECT_EQ(ShownColour(image), QColor(Qt::red));

    image.SetState(2);
    EXPECT_EQ(ShownColour(image), QColor(Qt::magenta));
    image.SetState(7);
    EXPECT_EQ(ShownColour(image), QColor(Qt::yellow));
    image.SetState(1);
    EXPECT_EQ(ShownColour(image), QColor(Qt::cyan));
    EXPECT_EQ(image.GetState(), 0);
}

TEST(LxImage, HoverHighlightsAndReportsEnterOrLeaveThenPositionChanged) {
    const QColor appHint = HintColorSwap::ApplicationHintColor();
    TLxImage image;
    image.SetPictureEnter(Filled(Qt::green)); // a skin button: no leave picture
    image.SetPictureLeave(QPixmap());
    image.SetEffectHighlight(true);
    image.SetHintColor(Qt::darkBlue);
    QStringList log;
    image.OnMouseEnter = [&](QObject*) { log << "enter"; };
    image.OnMouseLeave = [&](QObject*) { log << "leave"; };
    image.OnPositionChanged = [&](QObject*) { log << "position"; };

    EXPECT_TRUE(image.Picture().isNull());
    SendEnter(&image);
    EXPECT_EQ(ShownColour(image), QColor(Qt::green));
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::darkBlue));
    SendLeave(&image);
    EXPECT_TRUE(image.Picture().isNull());
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), appHint);
    EXPECT_EQ(log, QStringList({"enter", "position", "leave", "position"}));
}

TEST(LxImage, PressShowsDownPictureAndReleasesCycleTheClickPictures) {
    TLxImage image;
    image.resize(20, 20);
    image.SetPictureLeave(Filled(Qt::red));
    image.SetPictureClicked1(Filled(Qt::cyan));
    image.SetPictureDown(Filled(Qt::yellow));
    image.SetEffectClick1(true);
    QStringList log;
    image.OnClick = [&](QObject*) { log << "click"; };
    image.OnMouseUp = [&](QObject*, Qt::MouseButton, TShiftState, int, int) { log << "up"; };
    image.OnPositionChanged = [&](QObject*) { log << QString("position %1").arg(image.GetState()); };

    QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(ShownColour(image), QColor(Qt::red)); // no EffectDownUp: nothing shown, nothing raised
    QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(ShownColour(image), QColor(Qt::cyan));
    QTest::mouseClick(&image, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(ShownColour(image), QColor(Qt::red));
    EXPECT_EQ(log, QStringList({"click", "up", "position 1", "up", "position 0"}));

    log.clear();
    image.SetEffectDownUp(true);
    QTest::mousePress(&image, Qt::MiddleButton, {}, QPoint(3, 3));
    EXPECT_EQ(ShownColour(image), QColor(Qt::yellow));
    QTest::mouseRelease(&image, Qt::MiddleButton, {}, QPoint(3, 3));
    EXPECT_EQ(ShownColour(image), QColor(Qt::cyan));
    EXPECT_EQ(log, QStringList({"position 0", "up", "position 1"}));
}

TEST(LxImage, AutoSizeTakesThePictureSizeAndStretchFillsTheControl) {
    TLxImage image;
    image.resize(50, 50);
    image.SetAutoSize(true);
    image.SetPicture(QPixmap());
    EXPECT_EQ(image.size(), QSize(50, 50));
    QPixmap back(451, 244);
    back.fill(Qt::black);
    image.SetPicture(back);
    EXPECT_EQ(image.size(), QSize(451, 244));

    TLxImage about;
    about.SetStretch(true);
    about.resize(137, 157);
    about.SetPicture(Filled(Qt::red));
    EXPECT_EQ(QColor(about.grab().toImage().pixel(130, 150)), QColor(Qt::red));
}

// Turns the wheel over the widget; true when the widget kept the turn, false
// when it left it to the parent.
bool Wheel(QWidget* widget, int delta) {
    QWheelEvent event(QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

TEST(LxImage, WheelTurnsAreCountedInNotchesAndUnhandledOnesGoToTheParent) {
    TLxImage image;
    QStringList log;
    image.OnMouseWheelUp = [&](QObject*, TShiftState, QPoint, bool& handled) {
        log << "up";
        handled = true;
    };
    image.OnMouseWheelDown = [&](QObject*, TShiftState, QPoint, bool&) { log << "down"; };

    EXPECT_FALSE(Wheel(&image, 60)); // no whole notch yet: nobody handled it
    EXPECT_TRUE(Wheel(&image, 200));
    EXPECT_EQ(image.WheelAccumulator(), 20);
    EXPECT_FALSE(Wheel(&image, -400));
    EXPECT_EQ(image.WheelAccumulator(), -20);
    EXPECT_EQ(log, QStringList({"up", "up", "down", "down", "down"}));

    image.OnMouseWheel = [&](QObject*, TShiftState, int delta, QPoint, bool& handled) {
        log << QString("wheel %1").arg(delta);
        handled = true;
    };
    log.clear();
    EXPECT_TRUE(Wheel(&image, 240));
    EXPECT_EQ(log, QStringList({"wheel 240"}));
    EXPECT_EQ(image.WheelAccumulator(), -20);
}

} // namespace
