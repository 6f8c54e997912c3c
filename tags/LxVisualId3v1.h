#pragma once

#include "tags/LxId3v1.h"
#include "tags/LxId3v1Tag.h"
#include "skin/controls/LxEvents.h"

#include <QColor>
#include <QFont>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

// Shows the ID3v1 tag of one file as seven labelled fields: edits for artist,
// song name, album, year, comment and the ID3v1.1 track, a list for the
// genre. Text fields show up to their first zero byte.
class TLxVisualId3v1 : public QWidget {
    Q_OBJECT
public:
    explicit TLxVisualId3v1(QWidget* parent = nullptr);

    // Setting it reads the file's tag (see TLxId3v1::ReadTag for errors) and shows it.
    const QString& Filename() const { return filename_; }
    void SetFilename(const QString& fileName);

    // The shown values; writing them refreshes the fields.
    TLxId3v1Tag& Id3Tag() { return id3Tag_; }
    const TLxId3v1Tag& Id3Tag() const { return id3Tag_; }

    // Writes the fields as edited into the file's tag (see
    // TLxId3v1::WriteTag); false when it could not be written.
    bool WriteTag();

    // The size that shows every row whole.
    QSize sizeHint() const override;

    // On: the edits and the genre list are disabled.
    bool Readonly() const { return readonly_; }
    void SetReadonly(bool value);

    QColor EditColor() const;
    void SetEditColor(const QColor& color);
    QFont EditFont() const;
    void SetEditFont(const QFont& font);
    QFont LabelFont() const;
    void SetLabelFont(const QFont& font);

    // After every change of a shown value and on every edit or list change.
    TNotifyEvent OnChange;

    QLineEdit* ArtistEdit() const { return edits_[0]; }
    QLineEdit* SongnameEdit() const { return edits_[1]; }
    QLineEdit* AlbumEdit() const { return edits_[2]; }
    QLineEdit* YearEdit() const { return edits_[3]; }
    QLineEdit* CommentEdit() const { return edits_[4]; }
    QLineEdit* TrackEdit() const { return edits_[5]; }
    QComboBox* GenreList() const { return genreList_; }

signals:
    // Raised when a file name is set, before its ID3v1 tag is read.
    void FilenameChanged(const QString& fileName);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Refresh();
    void Changed();
    void LayOut();
    void ApplySizeRule();

    QString filename_;
    TLxId3v1 reader_;
    TLxId3v1Tag id3Tag_;
    bool readonly_ = true;
    std::array<QLabel*, 7> labels_{};
    std::array<QLineEdit*, 6> edits_{};
    int rowsHeight_ = 0;
    int fieldLeft_ = 0;
    QComboBox* genreList_ = nullptr;
};
