#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class TLxVisualId3v1;
class Id3v2View;

// The tag window: a tool window with the ID3v1 editor on its first page and
// the file's ID3v2 text fields on its second, and Save, which writes both.
// Setting the editor's file name also fills the second page.
class Tid3form : public QWidget {
    Q_OBJECT
public:
    explicit Tid3form(QWidget* parent = nullptr);

    // Writes both pages into the file; the outcome shows below the pages.
    // False when a tag could not be written (the file keeps that tag).
    bool Save();

    QTabWidget* PageControl = nullptr;
    TLxVisualId3v1* LxVisualId3v11 = nullptr;
    Id3v2View* Id3v2Page = nullptr;
    QLabel* StatusLabel = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* CloseButton = nullptr;

signals:
    // After a successful save, with the file's name.
    void Saved(const QString& fileName);
};
