#include "playlist/StationListFetcher.h"

#include "playlist/EntryLocation.h"
#include "playlist/PlaylistStrings.h"
#include "playlist/PlaylistText.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QUrl>

namespace S = PlaylistStrings;

namespace {

std::optional<TPlaylistFormat> FormatOfContentType(const QByteArray& header) {
    const QByteArray value = header.toLower();
    const QByteArray type = value.split(';').first().trimmed();
    if (type == "audio/x-scpls" || type == "audio/scpls" || type == "application/pls+xml") return TPlaylistFormat::Pls;
    if (type == "application/vnd.apple.mpegurl" || type == "application/vnd.apple.mpegurl.audio")
        return TPlaylistFormat::M3u8;
    if (type == "audio/x-mpegurl" || type == "audio/mpegurl" || type == "application/x-mpegurl" ||
        type == "application/mpegurl")
        return value.contains("charset=utf-8") ? TPlaylistFormat::M3u8 : TPlaylistFormat::M3u;
    return std::nullopt;
}

bool IsWebPage(const QByteArray& contentType) {
    return contentType.toLower().split(';').first().trimmed() == "text/html";
}

// The system's certificate authorities, and those named by SSL_CERT_FILE and
// SSL_CERT_DIR (colon-separated folders of PEM files) as the engine trusts.
QSslConfiguration TlsConfiguration() {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    const QString file = qEnvironmentVariable("SSL_CERT_FILE");
    if (!file.isEmpty()) configuration.addCaCertificates(file);
    for (const QString& folder : qEnvironmentVariable("SSL_CERT_DIR").split(u':', Qt::SkipEmptyParts))
        configuration.addCaCertificates(folder + QLatin1String("/*"), QSsl::Pem,
                                        QSslCertificate::PatternSyntax::Wildcard);
    return configuration;
}

int HttpStatus(const QNetworkReply& reply) { return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); }

} // namespace

TStationListFetcher::TStationListFetcher(QObject* parent) : QObject(parent) {}

TStationListFetcher::~TStationListFetcher() { Cancel(); }

bool TStationListFetcher::IsFetched(const QString& address) {
    return address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

void TStationListFetcher::Fetch(const QString& address) {
    Cancel();
    address_ = address;
    const QUrl url(address);
    if (!url.isValid() || url.host().isEmpty() || !IsFetched(address)) return Fail(S::InvalidAddress);

    named_ = PlaylistFormatOfName(url.path());
    format_.reset();
    body_.clear();
    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(timeout_.count()));
    if (url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0)
        request.setSslConfiguration(TlsConfiguration());
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Taerin"));
    reply_ = manager_.get(request);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &TStationListFetcher::HeadersArrived);
    connect(reply_, &QNetworkReply::readyRead, this, &TStationListFetcher::DataArrived);
    connect(reply_, &QNetworkReply::finished, this, &TStationListFetcher::ReplyFinished);
}

void TStationListFetcher::Cancel() {
    if (QNetworkReply* reply = DropReply()) reply->deleteLater();
}

QNetworkReply* TStationListFetcher::DropReply() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (reply) {
        reply->disconnect(this);
        reply->abort();
    }
    return reply;
}

void TStationListFetcher::Fail(const char* message, const QString& detail) {
    if (QNetworkReply* reply = DropReply()) reply->deleteLater();
    // One pass over the message, so that a "%2" in the address stays.
    const QString text = QString::fromUtf8(message);
    emit Failed(detail.isEmpty() ? text.arg(address_) : text.arg(address_, detail));
}

void TStationListFetcher::Succeed(const TPlaylistEntries& entries) {
    if (QNetworkReply* reply = DropReply()) reply->deleteLater();
    emit Fetched(entries);
}

void TStationListFetcher::HeadersArrived() {
    const int status = HttpStatus(*reply_);
    if (status >= 300) return; // a redirect being followed, or an error the end reports
    body_.clear();             // the final reply's body follows its headers
    const QByteArray contentType = reply_->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    format_ = FormatOfContentType(contentType);
    if (!format_) format_ = PlaylistFormatOfName(reply_->url().path());
    if (!format_) format_ = named_;
    if (!format_) return Succeed({{address_, {}}}); // audio: the stream is not downloaded here
    if (IsWebPage(contentType)) return Fail(S::NotStationList);
}

void TStationListFetcher::DataArrived() {
    body_ += reply_->readAll();
    if (body_.size() > MaxStationListBytes)
        Fail(S::StationListTooLarge, QString::number(MaxStationListBytes / (1024 * 1024)));
}

void TStationListFetcher::ReplyFinished() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    if (reply->isOpen()) body_ += reply->readAll();

    if (reply->error() != QNetworkReply::NoError) {
        // Servers answering in their own dialect ("ICY 200 OK") fail here but
        // play, and a station may be down for now: an address that announces
        // no list stays an entry unless the server refused it.
        if (!named_ && !format_ && HttpStatus(*reply) < 400) return Succeed({{address_, {}}});
        const bool timedOut =
            reply->error() == QNetworkReply::OperationCanceledError || reply->error() == QNetworkReply::TimeoutError;
        const QString reason =
            timedOut ? QString::fromUtf8(S::NoAnswer).arg(timeout_.count() / 1000.0) : reply->errorString();
        return Fail(S::CannotFetch, reason);
    }
    if (!format_) format_ = named_;
    if (!format_) return Succeed({{address_, {}}});
    if (body_.size() > MaxStationListBytes)
        return Fail(S::StationListTooLarge, QString::number(MaxStationListBytes / (1024 * 1024)));
    if (HoldsBinaryData(body_)) return Fail(S::StationListNotText);

    const QUrl base = reply->url();
    const TPlaylistEntries entries =
        ParsePlaylist(body_, *format_, [&base](const QString& entry) { return ResolveRemoteEntry(entry, base); });
    if (entries.isEmpty()) return Fail(S::NoStations);
    Succeed(entries);
}
