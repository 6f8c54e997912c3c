// The tags' titles and the durations of TPlaylistModel's lines.
#include "playlist/PlaylistModel.h"

void TPlaylistModel::SetTrackInfo(int index, const QString& title, int seconds) {
    CheckIndex(index);
    TPlaylistItem& item = lines_[index]->Item;
    if (!title.isEmpty()) item.Title = title; // else a playlist's title stays
    item.Seconds = seconds;
    item.InfoRead = true;
    lines_[index]->Text = DisplayTextOf(*lines_[index], index);
    if (OnLineChanged) OnLineChanged(index);
}

int TPlaylistModel::Seconds(int index) const {
    CheckIndex(index);
    return lines_[index]->Item.Seconds;
}

bool TPlaylistModel::InfoRead(int index) const {
    CheckIndex(index);
    return lines_[index]->Item.InfoRead;
}

qint64 TPlaylistModel::TotalSeconds(int* unknown) const {
    qint64 total = 0;
    int missing = 0;
    for (const auto& line : lines_) {
        if (line->Item.Seconds >= 0)
            total += line->Item.Seconds;
        else
            ++missing;
    }
    if (unknown) *unknown = missing;
    return total;
}
