#include "skin/controls/LxSlider.h"
#include "skin/controls/SliderModel.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The default slider: 191 x 11 with a 26 x 8 thumb, Maximum 100.
SliderModel DefaultModel() {
    SliderModel model;
    model.SetSliderSize({191, 11});
    model.SetThumbSize({26, 8});
    return model;
}

TEST(SliderModel, ScaleAndThumbPlacement) {
    SliderModel model = DefaultModel();
    EXPECT_DOUBLE_EQ(model.Scale(), 1.65);
    model.SetPosition(50);
    EXPECT_EQ(model.ThumbOrigin(), QPoint(82, 1)); // 82.5 rounds to even
    model.SetPosition(30);
    EXPECT_EQ(model.ThumbOrigin(), QPoint(50, 1)); // 49.5 rounds to even
    model.SetPosition(100);
    EXPECT_EQ(model.ThumbOrigin(), QPoint(165, 1));

    model.SetSliderSize({191, 5}); // thumb taller than the track
    EXPECT_EQ(model.ThumbOrigin().y(), 0);

    model.SetHorizontal(false);
    model.SetSliderSize({17, 126});
    EXPECT_DOUBLE_EQ(model.Scale(), 1.18);
    model.SetPosition(50);
    EXPECT_EQ(model.ThumbOrigin(), QPoint(0, 59));
}

TEST(SliderModel, PositionStaysWithinZeroAndMaximumAndMaximumZeroHasNoTravel) {
    SliderModel model = DefaultModel();
    model.SetPosition(-5);
    EXPECT_EQ(model.Position(), 0);
    model.SetPosition(150);
    EXPECT_EQ(model.Position(), 100);
    model.SetMaximum(40);
    EXPECT_EQ(model.Position(), 40);
    model.SetMaximum(-3);
    EXPECT_EQ(model.Maximum(), 0);
    EXPECT_EQ(model.Position(), 0);

    model.SetMaximum(0);
    EXPECT_EQ(model.Scale(), 0.0);
    EXPECT_EQ(model.ThumbOrigin(), QPoint(0, 1));
    model.Press();
    EXPECT_TRUE(model.Move({100, 4}, true));
    EXPECT_EQ(model.Position(), 0);
}

TEST(SliderModel, DragFollowsThePointerOnlyFromInsideTheThumbBand) {
    SliderModel model = DefaultModel();
    EXPECT_FALSE(model.Move({100, 4}, true)); // not pressed
    model.Press();
    EXPECT_TRUE(model.Dragging());
    EXPECT_TRUE(model.ThumbSwapped());
    EXPECT_EQ(model.Position(), 0);            // the press does not move the thumb
    EXPECT_FALSE(model.Move({100, 4}, false)); // left button not down
    EXPECT_FALSE(model.Move({100, 9}, true));  // below the band (0 ... 8 from the top edge)
    EXPECT_FALSE(model.Move({100, -1}, true));
    EXPECT_FALSE(model.Tracking());
    EXPECT_TRUE(model.Move({100, 8}, true));
    EXPECT_EQ(model.Position(), 53);          // (100 - 13) / 1.65 = 52.7
    EXPECT_TRUE(model.Move({200, 40}, true)); // tracking: the band no longer matters
    EXPECT_EQ(model.Position(), 100);
    model.Release();
    EXPECT_FALSE(model.Dragging());
    EXPECT_FALSE(model.Tracking());
    EXPECT_FALSE(model.ThumbSwapped());
}

TEST(SliderModel, OffsetsAtTheLeftEdgeAreIgnoredAndVerticalDragUsesTheOtherAxis) {
    SliderModel model = DefaultModel();
    model.SetPosition(50);
    model.Press();
    EXPECT_FALSE(model.Move({13, 4}, true)); // offset 0
    EXPECT_FALSE(model.Move({2, 4}, true));
    EXPECT_EQ(model.Position(), 50);
    EXPECT_TRUE(model.Move({14, 4}, true)); // offset 1 is the smallest reachable
    EXPECT_EQ(model.Position(), 1);

    SliderModel vertical;
    vertical.SetHorizontal(false);
    vertical.SetSliderSize({17, 126});
    vertical.SetThumbSize({26, 8});
    vertical.Press();
    EXPECT_FALSE(vertical.Move({27, 60}, true));
    EXPECT_TRUE(vertical.Move({26, 63}, true));
    EXPECT_EQ(vertical.Position(), 50); // (63 - 4) / 1.18
}

