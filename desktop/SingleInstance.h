#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

// One player per user: the first player listens on a local socket of the
// user's ($XDG_RUNTIME_DIR, else the temporary directory with the user id in
// its name); a later start hands its command line to it and ends. A request
// is a list of names (files resolved against the sender's directory, or
// URLs); an empty list asks the player to show itself.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TSingleInstance(QString socketPath = DefaultSocketPath(), QObject* parent = nullptr);
    ~TSingleInstance() override;

    static QString DefaultSocketPath();

    // Hands `names` to the running player, or starts listening when there
    // is none (a socket left by a dead player is replaced). True when a
    // running player took them; false when this process is now the one
    // that listens, or runs alone because it could do neither.
    bool HandOverOrListen(const QStringList& names);
    bool Listening() const;

    // Names of a request that arrived; empty to show the player.
    std::function<void(const QStringList& names)> OnRequest;

    // The names as a running player receives them: paths made absolute.
    static QStringList Resolved(const QStringList& names);

private:
    bool HandOver(const QStringList& names);
    void Accept();
    void Read(QLocalSocket* socket);

    QString m_socketPath;
    std::unique_ptr<QLocalServer> m_server;
    // Bytes of requests still arriving.
    QHash<QLocalSocket*, QByteArray> m_received;
};
