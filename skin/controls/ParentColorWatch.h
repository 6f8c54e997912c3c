#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// Calls back when the background colour of a control's parent changes (for
// OnParentColorChange), following the control to new parents. Created as a
// Qt child of the control, which owns it.
class ParentColorWatch : public QObject {
    Q_OBJECT
public:
    ParentColorWatch(QWidget* control, std::function<void()> changed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Attach();

    QWidget* control_;
    QPointer<QWidget> parent_;
    QColor last_;
    std::function<void()> changed_;
};
