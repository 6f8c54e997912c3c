#include "skin/loader/LxAerinSkin.h"
#include "SkinDirectory.h"
#include "../controls/ControlEvents.h"

#include "skin/controls/LxImage.h"
#include "skin/controls/LxLabel.h"
#include "skin/controls/LxScrollingLabel.h"
#include "skin/controls/LxSlider.h"
#include "skin/picture/WindowShape.h"

#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct SkinOnWindow {
    QWidget window;
    TLxAerinSkin* skin = new TLxAerinSkin(&window);
};

std::string ErrorOf(TLxAerinSkin& skin, const QString& file) {
    try {
        skin.SetSkinFile(file);
    } catch (const ESkinError& error) {
        return error.what();
    }
    return "no error";
}

TEST(LxAerinSkin, StartsWithTheBuiltInSkin) {
    SkinOnWindow f;
    TLxAerinSkin& skin = *f.skin;
    EXPECT_TRUE(skin.SkinFile().isEmpty());
    EXPECT_EQ(skin.size(), QSize(451, 244));
    const TSkinPictures& p = skin.Pictures();
    EXPECT_EQ(p.Deact.size(), QSize(451, 244));
    EXPECT_EQ(p.Info.size(), QSize(137, 153));
    EXPECT_EQ(p.VolThumb.size(), QSize(52, 8));
    EXPECT_EQ(p.Over.size(), QSize(451, 244));
    EXPECT_FALSE(p.AboutText.isEmpty());

    EXPECT_EQ(skin.Buttons().Play().Control()->geometry(), QRect(250, 135, 15, 15));
    EXPECT_EQ(skin.Labels().SongName().Control()->geometry(), QRect(213, 59, 121, 8));
    EXPECT_EQ(skin.Labels().Status().Caption(), "Status");
    EXPECT_EQ(skin.Labels().SongName().Label()->Text(), "none");
    EXPECT_EQ(skin.Volume().Position(), 100);
    EXPECT_EQ(skin.Labels().SongName().Control()->Color(), QColor(142, 129, 25));
    EXPECT_EQ(skin.Labels().Status().Control()->FontColor(), QColor(0, 68, 87));
    EXPECT_TRUE(skin.Labels().Status().Transparent());

    // The built-in mask shapes the window from row two.
    const QRegion region = RegionFromMask(p.Mask);
    EXPECT_EQ(region.boundingRect().top(), 2);
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_TRUE(region.contains(QPoint(300, 100)));
}

TEST(LxAerinSkin, AutoRegionShapesTheOwnerAndTakesItsFrameUntilTheSkinGoes) {
    SkinOnWindow f;
    f.window.resize(100, 100);
    f.skin->Options().SetAutoRegion(true);
    EXPECT_EQ(f.window.size(), QSize(451, 244));
    EXPECT_EQ(f.skin->pos(), QPoint(0, 0));
    EXPECT_TRUE(f.window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(f.window.mask(), RegionFromMask(f.skin->Pictures().Mask));

    f.skin->Options().SetAutoRegion(false);
    EXPECT_FALSE(f.window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f.window.mask().isEmpty());

    f.skin->Options().SetAutoRegion(true);
    EXPECT_FALSE(f.window.mask().isEmpty());

    // Every option write applies the options.
    f.skin->Options().SetAutoSize(false);
    f.skin->resize(10, 10);
    f.skin->Options().SetEasyMove(true);
    EXPECT_EQ(f.skin->size(), QSize(10, 10));
    f.skin->Options().SetAutoSize(true);
    EXPECT_EQ(f.skin->size(), QSize(451, 244));

    // Removing the skin gives the window its frame back.
    f.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.window));
    delete f.skin;
    EXPECT_TRUE(f.window.isVisible());
    EXPECT_FALSE(f.window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f.window.mask().isEmpty());
}

