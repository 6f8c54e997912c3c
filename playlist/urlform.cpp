#include "playlist/urlform.h"

#include "playlist/LxControls.h"
#include "playlist/PlaylistStrings.h"
#include "skin/controls/LxEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

Turlform::Turlform(TLxPlaylist& playlist, QWidget* parent)
    : QDialog(parent), urlbox(new TLxEdit(this)), OkButton(new QPushButton(this)), CancelButton(new QPushButton(this)),
      StatusLabel(new QLabel(this)), playlist_(playlist) {
    setWindowTitle(QString::fromUtf8(PlaylistStrings::UrlCaption));
    setFixedSize(424, 68);
    urlbox->setGeometry(8, 8, 331, 21);
    OkButton->setText(QString::fromUtf8(PlaylistStrings::UrlOk));
    OkButton->setGeometry(344, 6, 72, 25);
    OkButton->setDefault(true);
    CancelButton->setText(QString::fromUtf8(PlaylistStrings::UrlCancel));
    CancelButton->setGeometry(344, 37, 72, 25);
    CancelButton->setAutoDefault(false);
    StatusLabel->setGeometry(8, 33, 331, 32);
    StatusLabel->setWordWrap(true);
    StatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Enter reaches OK as the default button.
    connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { reject(); });
    connect(&fetcher_, &TStationListFetcher::Fetched, this, &Turlform::Fetched);
    connect(&fetcher_, &TStationListFetcher::Failed, this, &Turlform::FetchFailed);
}

void Turlform::ShowOver(const QWidget* anchor) {
    if (anchor && anchor->isVisible()) {
        QRect placed(QPoint(), frameGeometry().size());
        placed.moveCenter(anchor->frameGeometry().center());
        if (const QScreen* screen = anchor->screen()) {
            const QRect area = screen->availableGeometry();
            placed.moveLeft(qBound(area.left(), placed.left(), qMax(area.left(), area.right() - placed.width())));
            placed.moveTop(qBound(area.top(), placed.top(), qMax(area.top(), area.bottom() - placed.height())));
        }
        move(placed.topLeft());
    }
    show();
    raise();
    activateWindow();
    urlbox->setFocus(Qt::ActiveWindowFocusReason);
    urlbox->selectAll();
}

void Turlform::OkButtonClick() {
    const QString address = urlbox->Text().trimmed();
    if (address.isEmpty() || fetcher_.Busy()) return;
    if (!TStationListFetcher::IsFetched(address)) {
        playlist_.AddItem(address);
        hide();
        return;
    }
    SetFetching(true);
    fetcher_.Fetch(address);
}

void Turlform::reject() {
    fetcher_.Cancel();
    SetFetching(false);
    ShowStatus({});
    QDialog::reject();
}

void Turlform::SetFetching(bool fetching) {
    OkButton->setEnabled(!fetching);
    urlbox->setReadOnly(fetching);
    if (fetching) ShowStatus(QString::fromUtf8(PlaylistStrings::UrlFetching));
}

void Turlform::ShowStatus(const QString& text) {
    StatusLabel->setText(text);
    StatusLabel->setToolTip(text);
}

void Turlform::Fetched(const TPlaylistEntries& entries) {
    SetFetching(false);
    ShowStatus({});
    playlist_.AddEntries(entries);
    hide();
}

void Turlform::FetchFailed(const QString& message) {
    SetFetching(false);
    ShowStatus(message);
    urlbox->setFocus(Qt::OtherFocusReason);
    urlbox->selectAll();
}
