// Reordering operations of TPlaylistModel: sorting, reversing, shuffling and
// moving the selected lines.
#include "playlist/PlaylistModel.h"

#include "playlist/DisplayText.h"
#include "playlist/NaturalOrder.h"
#include "playlist/SelectionSort.h"

#include <QByteArray>

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
