#include "skin/controls/LxBitBtn.h"

#include "ControlEvents.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QPixmap Filled(QColor color) {
    QPixmap pixmap(8, 8);
    pixmap.fill(color);
    return pixmap;
}

bool SameImage(const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); }

TEST(LxBitBtn, HoverShowsGlyphOnEnterBoldAndHintColourAndLeavingUndoesThem) {
    const QColor appHint = HintColorSwap::ApplicationHintColor();
    TLxBitBtn button;
    button.SetCaption("&Associate File Types (MP* && M3U)");
    button.SetGlyph(Filled(Qt::red));
    button.SetGlyphOnEnter(Filled(Qt::green));
    button.SetHintColor(Qt::cyan);
    QStringList log;
    button.OnMouseEnter = [&](QObject*) { log << (button.font().bold() ? "enter bold" : "enter"); };
    button.OnMouseLeave = [&](QObject*) { log << (button.font().bold() ? "leave bold" : "leave"); };

    SendEnter(&button);
    EXPECT_TRUE(SameImage(button.Glyph(), Filled(Qt::green)));
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::cyan));
    SendEnter(&button); // must not put GlyphOnEnter aside as the normal glyph
    SendLeave(&button);
    EXPECT_TRUE(SameImage(button.Glyph(), Filled(Qt::red)));
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), appHint);
    EXPECT_EQ(log, QStringList({"enter bold", "enter bold", "leave"}));

    // Without effects only the hint colour changes.
    button.SetFontEffect(false);
    button.SetGlyphOnEnter(QPixmap());
    SendEnter(&button);
    EXPECT_FALSE(button.font().bold());
    EXPECT_TRUE(SameImage(button.Glyph(), Filled(Qt::red)));
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::cyan));
    SendLeave(&button);
}

TEST(LxBitBtn, ClickDropsTheMenuDownBelowTheButtonAndLeavesWhenItCloses) {
    QWidget window;
    window.resize(200, 100);
    TLxBitBtn button;
    button.setParent(&window);
    button.setGeometry(10, 20, 80, 25);
    window.show();
    QMenu menu;
    menu.addAction("&Open");
    button.SetDropDownMenu(&menu);
    QStringList log;
    button.OnClick = [&](QObject*) { log << (menu.isVisible() ? "click, menu up" : "click"); };
    button.OnMouseLeave = [&](QObject*) { log << "leave"; };

    SendEnter(&button);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), button.mapToGlobal(QPoint(0, button.height())));
    EXPECT_TRUE(button.font().bold());
    menu.hide();
    EXPECT_FALSE(button.font().bold());
    EXPECT_EQ(log, QStringList({"click", "leave"}));

    button.SetDropDownMenu(nullptr);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(log, QStringList({"click", "leave", "click"}));
}

} // namespace