TEST(LxAerinSkin, DirectoryWithOnlyABackgroundKeepsCaptionsAndSliderValues) {
    SkinOnWindow f;
    f.skin->Labels().Status().SetCaption("Hello");
    f.skin->Labels().SongName().SetCaption("Song");
    f.skin->Volume().SetMaximum(250);
    f.skin->Volume().SetPosition(42);
    SkinDirectory dir;
    dir.Bitmap("back.bmp", Filled(30, 20, qRgb(1, 2, 3)));
    const QString layout = dir.Layout("[Main]\nPlayLeft=0x20\nvolbarvertical=1\n");
    f.skin->SetSkinFile(layout);
    EXPECT_EQ(f.skin->SkinFile(), layout);
    const TSkinPictures& p = f.skin->Pictures();
    EXPECT_TRUE(p.Over.isNull());
    EXPECT_TRUE(p.Mask.isNull());
    EXPECT_TRUE(p.AboutText.isEmpty());
    EXPECT_EQ(p.PosRuler.size(), QSize(191, 11)); // built-in slider pictures
    EXPECT_EQ(p.VolThumb.size(), QSize(52, 8));
    EXPECT_EQ(f.skin->size(), QSize(30, 20));
    EXPECT_EQ(f.skin->Buttons().Play().Control()->x(), 32);
    EXPECT_FALSE(f.skin->Buttons().Play().Control()->EffectHighlight());
    EXPECT_FALSE(f.skin->Volume().Control()->Horizontal());
    EXPECT_TRUE(f.skin->Position().Control()->Horizontal());

    f.skin->Options().SetAutoRegion(true);
    EXPECT_TRUE(f.window.mask().isEmpty()); // no mask: rectangular window

    f.skin->SetSkinFile(QString());
    EXPECT_TRUE(f.skin->SkinFile().isEmpty());
    EXPECT_EQ(f.skin->size(), QSize(451, 244));
    // Captions and slider values survive the skin changes.
    EXPECT_EQ(f.skin->Labels().Status().Control()->Caption(), "Hello");
    EXPECT_EQ(f.skin->Labels().SongName().Label()->Text(), "Song");
    EXPECT_EQ(f.skin->Volume().Maximum(), 250);
    EXPECT_EQ(f.skin->Volume().Position(), 42);
}

// A face of 0 x 0 pixels would make the window vanish: such a skin is
// refused like a broken one.
TEST(LxAerinSkin, ASkinWithoutABackgroundIsRefused) {
    SkinOnWindow f;
    SkinDirectory dir;
    const QString layout = dir.Layout("[main]\nplayleft=1\n");
    EXPECT_NE(ErrorOf(*f.skin, layout).find("no background picture"), std::string::npos);
    dir.Write("back.bmp", "");
    EXPECT_NE(ErrorOf(*f.skin, layout).find("Bitmap image is not valid"), std::string::npos);
    dir.Write("back.bmp", "BM");
    EXPECT_NE(ErrorOf(*f.skin, layout).find("back.bmp"), std::string::npos);
    EXPECT_TRUE(f.skin->SkinFile().isEmpty());
    EXPECT_EQ(f.skin->size(), QSize(451, 244));
    EXPECT_EQ(f.skin->Buttons().Play().Control()->x(), 250);
}

// Skins made elsewhere name their pictures in any case and use BMP, JPEG
// or PCX files; the program's own skin folder is such a skin.
TEST(LxAerinSkin, PicturesAreFoundInAnyLetterCaseAndAnyOfTheFormats) {
    SkinOnWindow f;
    SkinDirectory dir;
    dir.Bitmap("Back.BMP", Filled(30, 20, qRgb(1, 2, 3)));
    dir.Bitmap("DEACT.bmp", Filled(30, 20, qRgb(4, 5, 6)));
    QImage jpeg = Filled(12, 7, qRgb(200, 200, 200));
    jpeg.save(dir.Path("PosThumb.jpg"), "JPEG");
    f.skin->SetSkinFile(dir.Layout());
    EXPECT_EQ(f.skin->size(), QSize(30, 20));
    EXPECT_EQ(f.skin->Pictures().Deact.pixel(0, 0), qRgb(4, 5, 6));
    EXPECT_EQ(f.skin->Pictures().PosThumb.size(), QSize(12, 7));

    const QString own = TAERIN_SOURCE_DIR "/skin/loader/default/main.ini";
    f.skin->SetSkinFile(own);
    EXPECT_EQ(f.skin->SkinFile(), own);
    EXPECT_EQ(f.skin->size(), QSize(451, 244));
    EXPECT_EQ(f.skin->Pictures().Mask.size(), QSize(451, 244)); // PCX
    EXPECT_EQ(f.skin->Pictures().Info.size(), QSize(137, 153)); // JPEG
    EXPECT_FALSE(f.skin->Pictures().AboutText.isEmpty());
}

