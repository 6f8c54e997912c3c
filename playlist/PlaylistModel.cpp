#include "playlist/PlaylistModel.h"

#include "desktop/files/LocalFiles.h"
#include "playlist/DisplayText.h"
#include "playlist/M3uFile.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlaylistStrings.h"

#include <stdexcept>

void TPlaylistModel::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range(QString::fromUtf8(PlaylistStrings::NoSuchLine).arg(index).arg(Count()).toStdString());
}

const QString& TPlaylistModel::Path(int index) const {
    CheckIndex(index);
    return lines_[index]->Item.Path;
}

const QString& TPlaylistModel::Text(int index) const {
    CheckIndex(index);
    return lines_[index]->Text;
}

const QString& TPlaylistModel::Title(int index) const {
    CheckIndex(index);
    return lines_[index]->Item.Title;
}

QStringList TPlaylistModel::Paths() const {
    QStringList paths;
    paths.reserve(Count());
    for (const auto& line : lines_) paths.append(line->Item.Path);
    return paths;
}

bool TPlaylistModel::Selected(int index) const {
    CheckIndex(index);
    return lines_[index]->Selected;
}

void TPlaylistModel::SetSelected(int index, bool selected) {
    CheckIndex(index);
    lines_[index]->Selected = selected;
}

int TPlaylistModel::SelectedCount() const {
    int count = 0;
    for (const auto& line : lines_) count += line->Selected ? 1 : 0;
    return count;
}

void TPlaylistModel::SetCareIndex(int index) { careIndex_ = (index >= 0 && index < Count()) ? index : -1; }

void TPlaylistModel::SetPlayingIndex(int index) {
    playing_ = (index >= 0 && index < Count()) ? TPlayingPlace{index, false} : TPlayingPlace{};
}

void TPlaylistModel::SetShowNumbers(bool value) {
    showNumbers_ = value;
    RefreshDisplayTexts();
}

void TPlaylistModel::LinesChanged() {
    if (OnLinesChanged) OnLinesChanged();
}

void TPlaylistModel::AddItem(const QString& path, const QString& title) {
    lines_.push_back(std::make_unique<TLine>(
        TLine{TPlaylistItem{path, title}, MakeDisplayText(path, title, Count(), showNumbers_), false, {}}));
    if (OnAdded) OnAdded(Count() - 1);
}

void TPlaylistModel::AddItems(const QStringList& paths) {
    for (const QString& path : paths) AddItem(path);
}

void TPlaylistModel::AddEntries(const TPlaylistEntries& entries) {
    for (const TPlaylistEntry& entry : entries) AddItem(entry.Path, entry.Title);
}

void TPlaylistModel::SelectAll() {
    for (const auto& line : lines_) line->Selected = true;
    LinesChanged();
}

void TPlaylistModel::UnselectAll() {
    for (const auto& line : lines_) line->Selected = false;
    LinesChanged();
}

void TPlaylistModel::ReverseSelection() {
    for (const auto& line : lines_) line->Selected = !line->Selected;
    LinesChanged();
}

void TPlaylistModel::RemoveLine(int index) {
    if (OnDeleting) OnDeleting(index);
    lines_.erase(lines_.begin() + index);
    if (careIndex_ > index || careIndex_ >= Count()) --careIndex_;
    if (playing_.Index == index)
        playing_.Removed = true;
    else if (playing_.Index > index)
        --playing_.Index;
    if (OnDeleted) OnDeleted(index);
}

void TPlaylistModel::DeleteItem(int index) {
    CheckIndex(index);
    RemoveLine(index);
    RefreshDisplayTexts();
}

// Walks from the top: a line that goes is deleted and the index stays, so the
// next line slides under it.
void TPlaylistModel::DeleteWhere(const std::function<bool(const TLine&)>& goes) {
    int index = 0;
    while (index < Count()) {
        if (goes(*lines_[index]))
            RemoveLine(index);
        else
            ++index;
    }
    RefreshDisplayTexts();
}

void TPlaylistModel::DeleteSelection() {
    DeleteWhere([](const TLine& line) { return line.Selected; });
}

void TPlaylistModel::DeleteAllButSelection() {
    DeleteWhere([](const TLine& line) { return !line.Selected; });
}

void TPlaylistModel::DeleteDeadFiles() {
    DeleteWhere([](const TLine& line) { return !IsUrl(line.Item.Path) && !LocalFiles::IsFile(line.Item.Path); });
}

void TPlaylistModel::DeleteAll() {
    while (Count() > 0) RemoveLine(Count() - 1);
    careIndex_ = -1;
    playing_ = {};
}

QString TPlaylistModel::DisplayTextOf(const TLine& line, int position) const {
    const QString& title = line.NowPlaying.isEmpty() ? line.Item.Title : line.NowPlaying;
    return MakeDisplayText(line.Item.Path, title, position, showNumbers_);
}

void TPlaylistModel::RefreshDisplayTexts() {
    for (int i = 0; i < Count(); ++i) lines_[i]->Text = DisplayTextOf(*lines_[i], i);
    LinesChanged();
}

void TPlaylistModel::SetNowPlaying(int index, const QString& title) {
    CheckIndex(index);
    TLine& line = *lines_[index];
    line.NowPlaying = title;
    line.Text = DisplayTextOf(line, index);
    LinesChanged();
}

void TPlaylistModel::Exchange(int a, int b) {
    CheckIndex(a);
    CheckIndex(b);
    std::swap(lines_[a], lines_[b]);
    const auto follow = [a, b](int& index) {
        if (index == a)
            index = b;
        else if (index == b)
            index = a;
    };
    follow(careIndex_);
    if (!playing_.Removed) follow(playing_.Index);
}

void TPlaylistModel::SavePlaylist(const QString& fileName) const {
    TPlaylistEntries entries;
    entries.reserve(Count());
    for (const auto& line : lines_) entries.append({line->Item.Path, line->Item.Title});
    WriteTextLines(fileName, M3uLines(entries));
}

void TPlaylistModel::LoadPlaylist(const QString& fileName) { AddEntries(ReadPlaylistFile(fileName)); }

void TPlaylistModel::ReplaceWithPlaylist(const QString& fileName) {
    const TPlaylistEntries entries = ReadPlaylistFile(fileName);
    DeleteAll();
    AddEntries(entries);
}
