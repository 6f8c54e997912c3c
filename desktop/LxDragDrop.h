#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <functional>

class QWidget;
class QDropEvent;

class TLxDragDrop;

// Sender, drop point in the owner's client coordinates, dropped paths in order.
using TDropEvent = std::function<void(TLxDragDrop* Sender, const QPoint& Pos, const QStringList& Value)>;

// Lets its owner widget accept local files dragged from a file manager
// (text/uri-list) and hands the dropped paths to OnDrop. Owned by its owner
// through Qt parenthood. An owner that is not a widget cannot accept drops:
// AcceptDrag then stays off.
class TLxDragDrop : public QObject {
    Q_OBJECT
public:
    explicit TLxDragDrop(QObject* owner);
    ~TLxDragDrop() override;

    bool AcceptDrag() const { return acceptDrag_; }
    void SetAcceptDrag(bool value);

    // Paths of the last drop.
    const QStringList& DroppedFiles() const { return droppedFiles_; }

    TDropEvent OnDrop;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HandleDrop(QDropEvent* event);

    QPointer<QWidget> owner_;
    bool ownerAcceptedDrops_ = false;
    bool acceptDrag_ = true;
    QStringList droppedFiles_;
};