TEST(SliderModel, APressBesideTheThumbJumpsThereAndTheDragGoesOnFromThere) {
    SliderModel model = DefaultModel();
    model.SetPosition(50); // thumb at 82 ... 107
    model.Press();
    EXPECT_FALSE(model.JumpTo({90, 4})); // on the thumb: stays for a drag
    EXPECT_EQ(model.Position(), 50);
    EXPECT_TRUE(model.JumpTo({180, 20})); // beside it, even below the band
    EXPECT_EQ(model.Position(), 100);     // (180 - 13) / 1.65 = 101.2, kept at the maximum
    EXPECT_TRUE(model.JumpTo({5, 4}));    // left of the first half thumb: the start
    EXPECT_EQ(model.Position(), 0);
    EXPECT_TRUE(model.Tracking());
    EXPECT_TRUE(model.Move({46, 40}, true)); // (46 - 13) / 1.65 = 20
    EXPECT_EQ(model.Position(), 20);

    SliderModel empty = DefaultModel();
    empty.SetMaximum(0); // nothing playing: no travel, nothing to seek
    EXPECT_FALSE(empty.JumpTo({150, 4}));
    EXPECT_EQ(empty.Position(), 0);
}

TEST(SliderModel, ASliderNarrowerThanItsThumbCannotOverflow) {
    SliderModel model;
    model.SetSliderSize({10, 11});
    model.SetThumbSize({26, 8});
    model.SetMaximum(INT_MAX);
    model.Press();
    EXPECT_TRUE(model.Move({20, 4}, true));
    EXPECT_EQ(model.Position(), 0);

    model.SetSliderSize({1000000, 11});
    EXPECT_TRUE(model.Move({999999, 4}, true));
    EXPECT_GT(model.Position(), 0);
}

// A slider whose pictures are solid colours: track red, normal thumb green,
// pressed thumb blue.
class SliderPictures : public ::testing::Test {
protected:
    void SetUp() override {
        QPixmap ruler(191, 11);
        ruler.fill(Qt::red);
        QPixmap thumb(52, 8);
        thumb.fill(Qt::green);
        QPainter(&thumb).fillRect(26, 0, 26, 8, Qt::blue);
        slider.SetImageRuler(ruler);
        slider.SetImageThumb(thumb);
        slider.resize(191, 11);
    }
    QColor At(int x, int y) { return QColor(slider.grab().toImage().pixel(x, y)); }

    TLxSlider slider;
};

TEST_F(SliderPictures, DrawsTheThumbAtItsPositionAndThePressedHalfWhileDown) {
    slider.SetPosition(50);
    EXPECT_EQ(At(81, 5), QColor(Qt::red));
    EXPECT_EQ(At(82, 5), QColor(Qt::green));
    EXPECT_EQ(At(107, 5), QColor(Qt::green));
    EXPECT_EQ(At(108, 5), QColor(Qt::red));
    EXPECT_EQ(At(90, 0), QColor(Qt::red));                         // thumb centred across: rows 1 ... 8
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(95, 4)); // on the thumb
    EXPECT_EQ(At(90, 5), QColor(Qt::blue));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(95, 4));
    EXPECT_EQ(At(90, 5), QColor(Qt::green));

    // A position written during a drag is ignored: the release reports the
    // dragged value, and later writes move the thumb again.
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(95, 4)); // on the thumb
    slider.SetPosition(100);
    EXPECT_EQ(slider.Position(), 50);
    int released = -1;
    slider.OnStopChanged = [&](QObject*) { released = slider.Position(); };
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(95, 4));
    EXPECT_EQ(released, 50);
    slider.SetPosition(100);
    EXPECT_EQ(At(170, 5), QColor(Qt::green));
}

TEST_F(SliderPictures, DraggingReportsEveryStepAndTheFinalValueOnRelease) {
    QStringList log;
    slider.OnBeginChange = [&](QObject*) { log << QString("begin %1").arg(slider.Position()); };
    slider.OnChanged = [&](QObject*) { log << QString("changed %1").arg(slider.Position()); };
    slider.OnStopChanged = [&](QObject*) { log << QString("stop %1").arg(slider.Position()); };
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(20, 4));
    QTest::mouseMove(&slider, QPoint(46, 4));
    QTest::mouseMove(&slider, QPoint(79, 30)); // outside the band, but already tracking
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(79, 30));
    EXPECT_EQ(log, QStringList({"begin 0", "changed 20", "changed 40", "stop 40"}));
    EXPECT_EQ(At(66, 5), QColor(Qt::green));

    // A click on the thumb keeps the position; a click beside it goes there.
    log.clear();
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(70, 4));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(70, 4));
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(150, 4));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(150, 4));
    EXPECT_EQ(log, QStringList({"begin 40", "stop 40", "begin 40", "changed 83", "stop 83"}));
}

TEST(LxSlider, CreatedWithTheDefaultPicturesAndAutosizeTakesTheRulerSize) {
    TLxSlider slider;
    EXPECT_EQ(slider.size(), QSize(191, 11));
    EXPECT_EQ(slider.ImageThumb().size(), QSize(52, 8));
    EXPECT_EQ(slider.ImageRuler().size(), QSize(191, 11));
    slider.resize(50, 50);
    QPixmap ruler(120, 9);
    ruler.fill(Qt::gray);
    slider.SetImageRuler(ruler);
    EXPECT_EQ(slider.size(), QSize(50, 50));
    slider.SetAutosize(true);
    EXPECT_EQ(slider.size(), QSize(120, 9));
    slider.SetImageRuler(QPixmap());
    EXPECT_EQ(slider.size(), QSize(120, 9));
}

} // namespace
