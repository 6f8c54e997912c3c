#include "tags/Id3v2View.h"

#include "tags/Id3v2Parser.h"
#include "tags/TagStrings.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

Id3v2View::Id3v2View(QWidget* parent) : QWidget(parent) {
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    fields_ = new QTreeWidget(this);
    fields_->setColumnCount(2);
    fields_->header()->hide();
    fields_->setRootIsDecorated(false);
    fields_->setSelectionMode(QAbstractItemView::NoSelection);
    fields_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(status_);
    layout->addWidget(fields_);
    ShowTag(Id3v2Tag{});
}

void Id3v2View::ShowFile(const QString& fileName) {
    try {
        ShowTag(Id3v2Parser::ReadFile(fileName));
    } catch (const std::exception& error) {
        ShowStatus(QString::fromUtf8(error.what()));
    }
}

void Id3v2View::ShowTag(const Id3v2Tag& tag) {
    switch (tag.status) {
    case Id3v2Tag::Status::NoTag: ShowStatus(QString::fromUtf8(TagStrings::NoId3v2Tag)); return;
    case Id3v2Tag::Status::Unsupported:
        ShowStatus(QString::fromUtf8(TagStrings::UnsupportedId3v2).arg(tag.majorVersion));
        return;
    case Id3v2Tag::Status::Read: break;
    }
    ShowStatus(QString::fromUtf8(TagStrings::Id3v2Version).arg(tag.majorVersion).arg(tag.revision));
    const std::pair<const char*, const QString*> rows[] = {
        {TagStrings::FieldTitle, &tag.title},     {TagStrings::FieldArtist, &tag.artist},
        {TagStrings::FieldAlbum, &tag.album},     {TagStrings::FieldYear, &tag.year},
        {TagStrings::FieldTrack, &tag.track},     {TagStrings::FieldGenre, &tag.genre},
        {TagStrings::FieldComment, &tag.comment},
    };
    for (const auto& [caption, value] : rows) {
        auto* item = new QTreeWidgetItem(fields_);
        item->setText(0, QString::fromUtf8(caption));
        item->setText(1, *value);
        item->setToolTip(1, *value);
    }
    fields_->resizeColumnToContents(0);
    fields_->show();
}

QString Id3v2View::StatusText() const { return status_->text(); }

QString Id3v2View::Value(const QString& caption) const {
    const QList<QTreeWidgetItem*> found = fields_->findItems(caption, Qt::MatchExactly, 0);
    return found.isEmpty() ? QString() : found.first()->text(1);
}

void Id3v2View::ShowStatus(const QString& text) {
    status_->setText(text);
    fields_->clear();
    fields_->setVisible(false);
}
