#pragma once

#include "playlist/PlaylistEntry.h"
#include "playlist/PlaylistFile.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

#include <chrono>
#include <optional>

class QNetworkReply;

// Finds what an address typed by the user stands for. An HTTP(S) address that
// answers with a station list (its name ends in .pls, .m3u or .m3u8, or the
// reply's Content-Type is a playlist type) stands for the list's entries with
// their titles; any other address stands for itself. The fetch runs on the
// event loop: one at a time, the result comes as a signal.
class TStationListFetcher : public QObject {
    Q_OBJECT
public:
    explicit TStationListFetcher(QObject* parent = nullptr);
    ~TStationListFetcher() override;

    // Only http:// and https:// addresses are fetched; others stand for themselves.
    static bool IsFetched(const QString& address);

    // A server that sends nothing for this long fails the fetch.
    void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    // Starts fetching `address`, cancelling a fetch under way. Ends with one
    // Fetched or Failed signal (Failed at once for an invalid address).
    void Fetch(const QString& address);
    // Abandons the fetch under way; no signal follows.
    void Cancel();
    bool Busy() const { return reply_ != nullptr; }

signals:
    void Fetched(const TPlaylistEntries& entries);
    void Failed(const QString& message);

private:
    void HeadersArrived();
    void DataArrived();
    void ReplyFinished();
    void Fail(const char* message, const QString& detail = {});
    void Succeed(const TPlaylistEntries& entries);
    // Detaches and aborts the reply under way; returns it for deletion.
    QNetworkReply* DropReply();

    QNetworkAccessManager manager_;
    QNetworkReply* reply_ = nullptr;
    std::chrono::milliseconds timeout_{10000};
    QString address_;
    std::optional<TPlaylistFormat> named_;  // the format the address's name announces
    std::optional<TPlaylistFormat> format_; // the format of the reply, once its headers came
    QByteArray body_;
};

inline constexpr qint64 MaxStationListBytes = 4 * 1024 * 1024;
