#pragma once

#include "skin/controls/HintColorSwap.h"
#include "skin/controls/ImageClickCycle.h"
#include "skin/controls/LxMouseEvents.h"

#include <QLabel>
#include <QPixmap>
#include <cstdint>

// A picture control with hover and click pictures: with EffectHighlight it
// shows PictureEnter while hovered and PictureLeave otherwise; with
// EffectDownUp PictureDown while a button is down; releases cycle through
// PictureLeave, PictureClicked1 and PictureClicked2 as EffectClick1 and
// EffectClick2 allow. Wheel turns are counted in whole notches.
class TLxImage : public QLabel, public TLxMouseEvents {
    Q_OBJECT
public:
    explicit TLxImage(QWidget* parent = nullptr);

    // The picture shown now.
    QPixmap Picture() const { return shown_; }
    void SetPicture(const QPixmap& value);
    // When on, the control takes the size of every non-empty picture it shows.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // When on, the picture is stretched over the whole control.
    bool Stretch() const { return hasScaledContents(); }
    void SetStretch(bool value) { setScaledContents(value); }

    QColor HintColor() const { return hintColor_; }
    void SetHintColor(const QColor& value) { hintColor_ = value; }
    QColor SavedHintColor() const { return hintSwap_.SavedHintColor(); }

    QPixmap PictureLeave() const { return pictureLeave_; }
    // Also shows the picture.
    void SetPictureLeave(const QPixmap& value);
    QPixmap PictureEnter() const { return pictureEnter_; }
    // Also shows the picture while PictureLeave is empty.
    void SetPictureEnter(const QPixmap& value);
    QPixmap PictureClicked1() const { return pictureClicked1_; }
    void SetPictureClicked1(const QPixmap& value) { pictureClicked1_ = value; }
    QPixmap PictureClicked2() const { return pictureClicked2_; }
    void SetPictureClicked2(const QPixmap& value) { pictureClicked2_ = value; }
    QPixmap PictureDown() const { return pictureDown_; }
    void SetPictureDown(const QPixmap& value) { pictureDown_ = value; }

    bool EffectHighlight() const { return effectHighlight_; }
    void SetEffectHighlight(bool value) { effectHighlight_ = value; }
    bool EffectClick1() const { return effectClick1_; }
    void SetEffectClick1(bool value) { effectClick1_ = value; }
    bool EffectClick2() const { return effectClick2_; }
    void SetEffectClick2(bool value) { effectClick2_ = value; }
    bool EffectDownUp() const { return effectDownUp_; }
    void SetEffectDownUp(bool value) { effectDownUp_ = value; }

    int32_t WheelAccumulator() const { return wheelAccumulator_; }
    void SetWheelAccumulator(int32_t value) { wheelAccumulator_ = value; }

    // The click state, 0, 1 or 2.
    int GetState() const { return clickCycle_.State(); }
    // Shows the picture of state n (0 leave, 1 first click, 2 second click,
    // others down) without changing the click state.
    void SetState(int n);
    // What a button release does: the next click state and its picture.
    void MakeClick();
    // What a button press does: PictureDown with EffectDownUp.
    void MakeDown();

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    // After every pointer entry and leave, every MakeClick and every MakeDown
    // that shows PictureDown.
    TNotifyEvent OnPositionChanged;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Show(ImagePicture picture);
    static bool ChangesState(Qt::MouseButton button);

    HintColorSwap hintSwap_;
    ImageClickCycle clickCycle_;
    QColor hintColor_;
    QPixmap shown_;
    QPixmap pictureLeave_;
    QPixmap pictureEnter_;
    QPixmap pictureClicked1_;
    QPixmap pictureClicked2_;
    QPixmap pictureDown_;
    int32_t wheelAccumulator_ = 0;
    bool autoSize_ = false;
    bool effectHighlight_ = false;
    bool effectClick1_ = false;
    bool effectClick2_ = false;
    bool effectDownUp_ = false;
};
