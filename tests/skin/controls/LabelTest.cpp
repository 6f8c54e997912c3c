#include "skin/controls/LxHotLink.h"
#include "skin/controls/LxLabel.h"
#include "skin/controls/LxMailTo.h"

#include "ControlEvents.h"
#include "LinkCatcher.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(LxLabel, HoverSwapsFontAndHintColoursAndLeavingRestoresBoth) {
    const QColor appHint = HintColorSwap::ApplicationHintColor();
    TLxLabel label;
    label.SetFontColor(Qt::blue);
    label.SetColorOnEnter(Qt::red);
    label.SetHintColor(Qt::green);
    int entered = 0;
    int left = 0;
    label.OnMouseEnter = [&](QObject* sender) {
        EXPECT_EQ(sender, &label);
        EXPECT_EQ(label.FontColor(), QColor(Qt::red)); // raised after the hover work
        ++entered;
    };
    label.OnMouseLeave = [&](QObject*) { ++left; };

    SendEnter(&label);
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(Qt::green));
    SendEnter(&label); // a second entry changes nothing but is still reported
    SendLeave(&label);
    EXPECT_EQ(label.FontColor(), QColor(Qt::blue));
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), appHint);
    SendLeave(&label);
    EXPECT_EQ(label.FontColor(), QColor(Qt::blue));
    EXPECT_EQ(entered, 2);
    EXPECT_EQ(left, 2);

    // Without ColorChange the font colour stays.
    label.OnMouseEnter = nullptr;
    label.SetColorChange(false);
    SendEnter(&label);
    EXPECT_EQ(label.FontColor(), QColor(Qt::blue));
    SendLeave(&label);
}

TEST(LxLabel, CaptionIsShownAsPlainText) {
    TLxLabel label;
    label.SetCaption("<b>Song</b> & title");
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.Caption(), "<b>Song</b> & title");
}

TEST(LxLabel, ClickIsALeftPressAndReleaseInside) {
    TLxLabel label;
    label.SetAutoSize(false);
    label.resize(40, 20);
    QStringList log;
    label.OnClick = [&](QObject*) { log << "click"; };
    label.OnMouseDown = [&](QObject*, Qt::MouseButton b, TShiftState, int x, int y) {
        log << QString("down %1 %2,%3").arg(int(b)).arg(x).arg(y);
    };
    label.OnMouseUp = [&](QObject*, Qt::MouseButton b, TShiftState, int, int) { log << QString("up %1").arg(int(b)); };

    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(5, 6));
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(60, 6));
    EXPECT_EQ(log, QStringList({"down 1 5,6", "click", "up 1", "down 2 5,6", "up 2", "down 1 5,6", "up 1"}));
}

TEST(LxLabel, ReportsColourChangesOfItsParentOnly) {
    QWidget parent;
    auto* label = new TLxLabel(&parent);
    int changes = 0;
    label->OnParentColorChange = [&](QObject* sender) {
        EXPECT_EQ(sender, label);
        ++changes;
    };
    label->SetColor(Qt::darkRed);
    label->SetFontColor(Qt::white);
    EXPECT_EQ(changes, 0);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, Qt::darkGreen);
    parent.setPalette(palette);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(label->Color(), QColor(Qt::darkRed));
}

TEST(LxHotLink, ClickOpensTheUrlAfterOnClickAndNothingWhenEmptyOrMalformed) {
    LinkCatcher links;
    TLxHotLink link;
    link.SetCaption("Aerin's Site");
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(2, 2));
    link.SetUrl("http://[::1");
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(links.opened.isEmpty());

    link.SetUrl("https://example.org/aerin");
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    link.OnClick = [&](QObject*) { EXPECT_TRUE(links.opened.isEmpty()); };
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(links.opened, QStringList({"https://example.org/aerin"}));
}

TEST(LxMailTo, ClickOpensAMailToTheDestinator) {
    LinkCatcher links;
    TLxMailTo mail;
    mail.SetCaption("Tessaly");
    mail.SetMailDestinator("tessaly@example.org");
    mail.SetMailSubject("Tessaly Aerin");
    EXPECT_EQ(mail.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(&mail, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(links.opened, QStringList({"mailto:tessaly@example.org?SUBJECT=Tessaly%20Aerin"}));
}

TEST(MailToAddress, NonEmptyFieldsFollowInOrderAndValuesCannotBreakTheAddressApart) {
    EXPECT_EQ(MailToAddress({"a@b.org", "", "", ""}), "mailto:a@b.org");
    EXPECT_EQ(MailToAddress({"a@b.org", "Hi", "c@d.org", "e@f.org"}),
              "mailto:a@b.org?SUBJECT=Hi&BCC=c@d.org&CC=e@f.org");
    EXPECT_EQ(MailToAddress({"a@b.org", "", "", "e@f.org,g@h.org"}), "mailto:a@b.org?CC=e@f.org,g@h.org");
    EXPECT_EQ(MailToAddress({"a@b.org", "", "c@d.org", ""}), "mailto:a@b.org?BCC=c@d.org");
    EXPECT_EQ(MailToAddress({"a@b.org", "Q&A? #1 100%", "", "x@y.org"}),
              "mailto:a@b.org?SUBJECT=Q%26A%3F%20%231%20100%25&CC=x@y.org");
    EXPECT_EQ(MailToAddress({"a@b.org?CC=z@z.org", "", "", ""}), "mailto:a@b.org%3FCC%3Dz@z.org");
}

} // namespace
