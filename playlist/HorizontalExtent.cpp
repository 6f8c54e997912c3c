#include "playlist/HorizontalExtent.h"

#include "playlist/PlaylistModel.h"

#include <algorithm>

THorizontalExtent::THorizontalExtent(const TPlaylistModel& model, Measure measure)
    : model_(model), measure_(std::move(measure)) {}

int THorizontalExtent::Width(const QString& text) const { return measure_(text + u' '); }

void THorizontalExtent::LineAdded(const QString& text) {
    if (!stale_) widest_ = std::max(widest_, Width(text));
}

void THorizontalExtent::LineDeleting(const QString& text) {
    if (!stale_ && Width(text) == widest_) stale_ = true;
}

int THorizontalExtent::Widest() {
    if (stale_) {
        widest_ = 0;
        for (int i = 0; i < model_.Count(); ++i) widest_ = std::max(widest_, Width(model_.Text(i)));
        stale_ = false;
    }
    return widest_;
}
