#include "desktop/LxDragDrop.h"

#include "desktop/DroppedPaths.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {

bool CarriesLocalFiles(const QMimeData* data) {
    return data && data->hasUrls() && !LocalDropPaths(data->urls()).isEmpty();
}

// Dropped files are only read: the drop is a copy or a link, never a move
// (after a move the file manager would delete the files).
bool AcceptAsCopy(QDropEvent* event) {
    const Qt::DropActions possible = event->possibleActions();
    if (possible & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (possible & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    event->accept();
    return true;
}

} // namespace

TLxDragDrop::TLxDragDrop(QObject* owner) : QObject(owner), owner_(qobject_cast<QWidget*>(owner)) {
    if (!owner_) {
        acceptDrag_ = false;
        return;
    }
    ownerAcceptedDrops_ = owner_->acceptDrops();
    owner_->installEventFilter(this);
    owner_->setAcceptDrops(acceptDrag_);
}

TLxDragDrop::~TLxDragDrop() {
    if (owner_) {
        owner_->removeEventFilter(this);
        owner_->setAcceptDrops(ownerAcceptedDrops_);
    }
}

void TLxDragDrop::SetAcceptDrag(bool value) {
    if (!owner_) return;
    acceptDrag_ = value;
    owner_->setAcceptDrops(value);
}

bool TLxDragDrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched != owner_ || !acceptDrag_) return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!CarriesLocalFiles(drag->mimeData()) || !AcceptAsCopy(drag)) drag->ignore();
        return true;
    }
    case QEvent::Drop: HandleDrop(static_cast<QDropEvent*>(event)); return true;
    default: return QObject::eventFilter(watched, event);
    }
}

void TLxDragDrop::HandleDrop(QDropEvent* event) {
    droppedFiles_.clear();
    const QMimeData* data = event->mimeData();
    if (data && data->hasUrls()) droppedFiles_ = LocalDropPaths(data->urls());
    if (droppedFiles_.isEmpty() || !AcceptAsCopy(event)) {
        droppedFiles_.clear();
        event->ignore();
        return;
    }
    if (OnDrop) OnDrop(this, event->position().toPoint(), droppedFiles_);
}
