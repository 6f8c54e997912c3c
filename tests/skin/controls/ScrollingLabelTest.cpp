#include "skin/controls/LxScrollingLabel.h"
#include "skin/controls/ScrollingText.h"

#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Ten pixels per character.
int Width(const QString& s) { return int(s.size() * 10); }

TEST(ScrollingText, PaddedWithSpacesToTheLabelWidthUnlessNoGrapAtMostTenThousand) {
    EXPECT_EQ(WorkTextOf("abc", false, 100, Width), "abc       ");
    EXPECT_EQ(WorkTextOf("abc", false, 95, Width), "abc       ");
    EXPECT_EQ(WorkTextOf("abcdefghijkl", false, 100, Width), "abcdefghijkl");
    EXPECT_EQ(WorkTextOf("abc", true, 100, Width), "abc ");
    EXPECT_EQ(WorkTextOf("", true, 100, Width), " ");
    EXPECT_EQ(WorkTextOf("abc", false, 100, [](const QString&) { return 0; }).size(), 3 + 10000);
    // Text with a line feed gets one more in front.
    EXPECT_EQ(ScrollingTextOf("one\ntwo"), "\none\ntwo");
    EXPECT_EQ(ScrollingTextOf("one"), "one");
}

// A label thousands of pixels wide used to measure the text once per space.
TEST(ScrollingText, PaddingMeasuresAHandfulOfTimesWhateverTheWidth) {
    int measured = 0;
    const auto counting = [&](const QString& s) {
        ++measured;
        return int(s.size() * 7 + (s.size() > 3 ? 1 : 0)); // not quite additive
    };
    const QString work = WorkTextOf("abc", false, 7000, counting);
    EXPECT_GE(counting(work), 7000);
    EXPECT_LT(counting(work.left(work.size() - 1)), 7000);
    EXPECT_LE(measured, 6);
}

TEST(ScrollingText, EachStepMovesOneCharacterRound) {
    EXPECT_EQ(ScrolledOnce("abc ", sdRightToLeft), "bc a");
    EXPECT_EQ(ScrolledOnce("abc ", sdLeftToRight), " abc");
    EXPECT_EQ(ScrolledOnce("", sdLeftToRight), "");
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    EXPECT_EQ(ScrolledOnce(clef + "ab", sdRightToLeft), "ab" + clef);
    EXPECT_EQ(ScrolledOnce("ab" + clef, sdLeftToRight), clef + "ab");
}

TEST(LxScrollingLabel, TextIsPaddedToTheWidthAndScrollsRound) {
    TLxScrollingLabel label;
    label.resize(100, 12);
    label.SetText("abc");
    EXPECT_EQ(label.Text(), "abc");
    EXPECT_EQ(label.Caption(), "abc");
    const QFontMetrics metrics(label.font());
    const QString work = label.WorkText();
    ASSERT_TRUE(work.startsWith("abc "));
    EXPECT_EQ(work.trimmed(), "abc");
    EXPECT_GE(metrics.horizontalAdvance(work), 100);
    EXPECT_LT(metrics.horizontalAdvance(work.chopped(1)), 100);

    label.SetScrollDirection(sdRightToLeft);
    label.Scroll();
    EXPECT_EQ(label.Caption(), work.mid(1) + "a");
    EXPECT_EQ(label.Text(), "abc");

    label.SetNoGrap(true);
    EXPECT_EQ(label.WorkText(), "abc ");

    label.SetNoGrap(false); // resizing pads again
    label.show();
    label.resize(300, 12);
    EXPECT_GE(metrics.horizontalAdvance(label.WorkText()), 300);
}

TEST(LxScrollingLabel, ItsTimerScrollsWhileScrollingIsOn) {
    TLxScrollingLabel label;
    label.resize(60, 12);
    label.SetNoGrap(true);
    label.SetText("abc");
    label.SetScrollDirection(sdRightToLeft);
    label.SetScrollInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return label.Caption() != "abc"; }, 10000));

    label.SetNoGrap(false); // empty text does not scroll
    label.resize(0, 12);
    label.SetText("");
    label.Scroll();
    EXPECT_EQ(label.Caption(), "");
}

} // namespace
