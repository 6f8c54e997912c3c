#pragma once

#include <QColor>

// The hint colour swap of the hover-aware controls: while the pointer is over a
// control, tooltips use that control's hint colour; leaving puts back the
// colour saved on entry. Entering twice without leaving keeps the first saved
// colour, leaving without entering does nothing, and a control destroyed while
// hovered puts the saved colour back.
class HintColorSwap {
public:
    HintColorSwap() = default;
    HintColorSwap(const HintColorSwap&) = delete;
    HintColorSwap& operator=(const HintColorSwap&) = delete;
    ~HintColorSwap();

    void Enter(const QColor& hintColor);
    void Leave();

    bool Active() const { return active_; }
    QColor SavedHintColor() const { return saved_; }

    // The application-wide tooltip background colour.
    static QColor ApplicationHintColor();
    static void SetApplicationHintColor(const QColor& color);
    // The system's tooltip background colour, default of every HintColor.
    static QColor SystemHintColor();

private:
    QColor saved_;
    bool active_ = false;
};
