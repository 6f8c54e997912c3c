#include "skin/loader/LxAerinSkin.h"

#include "skin/controls/LxImage.h"
#include "skin/controls/LxSlider.h"
#include "skin/loader/SkinAboutBox.h"
#include "skin/loader/SkinColor.h"
#include "skin/loader/SkinFonts.h"
#include "skin/loader/SkinIni.h"
#include "skin/loader/SkinLayout.h"
#include "skin/loader/SkinStrings.h"
#include "skin/picture/PcxImagePlugin.h"
#include "skin/picture/WindowShape.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QWindow>

namespace {

using namespace skin_strings;

QRect NonNegative(const QRect& bounds) { return QRect(bounds.topLeft(), bounds.size().expandedTo({0, 0})); }

void ApplySlider(TLxSlider& slider, const TSkinSliderLayout& layout) {
    slider.SetHorizontal(!layout.Vertical);
    slider.setGeometry(NonNegative(layout.Bounds));
}

void ApplyLabel(TLxAerinLabelBase& label, const TSkinLabelLayout& layout) {
    label.SetTransparent(layout.Transparent);
    label.SetBounds(layout.Bounds);
    SubstituteMissingSkinFont(layout.Font);
    QFont font(layout.Font);
    font.setPointSize(FitSkinFontSize(layout.FontSize, layout.Bounds.height(),
                                      [&](int size) { return SkinFontSampleHeight(layout.Font, size); }));
    label.SetFont(font);
    const QPalette system = QGuiApplication::palette();
    label.SetFontColor(SkinColor(layout.Color, system));
    label.SetColor(SkinColor(layout.BkColor, system));
}

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

} // namespace

TLxAerinSkin::TLxAerinSkin(QWidget* owner) : QWidget(owner) {
    RegisterPcxImageFormat();
    m_options = std::make_unique<TLxAerinOption>([this] { ApplyOptions(); });

    m_mainImage = new TLxImage(this);
    m_mainImage->SetAutoSize(true);
    m_mainImage->move(0, 0);
    m_mainImage->OnMouseDown = [this](QObject*, Qt::MouseButton button, TShiftState, int x, int y) {
        DragPress(button, x, y);
    };
    m_mainImage->OnMouseMove = [this](QObject*, TShiftState, int x, int y) { DragMove(x, y); };
    m_mainImage->OnMouseUp = [this](QObject*, Qt::MouseButton button, TShiftState, int, int) { DragRelease(button); };

    m_labels = std::make_unique<TLxAerinLabels>(this);
    m_buttons = std::make_unique<TLxAerinButtons>(this);
    TLxAerinButton& move = m_buttons->Move();
    move.Control()->setMouseTracking(true);
    move.OnMouseDown() = [this](QObject* sender, Qt::MouseButton button, TShiftState shift, int x, int y) {
        MovePress(sender, button, shift, x, y);
    };
    move.OnMouseMove() = [this](QObject* sender, TShiftState shift, int x, int y) { MoveMove(sender, shift, x, y); };
    move.OnMouseUp() = [this](QObject*, Qt::MouseButton button, TShiftState, int, int) { DragRelease(button); };

    m_volume = std::make_unique<TLxAerinVolume>(this);
    m_position = std::make_unique<TLxAerinPosition>(this);

    m_labels->Status().SetCaption(kStatusCaption);
    m_labels->CurrentTime().SetCaption(kCurrentTimeCaption);
    m_labels->Layer().SetCaption(kLayerCaption);
    m_labels->Bitrate().SetCaption(kBitrateCaption);
    m_labels->Frequency().SetCaption(kFrequencyCaption);
    m_labels->Version().SetCaption(kVersionCaption);
    m_labels->SongName().SetCaption(kSongNameCaption);
    m_labels->TotalTime().SetCaption(kTotalTimeCaption);
    m_labels->TotalInfo().SetCaption(kTotalInfoCaption);

    ResetButtons();
    LoadDefaultSkin();
}

