#include "player/mpris/MprisAdaptors.h"

#include "player/app/AppStrings.h"
#include "player/mpris/MprisHost.h"
#include "player/mpris/MprisService.h"

#include <QCoreApplication>

TMprisRootAdaptor::TMprisRootAdaptor(TMprisService* service) : QDBusAbstractAdaptor(service), m_service(service) {}

QString TMprisRootAdaptor::Identity() const { return QString::fromUtf8(AppStrings::ApplicationTitle); }

QString TMprisRootAdaptor::DesktopEntry() const { return QStringLiteral("taerin"); }

QStringList TMprisRootAdaptor::SupportedUriSchemes() const { return TMprisPlayer::UriSchemes(); }

QStringList TMprisRootAdaptor::SupportedMimeTypes() const {
    return {"audio/mpeg", "audio/mp2", "audio/x-mp2", "audio/x-mp3", "audio/x-mpeg", "audio/x-mpegurl"};
}

void TMprisRootAdaptor::Raise() { m_service->Host().Raise(); }

void TMprisRootAdaptor::Quit() { m_service->Host().Quit(); }

TMprisPlayerAdaptor::TMprisPlayerAdaptor(TMprisService* service) : QDBusAbstractAdaptor(service), m_service(service) {}

QString TMprisPlayerAdaptor::PlaybackStatus() const { return m_service->State().PlaybackStatus(); }

QString TMprisPlayerAdaptor::LoopStatus() const { return m_service->Player().LoopStatus(); }

void TMprisPlayerAdaptor::SetLoopStatus(const QString& status) {
    m_service->Player().SetLoopStatus(status);
    m_service->PublishChanges();
}

bool TMprisPlayerAdaptor::Shuffle() const { return m_service->Player().Shuffle(); }

void TMprisPlayerAdaptor::SetShuffle(bool shuffle) {
    m_service->Player().SetShuffle(shuffle);
    m_service->PublishChanges();
}

QVariantMap TMprisPlayerAdaptor::Metadata() const { return m_service->Metadata(); }

double TMprisPlayerAdaptor::Volume() const { return m_service->Host().Volume(); }

void TMprisPlayerAdaptor::SetVolume(double volume) {
    m_service->Host().SetVolume(volume);
    m_service->PublishChanges();
}

qlonglong TMprisPlayerAdaptor::Position() const { return m_service->State().PositionUs(); }

bool TMprisPlayerAdaptor::CanGoNext() const { return m_service->Player().CanGoNext(); }

bool TMprisPlayerAdaptor::CanGoPrevious() const { return m_service->Player().CanGoPrevious(); }

bool TMprisPlayerAdaptor::CanPlay() const { return m_service->Player().CanPlay(); }

bool TMprisPlayerAdaptor::CanPause() const { return m_service->Player().CanPause(); }

bool TMprisPlayerAdaptor::CanSeek() const { return m_service->Player().CanSeek(); }

void TMprisPlayerAdaptor::Play() { m_service->Player().Play(); }

void TMprisPlayerAdaptor::Pause() { m_service->Player().Pause(); }

void TMprisPlayerAdaptor::PlayPause() { m_service->Player().PlayPause(); }

void TMprisPlayerAdaptor::Stop() { m_service->Player().Stop(); }

void TMprisPlayerAdaptor::Next() { m_service->Player().Next(); }

void TMprisPlayerAdaptor::Previous() { m_service->Player().Previous(); }

void TMprisPlayerAdaptor::Seek(qlonglong offset) {
    if (const std::optional<int64_t> reached = m_service->Player().Seek(offset)) m_service->AnnounceSeek(*reached);
}

void TMprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position) {
    if (const std::optional<int64_t> reached = m_service->Player().SetPosition(trackId.path(), position))
        m_service->AnnounceSeek(*reached);
}

void TMprisPlayerAdaptor::OpenUri(const QString& uri) {
    if (!m_service->Player().OpenUri(uri)) m_service->RefuseCall(QStringLiteral("Cannot open %1").arg(uri));
}
