#pragma once

#include <QPoint>
#include <QSize>

// Position, geometry and pointer rules of a slider, apart from its widget.
// Position stays within 0 ... Maximum; Scale is the pixels of thumb travel per
// position unit. A press starts a drag and shows the pressed thumb; moves with
// the left button down then drag the thumb once the pointer is (or has been)
// within the thumb's band across the track; a release ends the drag.
class SliderModel {
public:
    int Maximum() const { return maximum_; }
    // A negative maximum is taken as 0.
    void SetMaximum(int value);
    int Position() const { return position_; }
    void SetPosition(int value);

    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool value) { horizontal_ = value; }
    QSize SliderSize() const { return sliderSize_; }
    void SetSliderSize(QSize value) { sliderSize_ = value; }
    // Size of one thumb picture (half of the thumb pair).
    QSize ThumbSize() const { return thumbSize_; }
    void SetThumbSize(QSize value) { thumbSize_ = value; }

    // (extent along the track - thumb extent) / Maximum; 0 while Maximum is 0.
    double Scale() const;
    // Top-left corner of the thumb inside the slider.
    QPoint ThumbOrigin() const;

    bool Dragging() const { return dragging_; }
    bool Tracking() const { return tracking_; }
    // The pressed thumb is shown while a button is down.
    bool ThumbSwapped() const { return thumbSwapped_; }

    void Press();
    // True when the move dragged the thumb (the position followed the pointer).
    bool Move(QPoint pointer, bool leftButtonDown);
    // A left press away from the thumb: the thumb jumps to centre on the
    // pointer and the drag follows the pointer from there. True when the
    // position changed.
    bool JumpTo(QPoint pointer);
    void Release();

private:
    int maximum_ = 100;
    int position_ = 0;
    bool horizontal_ = true;
    QSize sliderSize_;
    QSize thumbSize_;
    bool dragging_ = false;
    bool tracking_ = false;
    bool thumbSwapped_ = false;
};
