#pragma once

#include "playlist/PlaylistEntry.h"
#include "playlist/PlayingPlace.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// The record behind one playlist line.
struct TPlaylistItem {
    QString Path;     // full file path or URL, exactly as it was added
    QString Title;    // the title a playlist gave it, or "Artist – Title" from the tags
    int Seconds = -1; // the duration, -1 when unknown
    bool InfoRead = false;
};

// The playlist's lines: the record, the display text and the selection state
// of each line, the caret line, and every playlist operation. A list view shows
// it; the model itself needs no screen.
class TPlaylistModel {
public:
    // Notifications for the view that shows the model (all optional).
    std::function<void(int index)> OnAdded;       // after line `index` was appended
    std::function<void(int index)> OnDeleting;    // before line `index` is deleted
    std::function<void(int index)> OnDeleted;     // after line `index` was deleted
    std::function<void()> OnLinesChanged;         // texts, order or selection changed
    std::function<void(int index)> OnLineChanged; // the text or duration of one line changed

    int Count() const { return static_cast<int>(lines_.size()); }
    // Path and display text of a line; an index outside the list throws
    // std::out_of_range.
    const QString& Path(int index) const;
    const QString& Text(int index) const;
    const QString& Title(int index) const;
    QStringList Paths() const;

    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelectedCount() const;

    // The caret (focus) line, -1 when there is none. It stays on its line
    // when lines are reordered.
    int CareIndex() const { return careIndex_; }
    void SetCareIndex(int index);

    // The line last started. It is followed by identity through sorting,
    // moving and deleting; deleting it or emptying the list ends it.
    int PlayingIndex() const { return playing_.Removed ? -1 : playing_.Index; }
    TPlayingPlace PlayingPlace() const { return playing_; }
    void SetPlayingIndex(int index);

    bool ShowNumbers() const { return showNumbers_; }
    void SetShowNumbers(bool value);

    void AddItem(const QString& path, const QString& title = {});
    void AddItems(const QStringList& paths);
    void AddEntries(const TPlaylistEntries& entries);

    void SelectAll();
    void UnselectAll();
    void ReverseSelection();

    void DeleteItem(int index);
    void DeleteSelection();
    void DeleteAllButSelection();
    void DeleteAll();
    // Deletes the lines naming no existing file; addresses (URLs) stay.
    void DeleteDeadFiles();

    void SortByPath();
    void SortByPathInverted();
    void SortBySongname();
    void SortBySongnameInverted();
    void ReverseOrder();
    void RandomOrder();
    void MoveSelectedUp();
    void MoveSelectedDown();

    // M3U, M3U8 or PLS by the file's name (see PlaylistFile.h); saving writes
    // M3U with the lines' titles. Throws std::runtime_error naming the file
    // when it cannot be written or read; a failed load adds nothing.
    void SavePlaylist(const QString& fileName) const;
    void LoadPlaylist(const QString& fileName);
    // Reads the playlist first; only when that succeeded are the lines
    // replaced by its entries.
    void ReplaceWithPlaylist(const QString& fileName);

    // The title from a line's tags and its duration (-1 unknown), once read.
    void SetTrackInfo(int index, const QString& title, int seconds);
    int Seconds(int index) const;
    bool InfoRead(int index) const;
    // The sum of the known durations; `unknown` (when given) counts the
    // lines without one.
    qint64 TotalSeconds(int* unknown = nullptr) const;
    // Moves the selected lines, keeping their order, to stand just before
    // line `target` (Count() for the end); the caret and the playing line follow theirs.
    void MoveSelectedTo(int target);

    // Recomputes every display text from its record and position.
    void RefreshDisplayTexts();
    // What line `index` plays now (a radio stream's title): its display text
    // from then on, in place of its name; empty gives the name back. It is
    // not saved with the playlist. An index outside the list throws
    // std::out_of_range.
    void SetNowPlaying(int index, const QString& title);

    // Swaps two lines: record, text, selection, caret and playing mark travel
    // together.
    void Exchange(int a, int b);

private:
    struct TLine {
        TPlaylistItem Item;
        QString Text;
        bool Selected = false;
        QString NowPlaying;
    };

    void CheckIndex(int index) const;
    QString DisplayTextOf(const TLine& line, int position) const;
    void RemoveLine(int index);
    void DeleteWhere(const std::function<bool(const TLine&)>& goes);
    void SortBy(bool byPath, bool descending);
    void LinesChanged();

    // Lines are held by pointer so that deleting from a long list moves
    // pointers, not records.
    std::vector<std::unique_ptr<TLine>> lines_;
    int careIndex_ = -1;
    TPlayingPlace playing_;
    bool showNumbers_ = false;
};
