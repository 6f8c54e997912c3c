#include "skin/controls/SliderModel.h"

#include <algorithm>
#include <cmath>

namespace {

// Largest coordinate across the track at which a move can start a drag.
constexpr int kLargestBandCoordinate = 255;

// Nearest integer, halves to even.
int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

} // namespace

void SliderModel::SetMaximum(int value) {
    maximum_ = std::max(value, 0);
    SetPosition(position_);
}

void SliderModel::SetPosition(int value) { position_ = std::clamp(value, 0, maximum_); }

double SliderModel::Scale() const {
    if (maximum_ == 0) return 0.0;
    const int travel =
        horizontal_ ? sliderSize_.width() - thumbSize_.width() : sliderSize_.height() - thumbSize_.height();
    return double(travel) / maximum_;
}

QPoint SliderModel::ThumbOrigin() const {
    const int along = RoundHalfEven(position_ * Scale());
    if (horizontal_) return {along, std::max((sliderSize_.height() - thumbSize_.height()) / 2, 0)};
    return {std::max((sliderSize_.width() - thumbSize_.width()) / 2, 0), along};
}

void SliderModel::Press() {
    dragging_ = true;
    thumbSwapped_ = true;
}

bool SliderModel::Move(QPoint pointer, bool leftButtonDown) {
    if (!dragging_ || !leftButtonDown) return false;
    const int across = horizontal_ ? pointer.y() : pointer.x();
    const int along = horizontal_ ? pointer.x() : pointer.y();
    const int thumbAcross = horizontal_ ? thumbSize_.height() : thumbSize_.width();
    const int thumbAlong = horizontal_ ? thumbSize_.width() : thumbSize_.height();
    const bool inBand = across >= 0 && across <= thumbAcross && across <= kLargestBandCoordinate;
    if (!inBand && !tracking_) return false;
    const int offset = along - thumbAlong / 2;
    if (offset <= 0) return false;
    tracking_ = true;
    const double scale = Scale();
    // No travel per unit means any offset reaches the end of the track.
    const double target = scale == 0.0 ? maximum_ : std::clamp(offset / scale, 0.0, double(maximum_));
    SetPosition(RoundHalfEven(target));
    return true;
}

bool SliderModel::JumpTo(QPoint pointer) {
    const int along = horizontal_ ? pointer.x() : pointer.y();
    const int thumbAlong = horizontal_ ? thumbSize_.width() : thumbSize_.height();
    const int thumbStart = horizontal_ ? ThumbOrigin().x() : ThumbOrigin().y();
    if (along >= thumbStart && along < thumbStart + thumbAlong) return false;
    tracking_ = true;
    const double scale = Scale();
    if (scale == 0.0) return false;
    const int before = position_;
    SetPosition(RoundHalfEven(std::clamp((along - thumbAlong / 2) / scale, 0.0, double(maximum_))));
    return position_ != before;
}

void SliderModel::Release() {
    dragging_ = false;
    tracking_ = false;
    thumbSwapped_ = false;
}
