#include "desktop/LxImageTransform.h"

#include <QPainter>
#include <algorithm>

TLxImageTransform::TLxImageTransform(QWidget* parent) : QWidget(parent) {
    resize(105, 105);
    connect(&stepTimer_, &QTimer::timeout, this, &TLxImageTransform::Step);
}

void TLxImageTransform::SetAutoSize(bool value) {
    autoSize_ = value;
    FitToPicture();
}

void TLxImageTransform::SetImageShown(int value) {
    if (value != 1 && value != 2) return;
    imageShown_ = value;
    update();
}

void TLxImageTransform::SetInterval(int milliseconds) { interval_ = std::clamp(milliseconds, 1, 1000); }

void TLxImageTransform::SetPicture1(const QPixmap& picture) {
    picture1_ = picture;
    FitToPicture();
    update();
}

void TLxImageTransform::SetPicture2(const QPixmap& picture) {
    picture2_ = picture;
    update();
}

void TLxImageTransform::Transform() {
    stepCount_ = 0;
    stepTimer_.start(1);
}

// A step count that reaches or passes Steps ends the transition, so that a
// Steps of 0 or less ends it after one step instead of never.
void TLxImageTransform::Step() {
    stepTimer_.setInterval(interval_);
    ++stepCount_;
    update();
    if (stepCount_ >= steps_) {
        stepTimer_.stop();
        SetImageShown(imageShown_ == 1 ? 2 : 1);
        Raise(OnFinished, this);
    }
}

void TLxImageTransform::FitToPicture() {
    if (autoSize_ && !picture1_.isNull()) resize(picture1_.size());
}

// The frame is drawn over the shown picture: every frame covers what the
// frames before it drew, so this is what stepwise drawing leaves on screen.
void TLxImageTransform::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, ShownPicture());
    if (!stepTimer_.isActive() || stepCount_ < 1) return;
    const TransitionFrame frame = FrameGeometry(transformType_, stepCount_, steps_, picture1_.size());
    switch (frame.kind) {
    case TransitionFrame::Kind::Nothing: break;
    case TransitionFrame::Kind::Offset: painter.drawPixmap(frame.offset, IncomingPicture()); break;
    case TransitionFrame::Kind::Stretch: painter.drawPixmap(frame.target, IncomingPicture()); break;
    }
}

void TLxImageTransform::mousePressEvent(QMouseEvent* event) { DispatchPress(this, event); }

void TLxImageTransform::mouseDoubleClickEvent(QMouseEvent* event) { DispatchDoubleClick(this, event); }

void TLxImageTransform::mouseMoveEvent(QMouseEvent* event) { DispatchMove(this, event); }

void TLxImageTransform::mouseReleaseEvent(QMouseEvent* event) { DispatchRelease(this, event); }
