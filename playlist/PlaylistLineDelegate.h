#pragma once

#include <QStyledItemDelegate>

class TLxPlaylist;

// Draws a playlist line: its text, its duration at the right edge, and the
// playing line in bold behind a play mark.
class TPlaylistLineDelegate : public QStyledItemDelegate {
public:
    explicit TPlaylistLineDelegate(TLxPlaylist& list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TLxPlaylist& list_;
};
