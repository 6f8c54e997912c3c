#include "PlaylistTestFiles.h"

#include "playlist/LxControls.h"

#include <QApplication>
#include <QEnterEvent>
#include <QScrollBar>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

QStringList ViewTexts(const TLxPlaylist& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts.append(list.item(i)->text());
    return texts;
}

} // namespace

TEST(PlaylistLxPlaylist, EventsReportEachAppendAndDelete) {
    TLxPlaylist list;
    list.SetShowNumbers(true);
    QStringList log;
    list.OnAddString = [&](QObject* sender, const QString& text) {
        EXPECT_EQ(sender, &list);
        log.append(QString("add %1 (%2 lines)").arg(text).arg(list.Count()));
    };
    list.OnDeleteString = [&](QObject*, const QString& text) {
        log.append(QString("delete %1 (%2 lines)").arg(text).arg(list.Count()));
    };
    list.OnChange = [&](QObject*) { log.append("change"); };

    list.AddItems({"/m/a.mp3", "/m/b.mp3"});
    list.DeleteItem(0);
    EXPECT_EQ(log, QStringList({"add 1. a.mp3 (1 lines)", "change", "add 2. b.mp3 (2 lines)", "change",
                                "delete 1. a.mp3 (2 lines)", "change"}));

    log.clear();
    list.AddItem("/m/c.mp3");
    list.DeleteAll();
    EXPECT_EQ(log, QStringList({"add 2. c.mp3 (2 lines)", "change", "delete 2. c.mp3 (2 lines)", "change",
                                "delete 1. b.mp3 (1 lines)", "change"}));
}

TEST(PlaylistLxPlaylist, ViewShowsTheModelAndSelectionFlowsBothWays) {
    TLxPlaylist list;
    list.SetShowNumbers(true);
    list.AddItems({"/m/c.mp3", "/m/a.mp3", "/m/b.mp3"});
    EXPECT_EQ(ViewTexts(list), QStringList({"1. c.mp3", "2. a.mp3", "3. b.mp3"}));

    list.item(0)->setSelected(true); // as a click would
    EXPECT_TRUE(list.Selected(0));
    list.SortByPath();
    EXPECT_EQ(ViewTexts(list), QStringList({"1. a.mp3", "2. b.mp3", "3. c.mp3"}));
    EXPECT_TRUE(list.item(2)->isSelected());
    EXPECT_FALSE(list.item(0)->isSelected());

    list.ReverseSelection();
    EXPECT_TRUE(list.item(0)->isSelected());
    EXPECT_FALSE(list.item(2)->isSelected());
    list.DeleteSelection();
    EXPECT_EQ(ViewTexts(list), QStringList({"1. c.mp3"}));
    EXPECT_EQ(list.SelCount(), 0);

    list.setCurrentRow(0, QItemSelectionModel::NoUpdate);
    EXPECT_EQ(list.ItemIndex(), 0);
    list.AddItem("/m/d.mp3");
    list.SetItemIndex(1);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(list.SelCount(), 0);
}

TEST(PlaylistLxPlaylist, GetItemReturnsThePathAndScrollsItToTheTop) {
    TLxPlaylist list;
    list.resize(200, 100);
    list.show();
    for (int i = 0; i < 50; ++i) list.AddItem(QString("/m/%1.mp3").arg(i));
    QApplication::processEvents();
    EXPECT_EQ(list.GetItem(30), "/m/30.mp3");
    QApplication::processEvents();
    EXPECT_EQ(list.row(list.itemAt(5, 2)), 30);
    EXPECT_THROW(list.GetItem(50), std::out_of_range);
}

TEST(PlaylistLxPlaylist, HorizontalExtentFollowsTheWidestLine) {
    TLxPlaylist list;
    list.resize(100, 100);
    list.show();
    const QFontMetrics metrics = list.fontMetrics();
    const QString wide = "/m/" + QString(80, u'w') + ".mp3";
    list.AddItem("/m/a.mp3");
    const int narrow = list.HorizontalExtent();
    EXPECT_EQ(narrow, metrics.horizontalAdvance("a.mp3 "));
    list.AddItem(wide);
    EXPECT_EQ(list.HorizontalExtent(), metrics.horizontalAdvance(QString(80, u'w') + ".mp3 "));
    QApplication::processEvents();
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), list.HorizontalExtent() - list.viewport()->width());

    list.DeleteItem(1);
    EXPECT_EQ(list.HorizontalExtent(), narrow);
    list.DeleteAll();
    EXPECT_EQ(list.HorizontalExtent(), 0);

    list.AddItem(wide);
    QFont bigger = list.font();
    bigger.setPointSize(bigger.pointSize() * 2);
    list.setFont(bigger);
    EXPECT_EQ(list.HorizontalExtent(), QFontMetrics(bigger).horizontalAdvance(QString(80, u'w') + ".mp3 "));
}

TEST(PlaylistLxPlaylist, HoverShowsItsHintColourAndRestoresTheOld) {
    TLxPlaylist list;
    const QColor before = QToolTip::palette().color(QPalette::ToolTipBase);
    list.SetHintColor(QColor(10, 20, 30));
    QStringList log;
    list.OnMouseEnter = [&](QObject*) {
        log.append("enter " + QToolTip::palette().color(QPalette::ToolTipBase).name());
    };
    list.OnMouseLeave = [&](QObject*) {
        log.append("leave " + QToolTip::palette().color(QPalette::ToolTipBase).name());
    };

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&list, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&list, &leave);
    EXPECT_EQ(log, QStringList({"enter #0a141e", "leave " + before.name()}));
}

TEST(PlaylistLxPlaylist, ViewKeepsUpWithBulkDeletesEvenWhenAHandlerThrows) {
    TLxPlaylist list;
    list.SetShowNumbers(true);
    for (int i = 0; i < 30; ++i) list.AddItem(QString("/m/%1.mp3").arg(i));
    for (int i = 0; i < 30; i += 3) list.SetSelected(i, true);
    list.SetSelected(1, true);
    list.SetItemIndex(4);

    list.DeleteSelection();
    ASSERT_EQ(list.count(), 19);
    EXPECT_EQ(list.item(0)->text(), "1. 2.mp3");
    EXPECT_EQ(list.item(18)->text(), "19. 29.mp3");
    EXPECT_EQ(list.selectedItems().size(), 0);
    EXPECT_EQ(list.ItemIndex(), 1); // "/m/4.mp3" moved up by three
    EXPECT_EQ(list.currentRow(), 1);

    list.SetSelected(5, true);
    list.OnDeleteString = [](QObject*, const QString& text) {
        if (text.endsWith(" 11.mp3")) throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(list.DeleteAllButSelection(), std::runtime_error);
    ASSERT_EQ(list.count(), list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.item(i)->text(), list.DisplayText(i));
        EXPECT_EQ(list.item(i)->isSelected(), list.Selected(i));
    }
}
