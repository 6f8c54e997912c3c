#include "skin/controls/LxSlider.h"

#include "skin/controls/LxControlsStrings.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr QSize kCreationSize(191, 11);

} // namespace

TLxSlider::TLxSlider(QWidget* parent) : QWidget(parent) {
    resize(kCreationSize);
    model_.SetSliderSize(size());
    setMouseTracking(true);
    SetImageThumb(QPixmap(QString::fromLatin1(LxControlsStrings::kSliderThumbResource)));
    SetImageRuler(QPixmap(QString::fromLatin1(LxControlsStrings::kSliderRulerResource)));
}

void TLxSlider::SetImageRuler(const QPixmap& value) {
    imageRuler_ = value;
    FitToRuler();
    update();
}

void TLxSlider::SetImageThumb(const QPixmap& value) {
    imageThumb_ = value;
    const int half = value.width() / 2;
    const int h = value.height();
    thumbNormal_ = value.copy(0, 0, half, h);
    thumbPressed_ = value.copy(half, 0, half, h);
    model_.SetThumbSize(QSize(half, h));
    update();
}

void TLxSlider::SetAutosize(bool value) {
    autosize_ = value;
    FitToRuler();
}

void TLxSlider::FitToRuler() {
    if (autosize_ && !imageRuler_.isNull()) resize(imageRuler_.size());
}

void TLxSlider::SetHorizontal(bool value) {
    model_.SetHorizontal(value);
    update();
}

void TLxSlider::SetMaximum(int value) {
    model_.SetMaximum(value);
    if (!model_.Dragging()) update();
}

void TLxSlider::SetPosition(int value) {
    // While the user drags, the thumb is theirs: outside writes would move the
    // seek target away from where they let go.
    if (model_.Dragging()) return;
    model_.SetPosition(value);
    update();
}

void TLxSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!imageRuler_.isNull()) painter.drawPixmap(rect(), imageRuler_);
    const QPixmap& thumb = model_.ThumbSwapped() ? thumbPressed_ : thumbNormal_;
    if (!thumb.isNull()) painter.drawPixmap(model_.ThumbOrigin(), thumb);
}

void TLxSlider::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_.SetSliderSize(size());
    update();
}

void TLxSlider::BeginChange() {
    model_.Press();
    Raise(OnBeginChange, this);
    update();
}

void TLxSlider::mousePressEvent(QMouseEvent* event) {
    event->accept();
    DispatchPress(this, event);
    BeginChange();
    if (event->button() == Qt::LeftButton && model_.JumpTo(event->position().toPoint())) Raise(OnChanged, this);
}

void TLxSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    DispatchDoubleClick(this, event);
    BeginChange();
}

void TLxSlider::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    DispatchMove(this, event);
    if (!model_.Dragging()) return;
    if (model_.Move(event->position().toPoint(), event->buttons().testFlag(Qt::LeftButton))) Raise(OnChanged, this);
    update();
}

void TLxSlider::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    DispatchRelease(this, event);
    model_.Release();
    update();
    Raise(OnStopChanged, this);
}
