#include "desktop/LxImageTransform.h"
#include "desktop/LxPageControl.h"
#include "desktop/optionsform.h"
#include "skin/controls/HintColorSwap.h"
#include "skin/controls/LxBitBtn.h"
#include "tests/desktop/QtPrinters.h"
#include "tests/desktop/ScopedEnvironment.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

TEST(LxPageControl, SwapsTheHintColourWhileHovered) {
    TLxPageControl pages;
    const QColor before = HintColorSwap::ApplicationHintColor();
    pages.SetHintColor(QColor(1, 2, 3));
    QStringList log;
    pages.OnMouseEnter = [&](QObject*) { log << HintColorSwap::ApplicationHintColor().name(); };
    pages.OnMouseLeave = [&](QObject*) { log << HintColorSwap::ApplicationHintColor().name(); };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&pages, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&pages, &leave);
    EXPECT_EQ(log, QStringList({"#010203", before.name()}));
}

TEST(Toptionsform, ShowingStartsTheTwoPicturesAndClosingStopsThem) {
    Toptionsform form;
    EXPECT_EQ(form.LxPageControl1->count(), 4);
    EXPECT_EQ(form.LxImageTransform1->TransformType(), TTransType::ttTurnDown);
    EXPECT_NE(form.LxImageTransform1->Picture1().toImage(), form.LxImageTransform1->Picture2().toImage());
    EXPECT_FALSE(form.Timer1->isActive());
    form.show();
    EXPECT_TRUE(form.Timer1->isActive());
    form.close();
    EXPECT_FALSE(form.Timer1->isActive());
    form.show();
    EXPECT_TRUE(form.Timer1->isActive());

    form.Timer1Timer();
    EXPECT_TRUE(form.LxImageTransform1->Transforming());
}

// The association itself is tested in AssociateExtensionTest.cpp.
TEST(Toptionsform, AssociateButtonRegistersTheProgramTwiceWithoutError) {
    QTemporaryDir home;
    ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    environment.Set("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));

    Toptionsform form;
    form.LxBitBtn1->click();
    EXPECT_NO_THROW(form.LxBitBtn1Click());
    QFile entry(home.filePath("data/applications/Tessaly-Aerin.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    EXPECT_TRUE(entry.readAll().contains("Exec=\"" + program + "\" %f"));
}
