#include "tags/LxVisualId3v1.h"

#include "tags/TagStrings.h"

#include <QComboBox>
#include <QEvent>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

constexpr int Margin = 5;
constexpr int LabelGap = 10;
constexpr int RightGap = 4;
constexpr int MinimumFieldWidth = 40;
constexpr int PreferredFieldWidth = 180;
constexpr int HighestTrack = 255;

QString UpToFirstZero(const QString& text) {
    const qsizetype end = text.indexOf(QChar(0));
    return end < 0 ? text : text.left(end);
}

} // namespace

TLxVisualId3v1::TLxVisualId3v1(QWidget* parent) : QWidget(parent) {
    const char* captions[] = {TagStrings::LabelArtist, TagStrings::LabelSongname, TagStrings::LabelAlbum,
                              TagStrings::LabelYear,   TagStrings::LabelComment,  TagStrings::LabelTrack,
                              TagStrings::LabelGenre};
    for (size_t i = 0; i < labels_.size(); ++i) labels_[i] = new QLabel(QString::fromUtf8(captions[i]), this);
    for (QLineEdit*& edit : edits_) {
        edit = new QLineEdit(this);
        connect(edit, &QLineEdit::textChanged, this, [this] { Changed(); });
    }
    TrackEdit()->setValidator(new QIntValidator(0, HighestTrack, TrackEdit()));
    genreList_ = new QComboBox(this);
    genreList_->setEditable(false);
    for (int number = 0; number < GenreNameCount; ++number)
        genreList_->addItem(Genre2String(static_cast<TGenre>(number)));
    genreList_->setCurrentIndex(-1);
    connect(genreList_, &QComboBox::currentIndexChanged, this, [this] { Changed(); });

    id3Tag_.AttachOwner([this] { Refresh(); });
    SetReadonly(true);
    resize(229, 160);
    LayOut();
}

void TLxVisualId3v1::SetFilename(const QString& fileName) {
    filename_ = fileName;
    emit FilenameChanged(fileName);
    reader_.SetFilename(fileName);
    id3Tag_.SetAlbum(reader_.Album());
    id3Tag_.SetArtist(reader_.Artist());
    id3Tag_.SetComment(reader_.Comment());
    id3Tag_.SetYear(reader_.Year());
    id3Tag_.SetSongname(reader_.Songname());
    id3Tag_.SetGenre(reader_.Genre());
    id3Tag_.SetTrack(reader_.Track());
}

bool TLxVisualId3v1::WriteTag() {
    const int genreIndex = genreList_->currentIndex();
    const TGenre genre = genreIndex >= 0 ? static_cast<TGenre>(genreIndex) : id3Tag_.Genre();
    return reader_.WriteTag(filename_, SongnameEdit()->text(), ArtistEdit()->text(), AlbumEdit()->text(),
                            YearEdit()->text(), CommentEdit()->text(), genre, TrackEdit()->text().toInt());
}

QSize TLxVisualId3v1::sizeHint() const { return {fieldLeft_ + PreferredFieldWidth + RightGap, rowsHeight_}; }

void TLxVisualId3v1::SetReadonly(bool value) {
    readonly_ = value;
    for (QLineEdit* edit : edits_) edit->setEnabled(!value);
    genreList_->setEnabled(!value);
}

QColor TLxVisualId3v1::EditColor() const { return ArtistEdit()->palette().color(QPalette::Base); }

void TLxVisualId3v1::SetEditColor(const QColor& color) {
    auto paint = [&color](QWidget* field) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, color);
        field->setPalette(palette);
    };
    for (QLineEdit* edit : edits_) paint(edit);
    paint(genreList_);
}

QFont TLxVisualId3v1::EditFont() const { return ArtistEdit()->font(); }

void TLxVisualId3v1::SetEditFont(const QFont& font) {
    for (QLineEdit* edit : edits_) edit->setFont(font);
    genreList_->setFont(font);
    LayOut();
}

QFont TLxVisualId3v1::LabelFont() const { return labels_[0]->font(); }

void TLxVisualId3v1::SetLabelFont(const QFont& font) {
    for (QLabel* label : labels_) label->setFont(font);
    LayOut();
}

void TLxVisualId3v1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplySizeRule();
}

// A font inherited from the parent resizes the labels and fields too.
void TLxVisualId3v1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) LayOut();
}

void TLxVisualId3v1::Refresh() {
    Changed();
    ArtistEdit()->setText(UpToFirstZero(id3Tag_.Artist()));
    SongnameEdit()->setText(UpToFirstZero(id3Tag_.Songname()));
    AlbumEdit()->setText(UpToFirstZero(id3Tag_.Album()));
    YearEdit()->setText(UpToFirstZero(id3Tag_.Year()));
    CommentEdit()->setText(UpToFirstZero(id3Tag_.Comment()));
    TrackEdit()->setText(id3Tag_.Track() > 0 ? QString::number(id3Tag_.Track()) : QString());
    const int genre = static_cast<int>(id3Tag_.Genre());
    genreList_->setCurrentIndex(genre < GenreNameCount ? genre : -1);
}

void TLxVisualId3v1::Changed() { Raise(OnChange, this); }

// Labels at the left, fields beside the widest label, rows stacked with a
// gap; the shorter of a label and its field is centred on the taller.
void TLxVisualId3v1::LayOut() {
    int widestLabel = 0;
    for (QLabel* label : labels_) {
        label->adjustSize();
        widestLabel = std::max(widestLabel, label->width());
    }
    const int fieldLeft = Margin + widestLabel + LabelGap;
    int top = Margin;
    for (size_t row = 0; row < labels_.size(); ++row) {
        QLabel* label = labels_[row];
        QWidget* field = row < edits_.size() ? static_cast<QWidget*>(edits_[row]) : genreList_;
        const int fieldHeight = field->sizeHint().height();
        const int rowHeight = std::max(label->height(), fieldHeight);
        label->move(Margin, top + (rowHeight - label->height()) / 2);
        field->setGeometry(fieldLeft, top + (rowHeight - fieldHeight) / 2, field->width(), fieldHeight);
        top += rowHeight + Margin;
    }
    fieldLeft_ = fieldLeft;
    rowsHeight_ = top;
    setMinimumHeight(rowsHeight_);
    updateGeometry();
    ApplySizeRule();
}

void TLxVisualId3v1::ApplySizeRule() {
    for (size_t row = 0; row <= edits_.size(); ++row) {
        QWidget* field = row < edits_.size() ? static_cast<QWidget*>(edits_[row]) : genreList_;
        int width = this->width() - field->x() - RightGap;
        if (width < 0) width = MinimumFieldWidth;
        field->resize(width, field->height());
    }
}
