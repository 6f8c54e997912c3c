#pragma once

#include "playlist/PlaylistEntry.h"
#include "playlist/StationListFetcher.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TLxEdit;
class TLxPlaylist;

// The URL window: a typed address is added to the playlist. A station list
// (see StationListFetcher.h) adds its entries; the window shows the fetch
// under way and its failure. Non-modal; Enter accepts, Escape cancels.
class Turlform : public QDialog {
    Q_OBJECT
public:
    explicit Turlform(TLxPlaylist& playlist, QWidget* parent = nullptr);

    TLxEdit* urlbox;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QLabel* StatusLabel;
    TStationListFetcher& Fetcher() { return fetcher_; }

    // Shows the window centred over `anchor` (where it was when there is
    // none), raised, with the address focused and selected.
    void ShowOver(const QWidget* anchor);

    // OK: nothing for an empty box; an HTTP(S) address is fetched and its
    // entries added, any other text added as it is; the window then closes.
    // A failed fetch keeps it open with the reason and the text.
    void OkButtonClick();
    // Cancel, Escape and closing: abandons a fetch under way and hides.
    void reject() override;

private:
    void SetFetching(bool fetching);
    void ShowStatus(const QString& text);
    void Fetched(const TPlaylistEntries& entries);
    void FetchFailed(const QString& message);

    TLxPlaylist& playlist_;
    TStationListFetcher fetcher_;
};
