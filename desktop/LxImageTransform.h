#pragma once

#include "desktop/TransitionGeometry.h"
#include "skin/controls/LxMouseEvents.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

// Shows one of two pictures and animates the change to the other: each
// step of Transform() draws one frame of TransformType, and after Steps
// steps the other picture is shown and OnFinished raised.
class TLxImageTransform : public QWidget, public TLxMouseEvents {
    Q_OBJECT
public:
    explicit TLxImageTransform(QWidget* parent = nullptr);

    // When on and Picture1 is not empty, the control takes Picture1's size.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // 1 or 2; other values are ignored.
    int ImageShown() const { return imageShown_; }
    void SetImageShown(int value);
    // Milliseconds per step, kept within 1 to 1000.
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    const QPixmap& Picture1() const { return picture1_; }
    void SetPicture1(const QPixmap& picture);
    const QPixmap& Picture2() const { return picture2_; }
    void SetPicture2(const QPixmap& picture);
    int Steps() const { return steps_; }
    void SetSteps(int value) { steps_ = value; }
    TTransType TransformType() const { return transformType_; }
    void SetTransformType(TTransType value) { transformType_ = value; }

    // Starts one transition from the shown picture to the other.
    void Transform();
    bool Transforming() const { return stepTimer_.isActive(); }
    int StepCount() const { return stepCount_; }

    TNotifyEvent OnFinished;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Step();
    void FitToPicture();
    const QPixmap& ShownPicture() const { return imageShown_ == 1 ? picture1_ : picture2_; }
    const QPixmap& IncomingPicture() const { return imageShown_ == 1 ? picture2_ : picture1_; }

    QPixmap picture1_;
    QPixmap picture2_;
    QTimer stepTimer_;
    TTransType transformType_ = TTransType::ttWipeLeft;
    int imageShown_ = 1;
    int interval_ = 1;
    int steps_ = 10;
    int stepCount_ = 0;
    bool autoSize_ = false;
};
