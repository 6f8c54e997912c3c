#include "desktop/DroppedPaths.h"
#include "desktop/LxDragDrop.h"
#include "desktop/files/FileNames.h"
#include "tests/desktop/QtPrinters.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

namespace {

QList<QUrl> FileUrls(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& p : paths) urls.append(QUrl::fromLocalFile(p));
    return urls;
}

// Sends the enter and drop events of one drag; returns the drop's action
// when the drop was accepted.
std::optional<Qt::DropAction> Drop(QWidget& target, const QList<QUrl>& urls, QPoint at,
                                   Qt::DropActions actions = Qt::CopyAction) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    if (!drop.isAccepted()) return std::nullopt;
    return drop.dropAction();
}

} // namespace

TEST(DroppedPaths, KeepsLocalFilesInOrderAndDropsOthers) {
    const QString longPath = "/tmp/" + QString(200, QChar('x')) + ".mp3";
    QList<QUrl> urls{QUrl::fromLocalFile("/music/a b.mp3"), QUrl("http://example.org/x.mp3"),
                     QUrl::fromLocalFile(longPath),         QUrl("file://otherhost/share/y.mp3"),
                     QUrl("file://localhost/music/z.m3u"),  QUrl("file:///music/caf%E9.mp3")};
    const QStringList paths = LocalDropPaths(urls);
    EXPECT_EQ(paths, (QStringList{"/music/a b.mp3", longPath, "/music/z.m3u", DecodeFileName("/music/caf\xe9.mp3")}));
    EXPECT_EQ(paths[1].size(), longPath.size());
}

TEST(LxDragDrop, DeliversTenPathsInOrderWithTheDropPoint) {
    QWidget owner;
    auto* dragDrop = new TLxDragDrop(&owner);
    EXPECT_TRUE(owner.acceptDrops());
    QStringList sent;
    for (int i = 0; i < 10; ++i) sent << QString("/music/track %1.mp3").arg(9 - i);
    int calls = 0;
    dragDrop->OnDrop = [&](TLxDragDrop* sender, const QPoint& pos, const QStringList& paths) {
        ++calls;
        EXPECT_EQ(sender, dragDrop);
        EXPECT_EQ(pos, QPoint(12, 34));
        EXPECT_EQ(paths, sent);
    };
    Drop(owner, FileUrls(sent), QPoint(12, 34));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(dragDrop->DroppedFiles(), sent);
}

TEST(LxDragDrop, IgnoresDropsWhenOffOrWithoutLocalFilesAndNeverMovesFiles) {
    QWidget owner;
    auto* dragDrop = new TLxDragDrop(&owner);
    int calls = 0;
    dragDrop->OnDrop = [&](TLxDragDrop*, const QPoint&, const QStringList&) { ++calls; };

    Drop(owner, {QUrl("https://example.org/stream.mp3")}, QPoint(1, 1));
    EXPECT_EQ(calls, 0);

    dragDrop->SetAcceptDrag(false);
    EXPECT_FALSE(owner.acceptDrops());
    Drop(owner, FileUrls({"/music/a.mp3"}), QPoint(1, 1));
    EXPECT_EQ(calls, 0);

    dragDrop->SetAcceptDrag(true);
    const QList<QUrl> urls = FileUrls({"/music/a.mp3"});
    Drop(owner, urls, QPoint(1, 1));
    EXPECT_EQ(calls, 1);

    // Files are copied, never moved.
    EXPECT_EQ(Drop(owner, urls, {}, Qt::MoveAction), std::nullopt);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Drop(owner, urls, {}, Qt::MoveAction | Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(Drop(owner, urls, {}, Qt::MoveAction | Qt::LinkAction), Qt::LinkAction);
    EXPECT_EQ(calls, 3);
}

TEST(LxDragDrop, OwnerThatIsNoWidgetNeverAcceptsAndDestructionRestoresTheOwner) {
    QObject object;
    TLxDragDrop onObject(&object);
    onObject.SetAcceptDrag(true);
    EXPECT_FALSE(onObject.AcceptDrag());

    QWidget owner;
    {
        TLxDragDrop dragDrop(&owner);
        EXPECT_TRUE(owner.acceptDrops());
    }
    EXPECT_FALSE(owner.acceptDrops());
}
