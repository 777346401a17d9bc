#include "ui/single_instance.h"

#include <unistd.h>

#include <QApplication>
#include <QLocalSocket>
#include <QtEndian>

#include "ui/editing/mouse_editing.h"
#include "ui/editor_hooks.h"

namespace zk {

THandOverServer* HandOverServer = nullptr;

namespace {

constexpr int ConnectTimeoutMs = 1000;
constexpr int WriteTimeoutMs = 3000;
constexpr int RetryIntervalMs = 250;
constexpr qsizetype LengthFieldSize = 4;

// A label opened now would be replaced under a modal dialog, an exchange
// or a drag on the canvas that still works on the current one.
bool ReceiverBusy()
{
    return QApplication::activeModalWidget() != nullptr || IsExchangeInProgress() || MouseOperationInProgress();
}

}  // namespace

QString HandOverServerName()
{
    const QString name = QString("%1_%2").arg(HandOverBaseName).arg(getuid());
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    if (runtimeDir.startsWith('/')) {
        return QString::fromLocal8Bit(runtimeDir) + "/" + name;
    }
    return name;
}

bool HandOverToRunningInstance(const QString& serverName, const std::string& path)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(ConnectTimeoutMs)) {
        return false;
    }
    QByteArray request(LengthFieldSize, '\0');
    qToBigEndian(static_cast<quint32>(path.size()), request.data());
    request.append(path.data(), static_cast<qsizetype>(path.size()));
    socket.write(request);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(WriteTimeoutMs)) {
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(ConnectTimeoutMs);
    }
    return true;
}

THandOverServer::THandOverServer(QObject* parent) : QObject(parent)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_retryTimer.setInterval(RetryIntervalMs);
    connect(&m_server, &QLocalServer::newConnection, this, &THandOverServer::AcceptConnections);
    connect(&m_retryTimer, &QTimer::timeout, this, &THandOverServer::DeliverPending);
}

THandOverServer::~THandOverServer()
{
    Close();
    if (HandOverServer == this) {
        HandOverServer = nullptr;
    }
}

bool THandOverServer::Listen(const QString& serverName)
{
    // Someone answering means a live instance; silence means a socket left
    // by a crashed one, which is removed and taken over.
    QLocalSocket probe;
    probe.connectToServer(serverName);
    if (probe.waitForConnected(ConnectTimeoutMs)) {
        probe.abort();
        return false;
    }
    QLocalServer::removeServer(serverName);
    return m_server.listen(serverName);
}

void THandOverServer::Close()
{
    m_retryTimer.stop();
    m_server.close();
}

void THandOverServer::SetReceiver(std::function<void(const std::string&)> open, std::function<void()> raise)
{
    m_open = std::move(open);
    m_raise = std::move(raise);
}

void THandOverServer::AcceptConnections()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        ReadRequest(socket);
    }
}

void THandOverServer::ReadRequest(QLocalSocket* socket)
{
    if (socket->property("done").toBool() || socket->bytesAvailable() < LengthFieldSize) {
        return;
    }
    char lengthField[LengthFieldSize];
    socket->peek(lengthField, LengthFieldSize);
    const quint32 length = qFromBigEndian<quint32>(lengthField);
    if (length > MaxHandOverPathLength) {
        socket->setProperty("done", true);
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < LengthFieldSize + static_cast<qint64>(length)) {
        return;
    }
    socket->read(LengthFieldSize);
    const QByteArray path = socket->read(length);
    socket->setProperty("done", true);
    socket->disconnectFromServer();

    if (m_raise) {
        m_raise();
    }
    if (!path.isEmpty()) {
        m_pending.emplace_back(path.constData(), static_cast<std::size_t>(path.size()));
        DeliverPending();
    }
}

void THandOverServer::DeliverPending()
{
    while (!m_pending.empty()) {
        if (ReceiverBusy() || !m_open) {
            m_retryTimer.start();
            return;
        }
        std::string path = std::move(m_pending.front());
        m_pending.pop_front();
        m_open(path);
    }
    m_retryTimer.stop();
}

}  // namespace zk
