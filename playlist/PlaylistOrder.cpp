// Reordering operations of TPlaylistModel: sorting, reversing, shuffling and
// moving the selected lines.
#include "playlist/PlaylistModel.h"

#include "playlist/DisplayText.h"
#include "playlist/NaturalOrder.h"
#include "playlist/SelectionSort.h"

#include <QByteArray>

#include <algorithm>
#include <random>

// Keys are the paths, or the song names in natural order (without the line
// numbers), as they stand before sorting; they travel with their lines.
void TPlaylistModel::SortBy(bool byPath, bool descending) {
    std::vector<QByteArray> keys;
    keys.reserve(lines_.size());
    for (const auto& line : lines_)
        keys.push_back(byPath ? line->Item.Path.toUtf8()
                              : NaturalSortKey(MakeDisplayText(line->Item.Path, line->Item.Title, 0, false)));
    SelectionSort(keys, descending, [this](int i, int m) { Exchange(i, m); });
    RefreshDisplayTexts();
}

void TPlaylistModel::SortByPath() { SortBy(true, false); }

void TPlaylistModel::SortByPathInverted() { SortBy(true, true); }

void TPlaylistModel::SortBySongname() { SortBy(false, false); }

void TPlaylistModel::SortBySongnameInverted() { SortBy(false, true); }

void TPlaylistModel::ReverseOrder() {
    const int count = Count();
    for (int i = 0; i < count / 2; ++i) Exchange(i, count - 1 - i);
    RefreshDisplayTexts();
}

// Every order equally likely (Fisher-Yates).
void TPlaylistModel::RandomOrder() {
    std::mt19937 generator(std::random_device{}());
    for (int i = Count() - 1; i > 0; --i) Exchange(i, std::uniform_int_distribution<int>(0, i)(generator));
    RefreshDisplayTexts();
}

void TPlaylistModel::MoveSelectedUp() {
    if (Count() == 0 || SelectedCount() == 0 || lines_.front()->Selected) return;
    for (int index = 1; index < Count(); ++index) {
        if (lines_[index]->Selected) Exchange(index, index - 1);
    }
    RefreshDisplayTexts();
}

void TPlaylistModel::MoveSelectedDown() {
    if (Count() == 0 || SelectedCount() == 0 || lines_.back()->Selected) return;
    for (int index = Count() - 2; index >= 0; --index) {
        if (lines_[index]->Selected) Exchange(index, index + 1);
    }
    RefreshDisplayTexts();
}

// The caret and the playing line travel with their lines.
void TPlaylistModel::MoveSelectedTo(int target) {
    target = std::clamp(target, 0, Count());
    const auto lineAt = [this](int index) { return index >= 0 ? lines_[index].get() : nullptr; };
    const TLine* caret = lineAt(careIndex_);
    const TLine* playing = playing_.Removed ? nullptr : lineAt(playing_.Index);
    std::vector<std::unique_ptr<TLine>> moved;
    std::vector<std::unique_ptr<TLine>> staying;
    int insertAt = 0;
    for (int i = 0; i < Count(); ++i) {
        if (lines_[i]->Selected) {
            moved.push_back(std::move(lines_[i]));
        } else {
            if (i < target) ++insertAt;
            staying.push_back(std::move(lines_[i]));
        }
    }
    staying.insert(staying.begin() + insertAt, std::make_move_iterator(moved.begin()),
                   std::make_move_iterator(moved.end()));
    lines_ = std::move(staying);
    const auto indexOf = [this](const TLine* line) {
        const auto found =
            std::find_if(lines_.begin(), lines_.end(), [line](const auto& l) { return l.get() == line; });
        return static_cast<int>(found - lines_.begin());
    };
    if (caret) careIndex_ = indexOf(caret);
    if (playing) playing_.Index = indexOf(playing);
    RefreshDisplayTexts();
}