TLxAerinSkin::~TLxAerinSkin() {
    QWidget* owner = parentWidget() ? window() : nullptr;
    if (owner && owner->isVisible() && !QCoreApplication::closingDown()) {
        SetWindowFramed(true);
        owner->clearMask();
    }
}

void TLxAerinSkin::SetSkinFile(const QString& value) {
    if (value.isEmpty()) {
        LoadDefaultSkin();
        m_skinFile.clear();
        return;
    }
    QFile layoutFile(value);
    if (!QFileInfo(value).isFile() || !layoutFile.open(QIODevice::ReadOnly))
        throw ESkinError(QString(kCannotReadFile).arg(value).toStdString());
    const TSkinIni layout = TSkinIni::FromText(layoutFile.readAll());
    TSkinPictures pictures = LoadSkinDirectoryPictures(QFileInfo(value).absolutePath());
    m_skinFile = value;
    ApplySkin(std::move(pictures), layout, m_options->AutoSize());
}

void TLxAerinSkin::LoadDefaultSkin() {
    TSkinPictures pictures = LoadBuiltInSkinPictures();
    ApplySkin(std::move(pictures), TSkinIni::FromText(BuiltInSkinLayout()), true);
}

void TLxAerinSkin::ApplySkin(TSkinPictures pictures, const TSkinIni& layout, bool sizeToBackground) {
    m_pictures = std::move(pictures);
    ShowPicture(m_pictures.Back);
    if (sizeToBackground) resize(m_mainImage->size());
    ApplySkinIni(layout);
}

void TLxAerinSkin::ApplySkinIni(const TSkinIni& ini) {
    ResetButtons();
    const TSkinLayout layout = ReadSkinLayout(ini);
    for (int i = 0; i < kSkinButtonCount; ++i)
        (*m_buttons)[TSkinButton(i)].Control()->setGeometry(NonNegative(layout.Buttons[std::size_t(i)]));

    m_position->Control()->SetImageRuler(QPixmap::fromImage(m_pictures.PosRuler));
    m_position->Control()->SetImageThumb(QPixmap::fromImage(m_pictures.PosThumb));
    m_volume->Control()->SetImageRuler(QPixmap::fromImage(m_pictures.VolRuler));
    m_volume->Control()->SetImageThumb(QPixmap::fromImage(m_pictures.VolThumb));
    ApplySlider(*m_position->Control(), layout.Position);
    ApplySlider(*m_volume->Control(), layout.Volume);

    for (int i = 0; i < kSkinLabelCount; ++i) ApplyLabel((*m_labels)[TSkinLabel(i)], layout.Labels[std::size_t(i)]);

    if (!m_pictures.Over.isNull()) BuildHoverImages();
    ApplyOptions();
}

void TLxAerinSkin::ResetButtons() {
    for (int i = 0; i < kSkinButtonCount; ++i) {
        TLxImage* image = (*m_buttons)[TSkinButton(i)].Control();
        image->setGeometry(0, 0, 0, 0);
        image->SetEffectDownUp(false);
        image->SetEffectHighlight(false);
        image->SetEffectClick1(false);
        image->SetEffectClick2(false);
        image->SetPictureEnter(QPixmap());
    }
}

void TLxAerinSkin::BuildHoverImages() {
    for (int i = 0; i < kSkinButtonCount; ++i) {
        TLxImage* image = (*m_buttons)[TSkinButton(i)].Control();
        image->SetEffectHighlight(true);
        // Only the part over the sheet: a button reaching past it gets no
        // blank margin allocated.
        const QRect piece = image->geometry().intersected(m_pictures.Over.rect());
        image->SetPictureEnter(QPixmap::fromImage(m_pictures.Over.copy(piece)));
        image->SetPicture(QPixmap()); // nothing shown until the pointer enters
    }
}

