#pragma once

#include <QString>

#include <functional>

class TPlaylistModel;

// Width in pixels of the widest playlist line (its text followed by one
// space), kept up to date as lines come and go. Appends widen it at once; a
// deleted line as wide as the widest, rewritten texts or a new font make it
// stale, and it is measured again over all lines when next asked for.
class THorizontalExtent {
public:
    using Measure = std::function<int(const QString& text)>;

    THorizontalExtent(const TPlaylistModel& model, Measure measure);

    void LineAdded(const QString& text);
    void LineDeleting(const QString& text);
    void Invalidate() { stale_ = true; }

    int Widest();

private:
    int Width(const QString& text) const;

    const TPlaylistModel& model_;
    Measure measure_;
    int widest_ = 0;
    bool stale_ = false;
};