TEST(LxAerinSkin, ButtonsShowTheirPieceOfTheHoverSheetOnlyWhileHovered) {
    SkinOnWindow f;
    SkinDirectory dir;
    dir.Bitmap("back.bmp", Filled(451, 244, qRgb(10, 10, 10)));
    const QImage over = Gradient(451, 244);
    dir.Bitmap("over.bmp", over);
    f.skin->SetSkinFile(dir.Layout("[main]\nplayleft=250\nplaytop=135\nplaywidth=15\nplayheight=15\n"));

    TLxImage* play = f.skin->Buttons().Play().Control();
    EXPECT_TRUE(play->EffectHighlight());
    EXPECT_TRUE(play->Picture().isNull());
    EXPECT_EQ(play->PictureEnter().toImage().convertToFormat(QImage::Format_RGB32), over.copy(250, 135, 15, 15));
    SendEnter(play);
    EXPECT_EQ(play->Picture().toImage().convertToFormat(QImage::Format_RGB32), over.copy(250, 135, 15, 15));
    SendLeave(play);
    EXPECT_TRUE(play->Picture().isNull());
}

TEST(LxAerinSkin, OutlandishLayoutValuesLoadWithoutHarm) {
    SkinOnWindow f;
    SkinDirectory dir;
    dir.Bitmap("back.bmp", Filled(40, 30, qRgb(1, 2, 3)));
    dir.Bitmap("over.bmp", Gradient(40, 30));
    f.skin->SetSkinFile(dir.Layout("[main]\nplayleft=-100\nplaytop=-2147483648\nplaywidth=99999999\n"
                                   "playheight=$7FFFFFFF\ninfofontsize=100000\ninfoheight=1\n"
                                   "songtitlefontsize=-5\ninfofont=\n"));
    const QPixmap piece = f.skin->Buttons().Play().Control()->PictureEnter();
    EXPECT_LE(piece.width(), 40);
    EXPECT_LE(piece.height(), 30);
    EXPECT_GE(f.skin->Labels().SongName().Font().pointSize(), 1);
}

TEST(LxAerinSkin, InactiveLookNeedsADeactPicture) {
    SkinOnWindow f;
    const qint64 active = f.skin->MainImage()->Picture().cacheKey();
    f.skin->Deactivate();
    EXPECT_NE(f.skin->MainImage()->Picture().cacheKey(), active);
    f.skin->Activate();

    SkinDirectory dir;
    dir.Bitmap("back.bmp", Filled(20, 10, qRgb(1, 2, 3)));
    f.skin->SetSkinFile(dir.Layout());
    const QImage back = f.skin->MainImage()->Picture().toImage();
    f.skin->Deactivate();
    EXPECT_EQ(f.skin->MainImage()->Picture().toImage(), back);
    EXPECT_EQ(f.skin->size(), QSize(20, 10));
}

TEST(LxAerinSkin, BrokenOrMissingSkinLeavesTheCurrentSkin) {
    SkinOnWindow f;
    f.skin->Labels().Status().SetCaption("Playing...");
    SkinDirectory dir;
    dir.Bitmap("back.bmp", Filled(20, 10, qRgb(1, 2, 3)));
    dir.Write("over.bmp", "BM this is no bitmap");
    const QString layout = dir.Layout("[main]\nplayleft=1\n");

    const std::string error = ErrorOf(*f.skin, layout);
    EXPECT_NE(error.find("Bitmap image is not valid"), std::string::npos) << error;
    EXPECT_NE(error.find("over.bmp"), std::string::npos) << error;
    EXPECT_TRUE(f.skin->SkinFile().isEmpty());
    EXPECT_EQ(f.skin->Pictures().Back.size(), QSize(451, 244));
    EXPECT_EQ(f.skin->Buttons().Play().Control()->x(), 250);

    EXPECT_NE(ErrorOf(*f.skin, "/nonexistent/main.ini").find("/nonexistent/main.ini"), std::string::npos);
    EXPECT_EQ(f.skin->size(), QSize(451, 244));
    EXPECT_EQ(f.skin->Labels().Status().Caption(), "Playing...");
}

