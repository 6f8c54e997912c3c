#pragma once

#include <QColor>

class QWidget;

// Tells when the background colour of a control's parent changed since the
// last look (for OnParentColorChange). Controls call Changed() from their
// palette and parent change notifications.
class ParentColorWatch {
public:
    bool Changed(const QWidget* control);

private:
    QColor last_;
};
