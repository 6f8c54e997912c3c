#include "playlist/PlaylistLineDelegate.h"

#include "playlist/DisplayText.h"
#include "playlist/LxControls.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int kGap = 6;
const QString kPlayingMark = QStringLiteral("\u25B6 ");

} // namespace

TPlaylistLineDelegate::TPlaylistLineDelegate(TLxPlaylist& list) : QStyledItemDelegate(&list), list_(list) {}

void TPlaylistLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem line(option);
    initStyleOption(&line, index);
    const QString text = line.text;
    line.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &line, painter, widget);

    const int row = index.row();
    const bool playing = row == list_.PlayingIndex();
    const int seconds = row < list_.Count() ? list_.Model().Seconds(row) : -1;
    QFont font = line.font;
    font.setBold(playing);
    painter->save();
    painter->setFont(font);
    painter->setPen(
        line.palette.color(line.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &line, widget);
    if (seconds >= 0) {
        const QString duration = DurationText(seconds);
        painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter, duration);
        area.setRight(area.right() - QFontMetrics(font).horizontalAdvance(duration) - kGap);
    }
    const QString shown = playing ? kPlayingMark + text : text;
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(font).elidedText(shown, Qt::ElideRight, area.width()));
    painter->restore();
}
