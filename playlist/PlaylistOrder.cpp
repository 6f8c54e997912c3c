// Reordering operations of TPlaylistModel: sorting, reversing, shuffling and
// moving the selected lines.
#include "playlist/PlaylistModel.h"

#include "playlist/SelectionSort.h"

#include <QByteArray>

#include <chrono>
#include <random>

// Keys are the paths or the display texts as they stand before sorting; they
// travel with their lines.
void TPlaylistModel::SortBy(bool byPath, bool descending) {
    std::vector<QByteArray> keys;
    keys.reserve(lines_.size());
    for (const auto& line : lines_) keys.push_back((byPath ? line->Item.Path : line->Text).toUtf8());
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

void TPlaylistModel::RandomOrder() {
    const int count = Count();
    if (count == 0) return;
    std::mt19937 generator(
        static_cast<std::mt19937::result_type>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> line(0, count - 1);
    for (int n = 0; n < count / 2 + 1; ++n) {
        const int a = line(generator);
        const int b = line(generator);
        Exchange(a, b);
    }
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
