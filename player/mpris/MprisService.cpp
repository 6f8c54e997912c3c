#include "player/mpris/MprisService.h"

#include "player/binding/ZelkorEvents.h"
#include "player/mpris/MprisAdaptors.h"
#include "player/mpris/MprisHost.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFileInfo>
#include <zelkor.h>

namespace {

// How often properties the engine does not report (volume, playlist size) are compared.
constexpr int kPollMilliseconds = 1000;

} // namespace

TMprisService::TMprisService(TMprisHost& host, QObject* parent)
    : QObject(parent), m_host(host), m_player(host, m_state), m_playerAdaptor(new TMprisPlayerAdaptor(this)),
      m_connection(QStringLiteral("not connected")) {
    new TMprisRootAdaptor(this);
    m_host.Follow([this] { PublishChanges(); });
    m_poll.setInterval(kPollMilliseconds);
    connect(&m_poll, &QTimer::timeout, this, &TMprisService::PublishChanges);
}

TMprisService::~TMprisService() {
    if (!m_registered) return;
    m_connection.unregisterService(QString::fromLatin1(ServiceName));
    m_connection.unregisterObject(QString::fromLatin1(ObjectPath));
}

bool TMprisService::Register(QDBusConnection connection) {
    if (m_registered || !connection.isConnected()) return false;
    if (!connection.registerObject(QString::fromLatin1(ObjectPath), this, QDBusConnection::ExportAdaptors))
        return false;
    if (!connection.registerService(QString::fromLatin1(ServiceName))) {
        connection.unregisterObject(QString::fromLatin1(ObjectPath));
        return false;
    }
    m_connection = connection;
    m_registered = true;
    m_published = PlayerProperties();
    m_poll.start();
    return true;
}

void TMprisService::AttachTo(TZelkorEvents& events) {
    events.OnNotifyMessage = [this, previous = std::move(events.OnNotifyMessage)](QObject* sender,
                                                                                  ZK_Message& message) {
        if (previous) previous(sender, message);
        Notify(message);
    };
}

void TMprisService::Notify(const ZK_Message& message) {
    switch (message.code) {
    case ZK_MSG_NOTIFY_INPUT_NAME: {
        const QString name = QString::fromUtf8(message.name.name ? message.name.name : "");
        m_state.TrackOpened(name, TTrackTags::Read(name));
        break;
    }
    case ZK_MSG_NOTIFY_PLAYER_STATE: m_state.PlayerStateChanged(message.byte.state); break;
    case ZK_MSG_NOTIFY_INPUT_DURATION: m_state.DurationChanged(message.value.duration); break;
    case ZK_MSG_NOTIFY_INPUT_TIMECODE: {
        const auto& t = message.timecode;
        m_state.TimecodeChanged(t.hours, t.minutes, t.seconds, t.fractions);
        return; // Position is not announced
    }
    default: return;
    }
    PublishChanges();
}

QVariantMap TMprisService::Metadata() const {
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(m_state.TrackId())));
    if (!m_state.HasTrack()) return metadata;
    const TTrackTags& tags = m_state.Tags();
    metadata.insert(QStringLiteral("xesam:title"), m_player.Title());
    if (!tags.Artist.isEmpty()) metadata.insert(QStringLiteral("xesam:artist"), QStringList{tags.Artist});
    if (!tags.Album.isEmpty()) metadata.insert(QStringLiteral("xesam:album"), tags.Album);
    if (m_state.LengthUs() > 0) metadata.insert(QStringLiteral("mpris:length"), qlonglong(m_state.LengthUs()));
    metadata.insert(QStringLiteral("xesam:url"), m_state.Url());
    return metadata;
}

QVariantMap TMprisService::PlayerProperties() const {
    return {
        {QStringLiteral("PlaybackStatus"), m_state.PlaybackStatus()},
        {QStringLiteral("LoopStatus"), m_player.LoopStatus()},
        {QStringLiteral("Shuffle"), m_player.Shuffle()},
        {QStringLiteral("Metadata"), Metadata()},
        {QStringLiteral("Volume"), m_host.Volume()},
        {QStringLiteral("CanGoNext"), m_player.CanGoNext()},
        {QStringLiteral("CanGoPrevious"), m_player.CanGoPrevious()},
        {QStringLiteral("CanPlay"), m_player.CanPlay()},
        {QStringLiteral("CanPause"), m_player.CanPause()},
        {QStringLiteral("CanSeek"), m_player.CanSeek()},
    };
}

void TMprisService::PublishChanges() {
    if (!m_registered) return;
    const QVariantMap now = PlayerProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (m_published.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
    m_published = now;
    if (changed.isEmpty()) return;
    QDBusMessage signal =
        QDBusMessage::createSignal(QString::fromLatin1(ObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(PlayerInterface) << changed << QStringList();
    m_connection.send(signal);
}

void TMprisService::AnnounceSeek(int64_t positionUs) { emit m_playerAdaptor->Seeked(positionUs); }

void TMprisService::RefuseCall(const QString& message) {
    if (calledFromDBus()) sendErrorReply(QDBusError::NotSupported, message);
}

QDBusConnection SessionBusIfAny() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool configured = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
                            (!runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists());
    return configured ? QDBusConnection::sessionBus() : QDBusConnection(QStringLiteral("not connected"));
}
