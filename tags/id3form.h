#pragma once

#include <QWidget>

class QTabWidget;
class TLxVisualId3v1;
class Id3v2View;

// The tag window: a tool window with the ID3v1 editor on its first page and
// the file's ID3v2 text frames on its second. Setting the editor's file name
// also fills the second page.
class Tid3form : public QWidget {
    Q_OBJECT
public:
    explicit Tid3form(QWidget* parent = nullptr);

    QTabWidget* PageControl = nullptr;
    TLxVisualId3v1* LxVisualId3v11 = nullptr;
    Id3v2View* Id3v2Page = nullptr;
};
