#include "skin/controls/LxImage.h"

#include "skin/controls/WheelAccumulator.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <cstdlib>

TLxImage::TLxImage(QWidget* parent) : QLabel(parent), hintColor_(HintColorSwap::SystemHintColor()) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
}

void TLxImage::SetPicture(const QPixmap& value) {
    shown_ = value;
    setPixmap(value);
    if (autoSize_ && !value.isNull()) resize(value.size());
}

void TLxImage::SetAutoSize(bool value) {
    autoSize_ = value;
    if (autoSize_ && !shown_.isNull()) resize(shown_.size());
}

void TLxImage::SetPictureLeave(const QPixmap& value) {
    pictureLeave_ = value;
    SetPicture(value);
}

void TLxImage::SetPictureEnter(const QPixmap& value) {
    pictureEnter_ = value;
    if (pictureLeave_.isNull()) SetPicture(value);
}

void TLxImage::Show(ImagePicture picture) {
    switch (picture) {
    case ImagePicture::Leave: SetPicture(pictureLeave_); break;
    case ImagePicture::Enter: SetPicture(pictureEnter_); break;
    case ImagePicture::Clicked1: SetPicture(pictureClicked1_); break;
    case ImagePicture::Clicked2: SetPicture(pictureClicked2_); break;
    case ImagePicture::Down: SetPicture(pictureDown_); break;
    }
}

void TLxImage::SetState(int n) { Show(ImageClickCycle::PictureOfState(n)); }

void TLxImage::MakeClick() {
    Show(clickCycle_.Release(effectClick1_, effectClick2_));
    Raise(OnPositionChanged, this);
}

void TLxImage::MakeDown() {
    if (!effectDownUp_) return;
    Show(ImagePicture::Down);
    Raise(OnPositionChanged, this);
}

void TLxImage::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    hintSwap_.Enter(hintColor_);
    if (effectHighlight_) Show(ImagePicture::Enter);
    Raise(OnMouseEnter, this);
    Raise(OnPositionChanged, this);
}

void TLxImage::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    hintSwap_.Leave();
    if (effectHighlight_) Show(ImagePicture::Leave);
    Raise(OnMouseLeave, this);
    Raise(OnPositionChanged, this);
}

bool TLxImage::ChangesState(Qt::MouseButton button) {
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

void TLxImage::mousePressEvent(QMouseEvent* event) {
    event->accept();
    DispatchPress(this, event);
    if (ChangesState(event->button())) MakeDown();
}

void TLxImage::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    DispatchDoubleClick(this, event);
    if (ChangesState(event->button())) MakeDown();
}

void TLxImage::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    DispatchMove(this, event);
}

void TLxImage::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    DispatchRelease(this, event);
    if (ChangesState(event->button())) MakeClick();
}

void TLxImage::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    const TShiftState shift{event->modifiers(), event->buttons()};
    const QPoint mousePos = event->globalPosition().toPoint();
    bool handled = false;
    if (delta != 0) {
        Raise(OnMouseWheel, this, shift, delta, mousePos, handled);
        if (!handled) {
            const int notches = TakeWheelNotches(wheelAccumulator_, delta);
            const TMouseWheelUpDownEvent& handler = notches < 0 ? OnMouseWheelDown : OnMouseWheelUp;
            for (int i = 0; i < std::abs(notches); ++i) {
                bool notchHandled = false;
                Raise(handler, this, shift, mousePos, notchHandled);
                handled = handled || notchHandled;
            }
        }
    }
    // Unhandled turns go on to the parent.
    event->setAccepted(handled);
}
