#include "tags/Id3v2View.h"

#include "tags/Id3v2Parser.h"
#include "tags/TagStrings.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <exception>

namespace {

constexpr const char* kCaptions[] = {TagStrings::FieldTitle,  TagStrings::FieldArtist, TagStrings::FieldAlbum,
                                     TagStrings::FieldYear,   TagStrings::FieldTrack,  TagStrings::FieldGenre,
                                     TagStrings::FieldComment};

std::array<QString*, 7> Fields(Id3v2Tag& tag) {
    return {&tag.title, &tag.artist, &tag.album, &tag.year, &tag.track, &tag.genre, &tag.comment};
}

} // namespace

Id3v2View::Id3v2View(QWidget* parent) : QWidget(parent) {
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        edits_[i] = new QLineEdit(this);
        edits_[i]->setObjectName(QString::fromUtf8(kCaptions[i]));
        form->addRow(QString::fromUtf8(kCaptions[i]), edits_[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(status_);
    layout->addLayout(form);
    ShowTag(Id3v2Tag{});
}

void Id3v2View::ShowFile(const QString& fileName) {
    try {
        ShowTag(Id3v2Parser::ReadFile(fileName));
    } catch (const std::exception& error) {
        ShowTag(Id3v2Tag{});
        ShowStatus(QString::fromUtf8(error.what()), false);
    }
}

void Id3v2View::ShowTag(const Id3v2Tag& tag) {
    Id3v2Tag shown = tag;
    const auto values = Fields(shown);
    for (std::size_t i = 0; i < edits_.size(); ++i) edits_[i]->setText(*values[i]);
    switch (tag.status) {
    case Id3v2Tag::Status::NoTag: ShowStatus(QString::fromUtf8(TagStrings::NoId3v2Tag), true); return;
    case Id3v2Tag::Status::Unsupported:
        ShowStatus(QString::fromUtf8(TagStrings::UnsupportedId3v2).arg(tag.majorVersion), false);
        return;
    case Id3v2Tag::Status::Read: break;
    }
    ShowStatus(QString::fromUtf8(TagStrings::Id3v2Version).arg(tag.majorVersion).arg(tag.revision),
               tag.majorVersion >= 3);
}

QString Id3v2View::StatusText() const { return status_->text(); }

QLineEdit* Id3v2View::Edit(const QString& caption) const {
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        if (caption == QString::fromUtf8(kCaptions[i])) return edits_[i];
    }
    return nullptr;
}

QString Id3v2View::Value(const QString& caption) const {
    const QLineEdit* edit = Edit(caption);
    return edit ? edit->text() : QString();
}

Id3v2Tag Id3v2View::Edited() const {
    Id3v2Tag tag;
    const auto values = Fields(tag);
    for (std::size_t i = 0; i < edits_.size(); ++i) *values[i] = edits_[i]->text().trimmed();
    return tag;
}

void Id3v2View::ShowStatus(const QString& text, bool editable) {
    status_->setText(text);
    editable_ = editable;
    for (QLineEdit* edit : edits_) edit->setEnabled(editable);
}