void TLxAerinSkin::ApplyOptions() {
    if (m_options->AutoSize()) resize(m_pictures.Back.size());
    if (!parentWidget()) return;
    QWidget* owner = window();
    if (m_options->AutoRegion()) {
        // A frameless Qt window's client area starts at its outer corner, so
        // face and mask line up at (0, 0).
        move(0, 0);
        SetWindowFramed(false);
        owner->resize(size());
        owner->update();
        const QRegion region = RegionFromMask(m_pictures.Mask);
        if (region.isEmpty())
            owner->clearMask();
        else
            owner->setMask(region);
    } else {
        SetWindowFramed(true);
        owner->update();
        owner->clearMask();
    }
}

void TLxAerinSkin::SetWindowFramed(bool framed) {
    QWidget* owner = window();
    if (owner == this || owner->windowFlags().testFlag(Qt::FramelessWindowHint) == !framed) return;
    const bool visible = owner->isVisible();
    owner->setWindowFlag(Qt::FramelessWindowHint, !framed);
    if (visible) owner->show();
}

// As the face's resting picture, so that a click on the face, which shows
// the resting picture again, leaves it as it is.
void TLxAerinSkin::ShowPicture(const QImage& picture) {
    m_mainImage->SetPictureLeave(QPixmap::fromImage(picture));
    if (picture.isNull()) m_mainImage->resize(0, 0);
}

void TLxAerinSkin::Activate() { ShowPicture(m_pictures.Back); }

void TLxAerinSkin::Deactivate() {
    if (!m_pictures.Deact.isNull()) ShowPicture(m_pictures.Deact);
}

void TLxAerinSkin::ShowAbout() {
    if (const std::unique_ptr<QDialog> box = CreateSkinAboutBox(this, m_pictures.Info, m_pictures.AboutText))
        box->exec();
}

TNotifyEvent& TLxAerinSkin::OnVolumeChanged() { return m_volume->Control()->OnStopChanged; }
TNotifyEvent& TLxAerinSkin::OnPositionChanged() { return m_position->Control()->OnStopChanged; }
TNotifyEvent& TLxAerinSkin::OnVolumeChanging() { return m_volume->Control()->OnChanged; }
TNotifyEvent& TLxAerinSkin::OnPositionChanging() { return m_position->Control()->OnChanged; }

void TLxAerinSkin::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_popupMenu) {
        event->ignore();
        return;
    }
    m_popupMenu->popup(event->globalPos());
    event->accept();
}

void TLxAerinSkin::DragPress(Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton) return;
    m_dragging = true;
    m_dragOriginX = x;
    m_dragOriginY = y;
    // Wayland clients cannot place their windows: the compositor moves it.
    if (m_options->AutoMove() && OnWayland() && window()->windowHandle()) window()->windowHandle()->startSystemMove();
}

// Only a drag that began with a left press on the face or the Move button
// moves the window; a press elsewhere (a label, a slider) leaves no stale
// origin behind.
void TLxAerinSkin::DragMove(int x, int y) {
    if (!m_dragging || !QGuiApplication::mouseButtons().testFlag(Qt::LeftButton)) {
        m_dragging = false;
        return;
    }
    if (!m_options->AutoMove() || (x == m_dragOriginX && y == m_dragOriginY)) return;
    QWidget* owner = window();
    owner->move(owner->pos() + QPoint(x - m_dragOriginX, y - m_dragOriginY));
}

void TLxAerinSkin::DragRelease(Qt::MouseButton button) {
    if (button == Qt::LeftButton) m_dragging = false;
}

void TLxAerinSkin::MovePress(QObject* sender, Qt::MouseButton button, TShiftState shift, int x, int y) {
    DragPress(button, x, y);
    Raise(OnMoveDown, sender, button, shift, x, y);
}

void TLxAerinSkin::MoveMove(QObject* sender, TShiftState shift, int x, int y) {
    DragMove(x, y);
    Raise(OnMoveMove, sender, shift, x, y);
}
