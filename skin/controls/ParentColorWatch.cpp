#include "skin/controls/ParentColorWatch.h"

#include <QEvent>
#include <QPalette>
#include <QWidget>

ParentColorWatch::ParentColorWatch(QWidget* control, std::function<void()> changed)
    : QObject(control), control_(control), changed_(std::move(changed)) {
    control_->installEventFilter(this);
    Attach();
}

void ParentColorWatch::Attach() {
    if (parent_) parent_->removeEventFilter(this);
    parent_ = control_->parentWidget();
    if (parent_) {
        parent_->installEventFilter(this);
        last_ = parent_->palette().color(QPalette::Window);
    }
}

bool ParentColorWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control_ && event->type() == QEvent::ParentChange) {
        Attach();
    } else if (watched == parent_ && event->type() == QEvent::PaletteChange) {
        const QColor now = parent_->palette().color(QPalette::Window);
        if (now != last_) {
            last_ = now;
            changed_();
        }
    }
    return false;
}
