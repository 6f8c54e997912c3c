#include "playlist/LxControls.h"

#include "skin/controls/ParentColorWatch.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <QtGlobal>

TLxPlaylist::TLxPlaylist(QWidget* parent)
    : QListWidget(parent),
      extent_(model_, [this](const QString& text) { return fontMetrics().horizontalAdvance(text); }),
      hintColor_(HintColorSwap::SystemHintColor())
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    new ParentColorWatch(this, [this] { Raise(OnParentColorChange, this); });

    model_.OnAdded = [this](int index) { LineAdded(index); };
    model_.OnDeleting = [this](int index) { LineDeleting(index); };
    model_.OnDeleted = [this](int index) { LineDeleted(index); };
    model_.OnLinesChanged = [this] { ShowAllLines(); };

    connect(this, &QListWidget::itemSelectionChanged, this, [this] { TakeSelectionFromView(); });
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showingModel_)
            model_.SetCareIndex(row);
    });
}

void TLxPlaylist::LineAdded(int index)
{
    const QString text = model_.Text(index);  // a copy: handlers may change the list
    showingModel_ = true;
    addItem(text);
    showingModel_ = false;
    extent_.LineAdded(text);
    Raise(OnAddString, this, text);
    Raise(OnChange, this);
}

void TLxPlaylist::LineDeleting(int index)
{
    const QString text = model_.Text(index);  // a copy: handlers may change the list
    extent_.LineDeleting(text);
    Raise(OnDeleteString, this, text);
}

void TLxPlaylist::LineDeleted(int index)
{
    showingModel_ = true;
    delete takeItem(index);
    showingModel_ = false;
    ShowCaret();
    Raise(OnChange, this);
}

void TLxPlaylist::ShowCaret()
{
    showingModel_ = true;
    const int caret = model_.CareIndex();
    selectionModel()->setCurrentIndex(caret < 0 ? QModelIndex() : model()->index(caret, 0),
                                      QItemSelectionModel::NoUpdate);
    showingModel_ = false;
}

// Writes every line's text and selection from the model into the view.
void TLxPlaylist::ShowAllLines()
{
    bool rewritten = false;
    showingModel_ = true;
    for (int i = 0; i < model_.Count(); ++i) {
        QListWidgetItem* line = item(i);
        if (line->text() != model_.Text(i)) {
            line->setText(model_.Text(i));
            rewritten = true;
        }
        if (line->isSelected() != model_.Selected(i))
            line->setSelected(model_.Selected(i));
    }
    showingModel_ = false;
    ShowCaret();
    if (rewritten) {
        extent_.Invalidate();
        updateGeometries();
    }
}

void TLxPlaylist::TakeSelectionFromView()
{
    if (showingModel_)
        return;
    for (int i = 0; i < model_.Count(); ++i)
        model_.SetSelected(i, item(i)->isSelected());
}

void TLxPlaylist::SetSelected(int index, bool selected)
{
    model_.SetSelected(index, selected);
    showingModel_ = true;
    item(index)->setSelected(selected);
    showingModel_ = false;
}

void TLxPlaylist::SetCareIndex(int index)
{
    model_.SetCareIndex(index);
    ShowCaret();
}

QString TLxPlaylist::GetItem(int index)
{
    const QString path = model_.Path(index);
    scrollToItem(item(index), QAbstractItemView::PositionAtTop);
    return path;
}

bool TLxPlaylist::Ctl3D() const
{
    return frameShape() != QFrame::NoFrame;
}

void TLxPlaylist::SetCtl3D(bool value)
{
    if (value == Ctl3D())
        return;
    setFrameShape(value ? QFrame::StyledPanel : QFrame::NoFrame);
    Raise(OnCtl3DChanged, this);
}

void TLxPlaylist::SetHScrollbar(bool value)
{
    hScrollbar_ = value;
    setHorizontalScrollBarPolicy(value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    updateGeometries();
}

// The horizontal scroll range follows the widest line rather than the view's
// own estimate.
void TLxPlaylist::updateGeometries()
{
    QListWidget::updateGeometries();
    if (!hScrollbar_)
        return;
    const int page = viewport()->width();
    horizontalScrollBar()->setPageStep(page);
    horizontalScrollBar()->setRange(0, qMax(0, extent_.Widest() - page));
}

void TLxPlaylist::enterEvent(QEnterEvent* event)
{
    QListWidget::enterEvent(event);
    hintSwap_.Enter(hintColor_);
    Raise(OnMouseEnter, this);
}

void TLxPlaylist::leaveEvent(QEvent* event)
{
    QListWidget::leaveEvent(event);
    hintSwap_.Leave();
    Raise(OnMouseLeave, this);
}

void TLxPlaylist::changeEvent(QEvent* event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        extent_.Invalidate();
        updateGeometries();
    }
}

void TLxPlaylist::moveEvent(QMoveEvent* event)
{
    QListWidget::moveEvent(event);
    Raise(OnSelectCancel, this);
}

void TLxPlaylist::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    Raise(OnDblClick, this);
}

void TLxPlaylist::keyPressEvent(QKeyEvent* event)
{
    Raise(OnKeyDown, this, event->key());
    QListWidget::keyPressEvent(event);
}
