#include "playlist/LxControls.h"

#include "playlist/PlaylistLineDelegate.h"
#include "skin/controls/ParentColorWatch.h"

#include <QDropEvent>

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <QtGlobal>

TLxPlaylist::TLxPlaylist(QWidget* parent)
    : QListWidget(parent),
      extent_(model_, [this](const QString& text) { return fontMetrics().horizontalAdvance(text); }),
      hintColor_(HintColorSwap::SystemHintColor()) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    new ParentColorWatch(this, [this] { Raise(OnParentColorChange, this); });

    model_.OnAdded = [this](int index) { LineAdded(index); };
    model_.OnDeleting = [this](int index) { LineDeleting(index); };
    model_.OnDeleted = [this](int index) { LineDeleted(index); };
    model_.OnLinesChanged = [this] { ShowAllLines(); };
    model_.OnLineChanged = [this](int index) { LineChanged(index); };

    setItemDelegate(new TPlaylistLineDelegate(*this));
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);

    connect(this, &QListWidget::itemSelectionChanged, this, [this] { TakeSelectionFromView(); });
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showingModel_) model_.SetCareIndex(row);
    });
}

void TLxPlaylist::LineAdded(int index) {
    const QString text = model_.Text(index); // a copy: handlers may change the list
    if (!rebuildPending_) {
        showingModel_ = true;
        addItem(text);
        showingModel_ = false;
    }
    extent_.LineAdded(text);
    Raise(OnAddString, this, text);
    Raise(OnChange, this);
}

void TLxPlaylist::LineDeleting(int index) {
    const QString text = model_.Text(index); // a copy: handlers may change the list
    extent_.LineDeleting(text);
    Raise(OnDeleteString, this, text);
}

// Every delete is followed by a refresh that puts the selection back from the
// model; without a selection in the view, removing rows stays cheap.
void TLxPlaylist::LineDeleted(int index) {
    if (!rebuildPending_) {
        showingModel_ = true;
        selectionModel()->clearSelection();
        delete takeItem(index);
        showingModel_ = false;
        ShowCaret();
    }
    Raise(OnChange, this);
}

void TLxPlaylist::LineChanged(int index) {
    showingModel_ = true;
    item(index)->setText(model_.Text(index));
    showingModel_ = false;
    extent_.Invalidate();
}

void TLxPlaylist::SetPlayingIndex(int index) {
    model_.SetPlayingIndex(index);
    viewport()->update();
}

void TLxPlaylist::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QListWidget::dragEnterEvent(event);
}

void TLxPlaylist::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QListWidget::dragMoveEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

// The model moves the lines and the view is rewritten from it; the view's
// own move is not made.
void TLxPlaylist::dropEvent(QDropEvent* event) {
    if (event->source() != this) {
        event->ignore();
        return;
    }
    const QModelIndex at = indexAt(event->position().toPoint());
    int target = at.isValid() ? at.row() : Count();
    if (at.isValid() && dropIndicatorPosition() == QAbstractItemView::BelowItem) ++target;
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    TakeSelectionFromView();
    model_.MoveSelectedTo(target);
    Raise(OnReordered, this);
}

void TLxPlaylist::DeleteMany(const std::function<void()>& walk) {
    struct TRebuildAtEnd {
        TLxPlaylist* list;
        ~TRebuildAtEnd() {
            list->rebuildPending_ = false;
            list->RebuildView();
        }
    };
    rebuildPending_ = true;
    const TRebuildAtEnd rebuild{this};
    walk();
}

void TLxPlaylist::DeleteSelection() {
    DeleteMany([this] { model_.DeleteSelection(); });
}

void TLxPlaylist::DeleteAllButSelection() {
    DeleteMany([this] { model_.DeleteAllButSelection(); });
}

void TLxPlaylist::DeleteAll() {
    DeleteMany([this] { model_.DeleteAll(); });
}

void TLxPlaylist::DeleteDeadFiles() {
    DeleteMany([this] { model_.DeleteDeadFiles(); });
}

void TLxPlaylist::ReplaceWithPlaylist(const QString& fileName) {
    DeleteMany([this, &fileName] { model_.ReplaceWithPlaylist(fileName); });
}

