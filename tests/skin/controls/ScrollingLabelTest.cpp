#include "skin/controls/LxScrollingLabel.h"
#include "skin/controls/ScrollingText.h"

#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Ten pixels per character.
int Width(const QString& s)
{
    return int(s.size() * 10);
}

TEST(ScrollingText, PaddedWithSpacesToTheLabelWidthUnlessNoGrap)
{
    EXPECT_EQ(WorkTextOf("abc", false, 100, Width), "abc       ");
    EXPECT_EQ(WorkTextOf("abc", false, 95, Width), "abc       ");
    EXPECT_EQ(WorkTextOf("abcdefghijkl", false, 100, Width), "abcdefghijkl");
    EXPECT_EQ(WorkTextOf("abc", true, 100, Width), "abc ");
    EXPECT_EQ(WorkTextOf("", true, 100, Width), " ");
}

TEST(ScrollingText, PaddingStopsAtTenThousandSpaces)
{
    const QString work = WorkTextOf("abc", false, 100, [](const QString&) { return 0; });
    EXPECT_EQ(work.size(), 3 + 10000);
}

TEST(ScrollingText, TextWithALineFeedGetsOneMoreInFront)
{
    EXPECT_EQ(ScrollingTextOf("one\ntwo"), "\none\ntwo");
    EXPECT_EQ(ScrollingTextOf("one"), "one");
}

TEST(ScrollingText, EachStepMovesOneCharacterRound)
{
    EXPECT_EQ(ScrolledOnce("abc ", sdRightToLeft), "bc a");
    EXPECT_EQ(ScrolledOnce("abc ", sdLeftToRight), " abc");
    EXPECT_EQ(ScrolledOnce("", sdLeftToRight), "");
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    EXPECT_EQ(ScrolledOnce(clef + "ab", sdRightToLeft), "ab" + clef);
    EXPECT_EQ(ScrolledOnce("ab" + clef, sdLeftToRight), clef + "ab");
}

TEST(LxScrollingLabel, TextIsPaddedToTheWidthAndScrollsRound)
{
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
}

TEST(LxScrollingLabel, ResizingPadsAgain)
{
    TLxScrollingLabel label;
    label.show();
    label.resize(10, 12);
    label.SetText("abc");
    const qsizetype narrow = label.WorkText().size();
    label.resize(300, 12);
    EXPECT_GT(label.WorkText().size(), narrow);
    EXPECT_GE(QFontMetrics(label.font()).horizontalAdvance(label.WorkText()), 300);
}

TEST(LxScrollingLabel, ItsTimerScrollsWhileScrollingIsOn)
{
    TLxScrollingLabel label;
    label.resize(60, 12);
    label.SetNoGrap(true);
    label.SetText("abc");
    label.SetScrollDirection(sdRightToLeft);
    label.SetScrollInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return label.Caption() != "abc"; }, 10000));
}

TEST(LxScrollingLabel, EmptyTextDoesNotScroll)
{
    TLxScrollingLabel label;
    label.resize(0, 12);
    label.SetText("");
    label.Scroll();
    EXPECT_EQ(label.Caption(), "");
}

} // namespace
