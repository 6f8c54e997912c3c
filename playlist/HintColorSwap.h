#pragma once

#include <QColor>

// Shows a control's own hint colour while the pointer is over it: Enter saves
// the application's tooltip background colour and installs `hint`; Leave puts
// the saved colour back.
class THintColorSwap {
public:
    static QColor ApplicationHintColor();

    void Enter(const QColor& hint);
    void Leave();

private:
    QColor saved_;
    bool entered_ = false;
};
