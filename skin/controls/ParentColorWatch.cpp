#include "skin/controls/ParentColorWatch.h"

#include <QPalette>
#include <QWidget>

bool ParentColorWatch::Changed(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    const QColor now = parent ? parent->palette().color(QPalette::Window) : QColor();
    const bool changed = last_.isValid() && now.isValid() && now != last_;
    last_ = now;
    return changed;
}
