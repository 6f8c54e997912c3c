#pragma once

#include "playlist/HorizontalExtent.h"
#include "playlist/PlaylistModel.h"
#include "skin/controls/HintColorSwap.h"
#include "skin/controls/LxEvents.h"

#include <QColor>
#include <QListWidget>

#include <functional>

using TListboxChange = std::function<void(QObject* Sender, const QString& item)>;
using TKeyEvent = std::function<void(QObject* Sender, int key)>;

// Multi-selection list box that is also the playlist: each line shows a
// track's display text and carries its TPlaylistItem. The lines live in a
// TPlaylistModel; this widget shows them and forwards the operations.
class TLxPlaylist : public QListWidget {
    Q_OBJECT
public:
    explicit TLxPlaylist(QWidget* parent = nullptr);

    const TPlaylistModel& Model() const { return model_; }

    int Count() const { return model_.Count(); }
    const QString& DisplayText(int index) const { return model_.Text(index); }
    bool Selected(int index) const { return model_.Selected(index); }
    void SetSelected(int index, bool selected);
    int SelCount() const { return model_.SelectedCount(); }

    // Caret line; for this multi-selection list it is also the item index.
    int CareIndex() const { return model_.CareIndex(); }
    void SetCareIndex(int index);
    int ItemIndex() const { return CareIndex(); }
    void SetItemIndex(int index) { SetCareIndex(index); }
    // The line last started (see TPlaylistModel::PlayingIndex), marked in
    // the list.
    int PlayingIndex() const { return model_.PlayingIndex(); }
    TPlayingPlace PlayingPlace() const { return model_.PlayingPlace(); }
    void SetPlayingIndex(int index);

    bool ShowNumbers() const { return model_.ShowNumbers(); }
    void SetShowNumbers(bool value) { model_.SetShowNumbers(value); }
    bool HScrollbar() const { return hScrollbar_; }
    void SetHScrollbar(bool value);
    // The 3-D look is the sunken frame.
    bool Ctl3D() const;
    void SetCtl3D(bool value);
    QColor HintColor() const { return hintColor_; }
    void SetHintColor(const QColor& value) { hintColor_ = value; }
    // Width in pixels of the widest line, the horizontal scroll extent.
    int HorizontalExtent() { return extent_.Widest(); }

    void AddItem(const QString& path) { model_.AddItem(path); }
    void AddItems(const QStringList& paths) { model_.AddItems(paths); }
    void AddEntries(const TPlaylistEntries& entries) { model_.AddEntries(entries); }
    // Path of line `index`, scrolling the list so that the line is on top.
    // An index outside the list throws std::out_of_range.
    QString GetItem(int index);

    void SelectAll() { model_.SelectAll(); }
    void UnselectAll() { model_.UnselectAll(); }
    void ReverseSelection() { model_.ReverseSelection(); }

    void DeleteItem(int index) { model_.DeleteItem(index); }
    void DeleteSelection();
    void DeleteAllButSelection();
    void DeleteAll();
    void DeleteDeadFiles();

    void SortByPath() { model_.SortByPath(); }
    void SortByPathInverted() { model_.SortByPathInverted(); }
    void SortBySongname() { model_.SortBySongname(); }
    void SortBySongnameInverted() { model_.SortBySongnameInverted(); }
    void ReverseOrder() { model_.ReverseOrder(); }
    void RandomOrder() { model_.RandomOrder(); }
    void MoveSelectedUp() { model_.MoveSelectedUp(); }
    void MoveSelectedDown() { model_.MoveSelectedDown(); }
    void RefreshDisplayTexts() { model_.RefreshDisplayTexts(); }
    void SetNowPlaying(int index, const QString& title) { model_.SetNowPlaying(index, title); }
    void SetTrackInfo(int index, const QString& title, int seconds) { model_.SetTrackInfo(index, title, seconds); }

    // Throw std::runtime_error naming the file on failure.
    void SavePlaylist(const QString& fileName) const { model_.SavePlaylist(fileName); }
    void LoadPlaylist(const QString& fileName) { model_.LoadPlaylist(fileName); }
    // The lines stay as they were when the playlist cannot be read.
    void ReplaceWithPlaylist(const QString& fileName);

    TListboxChange OnAddString;    // after a line was appended, with its text
    TListboxChange OnDeleteString; // before a line is deleted, with its text
    TNotifyEvent OnChange;         // after every append and every delete
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnCtl3DChanged;
    TNotifyEvent OnParentColorChange; // the parent's background colour changed
    TNotifyEvent OnSelectCancel;      // the list was moved
    TNotifyEvent OnDblClick;
    TKeyEvent OnKeyDown;      // before the list's own key handling
    TNotifyEvent OnReordered; // the user dragged lines to another place

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Lines dragged within the list move there; other drops (files) are
    // left to the window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void updateGeometries() override;

private:
    // Lines come and go through the playlist operations only, so that the
    // view and the model always hold the same lines.
    using QListWidget::addItem;
    using QListWidget::addItems;
    using QListWidget::clear;
    using QListWidget::insertItem;
    using QListWidget::insertItems;
    using QListWidget::sortItems;
    using QListWidget::takeItem;

    void LineAdded(int index);
    void LineDeleting(int index);
    void LineDeleted(int index);
    void LineChanged(int index);
    void ShowAllLines();
    void ShowCaret();
    void TakeSelectionFromView();
    // Runs an operation that may delete or add many lines; the view takes
    // them in one rebuild at the end rather than one by one.
    void DeleteMany(const std::function<void()>& walk);
    void RebuildView();

    TPlaylistModel model_;
    THorizontalExtent extent_;
    HintColorSwap hintSwap_;
    QColor hintColor_;
    bool hScrollbar_ = true;
    bool showingModel_ = false;   // the view is being updated from the model
    bool rebuildPending_ = false; // inside DeleteMany
};
