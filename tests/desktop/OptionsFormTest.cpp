#include "desktop/LxImageTransform.h"
#include "desktop/LxPageControl.h"
#include "desktop/optionsform.h"
#include "skin/controls/HintColorSwap.h"
#include "skin/controls/LxBitBtn.h"
#include "skin/controls/LxHotLink.h"
#include "skin/controls/LxMailTo.h"
#include "tests/desktop/QtPrinters.h"
#include "tests/desktop/ScopedEnvironment.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

TEST(LxPageControl, SwapsTheHintColourWhileHovered)
{
    TLxPageControl pages;
    EXPECT_EQ(pages.HintColor(), HintColorSwap::SystemHintColor());
    const QColor before = HintColorSwap::ApplicationHintColor();
    pages.SetHintColor(QColor(1, 2, 3));
    int entered = 0, left = 0;
    pages.OnMouseEnter = [&](QObject* sender) {
        EXPECT_EQ(sender, &pages);
        ++entered;
    };
    pages.OnMouseLeave = [&](QObject*) { ++left; };

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&pages, &enter);
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), QColor(1, 2, 3));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&pages, &leave);
    EXPECT_EQ(HintColorSwap::ApplicationHintColor(), before);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);

    pages.SetColor(QColor(10, 20, 30));
    EXPECT_EQ(pages.Color(), QColor(10, 20, 30));
}

TEST(Toptionsform, LayoutPagesAndCredits)
{
    Toptionsform form;
    EXPECT_EQ(form.windowTitle(), "Options Window");
    EXPECT_TRUE(form.windowFlags() & Qt::Tool);
    EXPECT_EQ(form.size(), QSize(388, 258));
    ASSERT_EQ(form.LxPageControl1->count(), 4);
    EXPECT_EQ(form.LxPageControl1->tabText(0), "&Setup");
    EXPECT_EQ(form.LxPageControl1->tabText(1), "&Visualization");
    EXPECT_EQ(form.LxPageControl1->tabText(2), "S&kins");
    EXPECT_EQ(form.LxPageControl1->tabText(3), "&Credits");
    EXPECT_EQ(form.LxPageControl1->currentWidget(), form.TabSheet1);
    EXPECT_EQ(form.LxBitBtn1->geometry(), QRect(42, 8, 197, 25));
    EXPECT_EQ(form.LxBitBtn1->Caption(), "&Associate File Types (MP* && M3U)");
    EXPECT_EQ(form.LxImageTransform1->geometry(), QRect(2, 4, 223, 223));
    EXPECT_EQ(form.LxImageTransform1->TransformType(), TTransType::ttTurnDown);
    EXPECT_EQ(form.LxImageTransform1->Picture1().size(), QSize(223, 223));
    EXPECT_EQ(form.LxImageTransform1->Picture2().size(), QSize(223, 223));
    EXPECT_NE(form.LxImageTransform1->Picture1().toImage(), form.LxImageTransform1->Picture2().toImage());
    EXPECT_EQ(form.Label1->text(), "Coding:");
    EXPECT_TRUE(form.Label4->font().underline());
    EXPECT_FALSE(form.Label5->font().underline());
    EXPECT_EQ(form.Label5->pos(), QPoint(258, 146));
    EXPECT_EQ(form.LxMailTo3->pos(), QPoint(258, 96));
    EXPECT_EQ(form.LxMailTo1->MailSubject(), "Tessaly Aerin");
    EXPECT_EQ(form.Timer1->interval(), 2500);
    EXPECT_FALSE(form.Timer1->isActive());
}

TEST(Toptionsform, ShowingStartsThePicturesAndClosingStopsThem)
{
    Toptionsform form;
    form.show();
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(form.LxHotLink1->Caption(), "Aerin's Site");
    EXPECT_EQ(form.LxHotLink2->Caption(), "Korvane Software's Site");
    EXPECT_FALSE(form.LxHotLink1->Url().isEmpty());
    EXPECT_FALSE(form.LxMailTo2->MailDestinator().isEmpty());
    form.close();
    EXPECT_FALSE(form.Timer1->isActive());
    form.show();
    EXPECT_TRUE(form.Timer1->isActive());

    form.Timer1Timer();
    EXPECT_TRUE(form.LxImageTransform1->Transforming());
}

TEST(Toptionsform, AssociateButtonRegistersTheFourTypesTwiceWithoutError)
{
    QTemporaryDir home;
    ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    environment.Set("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));

    Toptionsform form;
    form.LxBitBtn1->click();
    QFile list(home.filePath("config/mimeapps.list"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    const QByteArray first = list.readAll();
    list.close();
    EXPECT_TRUE(first.contains("audio/mpeg=Tessaly-Aerin.desktop"));
    EXPECT_TRUE(first.contains("audio/x-mpegurl=Tessaly-Aerin.desktop"));
    EXPECT_NO_THROW(form.LxBitBtn1Click());
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), first);

    QFile entry(home.filePath("data/applications/Tessaly-Aerin.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    EXPECT_TRUE(entry.readAll().contains("Exec=\"" + program + "\" %f"));
}
