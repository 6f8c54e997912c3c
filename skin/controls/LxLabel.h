#pragma once

#include "skin/controls/HintColorSwap.h"
#include "skin/controls/LxCustomLabel.h"

// A label that, while hovered, shows its own tooltip colour and, with
// ColorChange on, draws its caption in ColorOnEnter.
class TLxLabel : public TLxCustomLabel {
    Q_OBJECT
public:
    explicit TLxLabel(QWidget* parent = nullptr);

    QColor ColorOnEnter() const { return colorOnEnter_; }
    void SetColorOnEnter(const QColor& value) { colorOnEnter_ = value; }
    bool ColorChange() const { return colorChange_; }
    void SetColorChange(bool value) { colorChange_ = value; }
    QColor HintColor() const { return hintColor_; }
    void SetHintColor(const QColor& value) { hintColor_ = value; }
    QColor SavedHintColor() const { return hintSwap_.SavedHintColor(); }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    HintColorSwap hintSwap_;
    QColor colorOnEnter_;
    QColor hintColor_;
    QColor savedFontColor_;
    bool colorChange_ = true;
    bool hovering_ = false;
};
