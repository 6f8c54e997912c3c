#include "desktop/LxImageTransform.h"
#include "desktop/TransitionGeometry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using Kind = TransitionFrame::Kind;

QPixmap Filled(QSize size, QColor color) {
    QPixmap picture(size);
    picture.fill(color);
    return picture;
}

// Processes events until the condition holds (without a time limit on
// success; the event loop drives the control's own timer).
template <typename Condition> bool Await(Condition done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 20000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace

TEST(TransitionGeometry, HalfwayFrameOfEveryType) {
    const QSize size(223, 100); // 223 * 0.5 = 111.5 rounds to 112, 100 * 0.5 = 50
    struct Expected {
        TTransType type;
        Kind kind;
        QPoint offset;
        QRect target;
    };
    const Expected cases[] = {
        {TTransType::ttWipeLeft, Kind::Offset, {112, 0}, {}},
        {TTransType::ttWipeRight, Kind::Offset, {-112, 0}, {}},
        {TTransType::ttWipeUp, Kind::Offset, {0, 50}, {}},
        {TTransType::ttWipeDown, Kind::Offset, {0, -50}, {}},
        {TTransType::ttWipeDownRight, Kind::Offset, {-112, -50}, {}},
        {TTransType::ttWipeDownLeft, Kind::Offset, {112, -50}, {}},
        {TTransType::ttWipeUpRight, Kind::Offset, {-112, 50}, {}},
        {TTransType::ttWipeUpLeft, Kind::Offset, {112, 50}, {}},
        {TTransType::ttTurnLeft, Kind::Stretch, {}, QRect(QPoint(112, 0), QSize(112, 100))},
        {TTransType::ttTurnRight, Kind::Stretch, {}, QRect(QPoint(0, 0), QSize(112, 100))},
        {TTransType::ttTurnUp, Kind::Stretch, {}, QRect(QPoint(0, 50), QSize(223, 50))},
        {TTransType::ttTurnDown, Kind::Stretch, {}, QRect(QPoint(0, 0), QSize(223, 50))},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(static_cast<int>(e.type));
        const TransitionFrame frame = FrameGeometry(e.type, 5, 10, size);
        EXPECT_EQ(frame.kind, e.kind);
        if (e.kind == Kind::Offset)
            EXPECT_EQ(frame.offset, e.offset);
        else
            EXPECT_EQ(frame.target, e.target);
    }
}

TEST(TransitionGeometry, NothingBeforeTheFirstStepOrWithoutSteps) {
    EXPECT_EQ(FrameGeometry(TTransType::ttWipeLeft, 0, 10, {10, 10}).kind, Kind::Nothing);
    EXPECT_EQ(FrameGeometry(TTransType::ttTurnDown, 3, 0, {10, 10}).kind, Kind::Nothing);
    const TransitionFrame last = FrameGeometry(TTransType::ttWipeUpLeft, 10, 10, {10, 10});
    EXPECT_EQ(last.offset, QPoint(0, 0));
    // 2.5 rounds to 2 (halves to even)
    EXPECT_EQ(FrameGeometry(TTransType::ttWipeLeft, 3, 4, {10, 10}).offset, QPoint(2, 0));
    // The draw table of the options window.
    EXPECT_EQ(TransitionForDraw(0), TTransType::ttTurnDown);
    EXPECT_EQ(TransitionForDraw(4), TTransType::ttWipeDown);
    EXPECT_EQ(TransitionForDraw(11), TTransType::ttWipeDownLeft);
}

TEST(LxImageTransform, PropertiesKeepTheirRanges) {
    TLxImageTransform control;
    EXPECT_EQ(control.size(), QSize(105, 105));
    control.SetInterval(0);
    EXPECT_EQ(control.Interval(), 1);
    control.SetInterval(5000);
    EXPECT_EQ(control.Interval(), 1000);
    control.SetImageShown(2);
    control.SetImageShown(3);
    EXPECT_EQ(control.ImageShown(), 2);

    control.SetPicture1(Filled({50, 40}, Qt::red));
    EXPECT_EQ(control.size(), QSize(105, 105));
    control.SetAutoSize(true);
    EXPECT_EQ(control.size(), QSize(50, 40));
}

TEST(LxImageTransform, TransitionEndsOnTheOtherPictureAndFinishes) {
    TLxImageTransform control;
    control.SetPicture1(Filled({20, 20}, Qt::red));
    control.SetPicture2(Filled({20, 20}, Qt::blue));
    control.SetSteps(3);
    int finished = 0;
    control.OnFinished = [&](QObject* sender) {
        EXPECT_EQ(sender, &control);
        ++finished;
    };
    control.Transform();
    EXPECT_TRUE(control.Transforming());
    ASSERT_TRUE(Await([&] { return finished == 1; }));
    EXPECT_FALSE(control.Transforming());
    EXPECT_EQ(control.StepCount(), 3);
    EXPECT_EQ(control.ImageShown(), 2);
    EXPECT_EQ(control.grab().toImage().pixelColor(10, 10), QColor(Qt::blue));

    // Steps of 0 still end after one step.
    control.SetSteps(0);
    control.Transform();
    ASSERT_TRUE(Await([&] { return finished == 2; }));
    EXPECT_EQ(control.ImageShown(), 1);
}

TEST(LxImageTransform, FramePaintsTheIncomingPictureOverTheShownOne) {
    TLxImageTransform control;
    control.resize(20, 20);
    control.SetPicture1(Filled({20, 20}, Qt::red));
    control.SetPicture2(Filled({20, 20}, Qt::blue));
    control.SetTransformType(TTransType::ttTurnDown);
    control.SetSteps(2);
    control.SetInterval(1000);
    control.Transform();
    ASSERT_TRUE(Await([&] { return control.StepCount() == 1; }));
    const QImage frame = control.grab().toImage();
    EXPECT_EQ(frame.pixelColor(10, 2), QColor(Qt::blue)); // top half: incoming
    EXPECT_EQ(frame.pixelColor(10, 17), QColor(Qt::red)); // bottom half: shown
}