// Replaces all rows of the view with the model's lines, keeping the scroll
// position.
void TLxPlaylist::RebuildView() {
    const int scrolled = verticalScrollBar()->value();
    QStringList texts;
    texts.reserve(model_.Count());
    for (int i = 0; i < model_.Count(); ++i) texts.append(model_.Text(i));
    showingModel_ = true;
    QListWidget::clear();
    addItems(texts);
    showingModel_ = false;
    ShowAllLines();
    verticalScrollBar()->setValue(scrolled);
}

void TLxPlaylist::ShowCaret() {
    showingModel_ = true;
    const int caret = model_.CareIndex();
    selectionModel()->setCurrentIndex(caret < 0 ? QModelIndex() : model()->index(caret, 0),
                                      QItemSelectionModel::NoUpdate);
    showingModel_ = false;
}

// Writes every line's text and selection from the model into the view; the
// selection goes over in one piece, as ranges of adjacent selected lines.
void TLxPlaylist::ShowAllLines() {
    if (rebuildPending_) return;
    const int count = model_.Count();
    bool rewritten = false;
    QItemSelection selection;
    showingModel_ = true;
    {
        // One layout afterwards instead of one per changed text.
        const QSignalBlocker quiet(model());
        for (int i = 0; i < count; ++i) {
            QListWidgetItem* line = item(i);
            if (line->text() != model_.Text(i)) {
                line->setText(model_.Text(i));
                rewritten = true;
            }
        }
    }
    for (int first = 0; first < count; ++first) {
        if (!model_.Selected(first)) continue;
        int last = first;
        while (last + 1 < count && model_.Selected(last + 1)) ++last;
        selection.select(model()->index(first, 0), model()->index(last, 0));
        first = last;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    showingModel_ = false;
    ShowCaret();
    if (rewritten) {
        extent_.Invalidate();
        doItemsLayout();
        viewport()->update();
    }
}

void TLxPlaylist::TakeSelectionFromView() {
    if (showingModel_) return;
    for (int i = 0; i < model_.Count(); ++i) model_.SetSelected(i, item(i)->isSelected());
}

void TLxPlaylist::SetSelected(int index, bool selected) {
    model_.SetSelected(index, selected);
    showingModel_ = true;
    item(index)->setSelected(selected);
    showingModel_ = false;
}

void TLxPlaylist::SetCareIndex(int index) {
    model_.SetCareIndex(index);
    ShowCaret();
}

QString TLxPlaylist::GetItem(int index) {
    const QString path = model_.Path(index);
    scrollToItem(item(index), QAbstractItemView::PositionAtTop);
    return path;
}

bool TLxPlaylist::Ctl3D() const { return frameShape() != QFrame::NoFrame; }

void TLxPlaylist::SetCtl3D(bool value) {
    if (value == Ctl3D()) return;
    setFrameShape(value ? QFrame::StyledPanel : QFrame::NoFrame);
    Raise(OnCtl3DChanged, this);
}

void TLxPlaylist::SetHScrollbar(bool value) {
    hScrollbar_ = value;
    setHorizontalScrollBarPolicy(value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    updateGeometries();
}

// The horizontal scroll range follows the widest line rather than the view's
// own estimate.
void TLxPlaylist::updateGeometries() {
    QListWidget::updateGeometries();
    if (!hScrollbar_) return;
    const int page = viewport()->width();
    horizontalScrollBar()->setPageStep(page);
    horizontalScrollBar()->setRange(0, qMax(0, extent_.Widest() - page));
}

void TLxPlaylist::enterEvent(QEnterEvent* event) {
    QListWidget::enterEvent(event);
    hintSwap_.Enter(hintColor_);
    Raise(OnMouseEnter, this);
}

void TLxPlaylist::leaveEvent(QEvent* event) {
    QListWidget::leaveEvent(event);
    hintSwap_.Leave();
    Raise(OnMouseLeave, this);
}

void TLxPlaylist::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        extent_.Invalidate();
        updateGeometries();
    }
}

void TLxPlaylist::moveEvent(QMoveEvent* event) {
    QListWidget::moveEvent(event);
    Raise(OnSelectCancel, this);
}

void TLxPlaylist::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    Raise(OnDblClick, this);
}

void TLxPlaylist::keyPressEvent(QKeyEvent* event) {
    Raise(OnKeyDown, this, event->key());
    QListWidget::keyPressEvent(event);
}
