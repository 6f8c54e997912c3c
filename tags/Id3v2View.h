#pragma once

#include "tags/Id3v2Tag.h"

#include <QWidget>

class QLabel;
class QTreeWidget;

// Read-only view of a file's ID3v2 text frames, or "No ID3v2 tag".
class Id3v2View : public QWidget {
    Q_OBJECT
public:
    explicit Id3v2View(QWidget* parent = nullptr);

    // Reads the file's ID3v2 tag and shows it; a file that cannot be read
    // shows the reason instead.
    void ShowFile(const QString& fileName);
    void ShowTag(const Id3v2Tag& tag);

    QString StatusText() const;
    // The shown value of a field caption ("Title", "Artist", ...), empty when absent.
    QString Value(const QString& caption) const;

private:
    void ShowStatus(const QString& text);

    QLabel* status_ = nullptr;
    QTreeWidget* fields_ = nullptr;
};
