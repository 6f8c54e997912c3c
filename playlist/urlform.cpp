#include "playlist/urlform.h"

#include "playlist/LxControls.h"
#include "playlist/PlaylistStrings.h"
#include "skin/controls/LxEdit.h"

#include <QPushButton>

Turlform::Turlform(TLxPlaylist& playlist, QWidget* parent)
    : QWidget(parent, Qt::Tool), urlbox(new TLxEdit(this)), OkButton(new QPushButton(this)), playlist_(playlist) {
    setWindowTitle(QString::fromUtf8(PlaylistStrings::UrlCaption));
    setFixedSize(424, 37);
    urlbox->setGeometry(8, 8, 331, 21);
    OkButton->setText(QString::fromUtf8(PlaylistStrings::UrlOk));
    OkButton->setGeometry(344, 6, 72, 25);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(urlbox, &QLineEdit::returnPressed, this, [this] { OkButtonClick(); });
}

void Turlform::OkButtonClick() {
    if (!urlbox->IsEmpty()) playlist_.AddItem(urlbox->Text());
}
