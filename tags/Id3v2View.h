#pragma once

#include "tags/Id3v2Tag.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;

// A file's ID3v2 text fields, editable: the tag's version (or "No ID3v2
// tag") above title, artist, album, year, track, genre and comment. A tag
// that cannot be edited shows its reason and disabled fields.
class Id3v2View : public QWidget {
    Q_OBJECT
public:
    explicit Id3v2View(QWidget* parent = nullptr);

    // Reads the file's ID3v2 tag and shows it; a file that cannot be read
    // shows the reason instead.
    void ShowFile(const QString& fileName);
    void ShowTag(const Id3v2Tag& tag);

    QString StatusText() const;
    // The value of a field caption ("Title", "Artist", ...).
    QString Value(const QString& caption) const;
    QLineEdit* Edit(const QString& caption) const;
    // The fields as edited.
    Id3v2Tag Edited() const;
    // True when the shown tag can be written back.
    bool Editable() const { return editable_; }

private:
    void ShowStatus(const QString& text, bool editable);

    QLabel* status_ = nullptr;
    std::array<QLineEdit*, 7> edits_{};
    bool editable_ = false;
};
