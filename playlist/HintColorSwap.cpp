#include "playlist/HintColorSwap.h"

#include <QPalette>
#include <QToolTip>

namespace {

void SetApplicationHintColor(const QColor& color)
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, color);
    QToolTip::setPalette(palette);
}

}  // namespace

QColor THintColorSwap::ApplicationHintColor()
{
    return QToolTip::palette().color(QPalette::ToolTipBase);
}

void THintColorSwap::Enter(const QColor& hint)
{
    saved_ = ApplicationHintColor();
    entered_ = true;
    SetApplicationHintColor(hint);
}

void THintColorSwap::Leave()
{
    if (!entered_)
        return;
    entered_ = false;
    SetApplicationHintColor(saved_);
}