TEST(LxAerinSkin, LabelFontsShrinkToTheirHeight) {
    SkinOnWindow f;
    SkinDirectory dir;
    dir.Bitmap("back.bmp", Filled(40, 30, qRgb(1, 2, 3)));
    f.skin->SetSkinFile(dir.Layout("[main]\ninfoheight=7\ninfofontsize=8\ninfowidth=100\n"
                                   "layerheight=0\nlayerfontsize=13\nlayerfont=Lingonvecka\n"));
    const QFont status = f.skin->Labels().Status().Font();
    EXPECT_LE(status.pointSize(), 8);
    if (status.pointSize() > 1) {
        QFont bigger = status;
        bigger.setPointSize(status.pointSize() + 1);
        const QString sample = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-*/|";
        EXPECT_LE(QFontMetrics(status).boundingRect(sample).height(), 7);
        EXPECT_GT(QFontMetrics(bigger).boundingRect(sample).height(), 7);
    }
    EXPECT_EQ(f.skin->Labels().Layer().Font().pointSize(), 13);
    EXPECT_EQ(f.skin->Labels().Layer().Font().family(), "Lingonvecka");
}

TEST(LxAerinSkin, EventsAreTheChildControlsOwnAndTheMoveButtonReportsItsDrag) {
    SkinOnWindow f;
    QObject* clicked = nullptr;
    f.skin->OnPlayClick() = [&](QObject* sender) { clicked = sender; };
    EXPECT_TRUE(f.skin->Buttons().Play().OnClick());
    QTest::mouseClick(f.skin->Buttons().Play().Control(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicked, f.skin->Buttons().Play().Control());

    QObject* labelClicked = nullptr;
    f.skin->OnStatusClick() = [&](QObject* sender) { labelClicked = sender; };
    QTest::mouseClick(f.skin->Labels().Status().Control(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(labelClicked, f.skin->Labels().Status().Control());

    EXPECT_FALSE(f.skin->OnVolumeChanged());
    f.skin->OnVolumeChanged() = [](QObject*) {};
    EXPECT_TRUE(f.skin->Volume().Control()->OnStopChanged);

    // The move button raises its press and move events.
    TLxImage* move = f.skin->Buttons().Move().Control();
    QObject* downSender = nullptr;
    QPoint downAt;
    int moves = 0;
    f.skin->OnMoveDown = [&](QObject* sender, Qt::MouseButton, TShiftState, int x, int y) {
        downSender = sender;
        downAt = QPoint(x, y);
    };
    f.skin->OnMoveMove = [&](QObject*, TShiftState, int, int) { ++moves; };
    QTest::mousePress(move, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseMove(move, QPoint(6, 7));
    QTest::mouseRelease(move, Qt::LeftButton, {}, QPoint(6, 7));
    EXPECT_EQ(downSender, move);
    EXPECT_EQ(downAt, QPoint(4, 5));
    EXPECT_GE(moves, 1);
}

TEST(LxAerinSkin, DraggingTheFaceMovesTheWindow) {
    SkinOnWindow f;
    f.window.move(100, 100);
    f.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.window));
    const QPoint start = f.window.pos();
    TLxImage* face = f.skin->MainImage();
    QTest::mousePress(face, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(face, QPoint(30, 25));
    QTest::mouseRelease(face, Qt::LeftButton, {}, QPoint(30, 25));
    EXPECT_EQ(f.window.pos(), start + QPoint(20, 15));

    f.skin->Options().SetAutoMove(false);
    const QPoint kept = f.window.pos();
    QTest::mousePress(face, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(face, QPoint(50, 50));
    QTest::mouseRelease(face, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(f.window.pos(), kept);
}

} // namespace
