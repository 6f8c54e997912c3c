#include "desktop/SingleInstance.h"

#include "desktop/InstanceRequest.h"
#include "desktop/files/LocalFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kAccepted = 1;
constexpr int kConnectMs = 1000;
constexpr int kReplyMs = 5000;
constexpr int kLockMs = 5000;
// A request that stays incomplete this long is dropped.
constexpr int kRequestMs = 5000;

// In a shared temporary directory another user could have put something at
// the path: only this user's own socket is talked to or replaced.
bool OwnSocketOrNothing(const QString& path) {
    struct stat status {};
    if (lstat(QFile::encodeName(path).constData(), &status) != 0) return errno == ENOENT;
    return S_ISSOCK(status.st_mode) && status.st_uid == getuid();
}

} // namespace

TSingleInstance::TSingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), m_socketPath(std::move(socketPath)) {}

TSingleInstance::~TSingleInstance() {
    if (m_server) m_server->close(); // removes the socket file
}

QString TSingleInstance::DefaultSocketPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime + QStringLiteral("/taerin.instance");
    return QDir::tempPath() + QStringLiteral("/taerin-%1.instance").arg(getuid());
}

QStringList TSingleInstance::Resolved(const QStringList& names) {
    QStringList resolved;
    for (const QString& name : names)
        resolved << (name.contains(QLatin1String("://")) ? name : LocalFiles::AbsolutePath(name));
    return resolved;
}

bool TSingleInstance::Listening() const { return m_server && m_server->isListening(); }

bool TSingleInstance::HandOverOrListen(const QStringList& names) {
    // Two players starting at once: one listens, the other hands over.
    QLockFile lock(m_socketPath + QStringLiteral(".lock"));
    const bool locked = lock.tryLock(kLockMs);
    if (!OwnSocketOrNothing(m_socketPath)) return false;
    if (HandOver(names)) return true;
    if (!locked) return false;
    QLocalServer::removeServer(m_socketPath); // nobody answered on it
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &TSingleInstance::Accept);
    if (!m_server->listen(m_socketPath)) m_server.reset();
    return false;
}

bool TSingleInstance::HandOver(const QStringList& names) {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kConnectMs)) return false;
    socket.write(InstanceRequest::Encode(Resolved(names)));
    if (!socket.waitForBytesWritten(kReplyMs)) return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kReplyMs)) return false;
    char reply = 0;
    return socket.getChar(&reply) && reply == kAccepted;
}

void TSingleInstance::Accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            m_received.remove(socket);
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        QTimer::singleShot(kRequestMs, socket, [socket] { socket->abort(); });
    }
}

void TSingleInstance::Read(QLocalSocket* socket) {
    QByteArray& received = m_received[socket];
    received += socket->readAll();
    QStringList names;
    switch (InstanceRequest::Decode(received, names)) {
    case InstanceRequest::Status::Incomplete:
        if (received.size() <= InstanceRequest::MaxBytes) return;
        [[fallthrough]];
    case InstanceRequest::Status::Invalid:
        m_received.remove(socket);
        socket->abort();
        return;
    case InstanceRequest::Status::Complete: break;
    }
    m_received.remove(socket);
    socket->putChar(kAccepted);
    socket->flush();
    socket->disconnectFromServer();
    if (OnRequest) OnRequest(names);
}
