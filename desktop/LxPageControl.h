#pragma once

#include "skin/controls/HintColorSwap.h"
#include "skin/controls/LxEvents.h"

#include <QColor>
#include <QTabWidget>

// A page control whose tooltips, while the pointer is over it, use its own
// HintColor; it also reports changes of its parent's colour.
class TLxPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TLxPageControl(QWidget* parent = nullptr);

    QColor HintColor() const { return hintColor_; }
    void SetHintColor(const QColor& value) { hintColor_ = value; }
    QColor SavedHintColor() const { return hintSwap_.SavedHintColor(); }

    // Background colour of the control.
    QColor Color() const;
    void SetColor(const QColor& value);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnParentColorChange;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    HintColorSwap hintSwap_;
    QColor hintColor_;
};
