#pragma once

#include "player/mpris/MprisPlayer.h"
#include "player/mpris/MprisState.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

class TMprisHost;
class TMprisPlayerAdaptor;
struct TZelkorEvents;
struct ZK_Message;

// The player on the session bus as org.mpris.MediaPlayer2.taerin: the root
// and player interfaces at /org/mpris/MediaPlayer2. It follows the engine's
// notifications and what the host reports changed (repeat, shuffle, a
// stream's title, seekability), and announces changed properties with
// PropertiesChanged.
class TMprisService : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    static constexpr char ServiceName[] = "org.mpris.MediaPlayer2.taerin";
    static constexpr char ObjectPath[] = "/org/mpris/MediaPlayer2";
    static constexpr char PlayerInterface[] = "org.mpris.MediaPlayer2.Player";

    explicit TMprisService(TMprisHost& host, QObject* parent = nullptr);
    ~TMprisService() override;

    // Exports the object and takes the bus name; false when the bus is not
    // connected or the name is taken (the player then runs without it).
    bool Register(QDBusConnection connection);
    // Follows the engine's notifications, after whatever handler was there.
    void AttachTo(TZelkorEvents& events);
    void Notify(const ZK_Message& message);
    // Sends PropertiesChanged for the player properties changed since the
    // last call (Position is never announced: clients ask for it).
    void PublishChanges();

    TMprisHost& Host() { return m_host; }
    TMprisState& State() { return m_state; }
    TMprisPlayer& Player() { return m_player; }
    QVariantMap Metadata() const;
    // Every player property but Position, by name.
    QVariantMap PlayerProperties() const;
    // Announces a jump for the Seeked signal.
    void AnnounceSeek(int64_t positionUs);
    // For a method call that cannot be served: an error reply to the caller.
    void RefuseCall(const QString& message);

private:
    TMprisHost& m_host;
    TMprisState m_state;
    TMprisPlayer m_player;
    TMprisPlayerAdaptor* m_playerAdaptor;
    QDBusConnection m_connection;
    bool m_registered = false;
    QVariantMap m_published;
    QTimer m_poll;
};

// The session bus when one is configured; a disconnected connection otherwise
// (no bus is started on demand).
QDBusConnection SessionBusIfAny();
