#pragma once

#include "skin/controls/LxMouseEvents.h"
#include "skin/controls/SliderModel.h"

#include <QPixmap>
#include <QWidget>

// A skinned slider: ImageRuler stretched over the whole control as the track,
// and a thumb from ImageThumb, a pair of pictures side by side (left normal,
// right pressed). A press shows the pressed thumb and raises OnBeginChange;
// dragging with the left button raises OnChanged as Position follows the
// pointer; the release raises OnStopChanged.
class TLxSlider : public QWidget, public TLxMouseEvents {
    Q_OBJECT
public:
    explicit TLxSlider(QWidget* parent = nullptr);

    QPixmap ImageRuler() const { return imageRuler_; }
    void SetImageRuler(const QPixmap& value);
    QPixmap ImageThumb() const { return imageThumb_; }
    // Splits the pair into the normal and the pressed thumb.
    void SetImageThumb(const QPixmap& value);

    // When on, the slider takes the size of a non-empty ruler.
    bool Autosize() const { return autosize_; }
    void SetAutosize(bool value);
    bool Horizontal() const { return model_.Horizontal(); }
    void SetHorizontal(bool value);
    // Negative values are taken as 0.
    int Maximum() const { return model_.Maximum(); }
    void SetMaximum(int value);
    // Clamped to 0 ... Maximum; ignored while the user drags the thumb.
    int Position() const { return model_.Position(); }
    void SetPosition(int value);

    TNotifyEvent OnBeginChange;
    TNotifyEvent OnChanged;
    TNotifyEvent OnStopChanged;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitToRuler();
    void BeginChange();

    SliderModel model_;
    QPixmap imageRuler_;
    QPixmap imageThumb_;
    QPixmap thumbNormal_;
    QPixmap thumbPressed_;
    bool autosize_ = false;
};
