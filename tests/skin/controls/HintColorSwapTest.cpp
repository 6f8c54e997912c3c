#include "skin/controls/HintColorSwap.h"

#include <gtest/gtest.h>

namespace {

class HintColorSwapTest : public ::testing::Test {
protected:
    void SetUp() override { HintColorSwap::SetApplicationHintColor(Qt::yellow); }
    void TearDown() override { HintColorSwap::SetApplicationHintColor(original_); }

private:
    QColor original_ = HintColorSwap::ApplicationHintColor();
};

TEST_F(HintColorSwapTest, EnterShowsOwnColourAndLeaveRestoresTheSavedOneAlsoAcrossControls) {
    HintColorSwap a;
    HintColorSwap b;
    a.Enter(Qt::red);
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::red));
    EXPECT_EQ(a.SavedHintColor(), QColor(Qt::yellow));
    a.Leave();
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::yellow));
    b.Enter(Qt::green);
    EXPECT_EQ(b.SavedHintColor(), QColor(Qt::yellow));
    b.Leave();
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::yellow));
}

TEST_F(HintColorSwapTest, UnbalancedEnterLeaveOrDestructionNeverLoseTheApplicationColour) {
    {
        HintColorSwap swap;
        swap.Leave();
        EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::yellow));
        swap.Enter(Qt::red);
        swap.Enter(Qt::red);
        swap.Leave();
        EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::yellow));
        swap.Leave();
        EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::yellow));
        swap.Enter(Qt::red); // destroyed while hovered
    }
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::yellow));
}

} // namespace
