#include "tags/id3form.h"

#include "desktop/files/LocalFiles.h"
#include "skin/controls/PlayerStyle.h"
#include "tags/Id3v2View.h"
#include "tags/Id3v2Writer.h"
#include "tags/LxVisualId3v1.h"
#include "tags/TagStrings.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <stdexcept>

namespace S = TagStrings;

Tid3form::Tid3form(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QString::fromUtf8(S::WindowCaption));
    PlayerStyle::Apply(this);

    PageControl = new QTabWidget(this);
    auto* id3v1Page = new QWidget;
    LxVisualId3v11 = new TLxVisualId3v1(id3v1Page);
    LxVisualId3v11->SetReadonly(false);
    auto* id3v1Layout = new QVBoxLayout(id3v1Page);
    id3v1Layout->setContentsMargins(4, 0, 4, 0);
    id3v1Layout->addWidget(LxVisualId3v11);
    PageControl->addTab(id3v1Page, QString::fromUtf8(S::PageId3v1));

    Id3v2Page = new Id3v2View;
    PageControl->addTab(Id3v2Page, QString::fromUtf8(S::PageId3v2));
    connect(LxVisualId3v11, &TLxVisualId3v1::FilenameChanged, Id3v2Page, &Id3v2View::ShowFile);
    connect(LxVisualId3v11, &TLxVisualId3v1::FilenameChanged, this, [this] { StatusLabel->clear(); });

    StatusLabel = new QLabel(this);
    StatusLabel->setTextFormat(Qt::PlainText);
    StatusLabel->setWordWrap(true);
    SaveButton = new QPushButton(QString::fromUtf8(S::SaveButton), this);
    CloseButton = new QPushButton(QString::fromUtf8(S::CloseButton), this);
    connect(SaveButton, &QPushButton::clicked, this, [this] { Save(); });
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StatusLabel, 1);
    buttons->addWidget(SaveButton);
    buttons->addWidget(CloseButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);
    adjustSize();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool Tid3form::Save() {
    const QString file = LxVisualId3v11->Filename();
    if (file.isEmpty()) {
        StatusLabel->setText(QString::fromUtf8(S::NoFile));
        return false;
    }
    // Nothing is written unless both tags can be: a file shorter than an
    // ID3v1 tag is refused before its ID3v2 tag changes.
    if (LocalFiles::FileSize(file) < TLxId3v1::TagSize) {
        StatusLabel->setText(QString::fromUtf8(S::TooShortForTag).arg(file));
        return false;
    }
    // The ID3v2 tag first: rewriting the file keeps the ID3v1 block at its end.
    if (Id3v2Page->Editable()) {
        try {
            Id3v2Writer::WriteFile(file, Id3v2Page->Edited());
        } catch (const std::runtime_error& error) {
            StatusLabel->setText(QString::fromUtf8(error.what()));
            return false;
        }
    }
    if (!LxVisualId3v11->WriteTag()) {
        StatusLabel->setText(QString::fromUtf8(S::CannotWriteId3v1).arg(file));
        return false;
    }
    LxVisualId3v11->SetFilename(file);
    StatusLabel->setText(QString::fromUtf8(S::Saved));
    emit Saved(file);
    return true;
}
