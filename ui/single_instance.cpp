#include "ui/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QLocalSocket>
#include <QtEndian>
#include <thread>

#include "ui/editing/mouse_editing.h"
#include "ui/editor_hooks.h"
#include "ui/hand_over_place.h"

namespace zk {

THandOverServer* HandOverServer = nullptr;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int ConnectTimeoutMs = 1000;
constexpr int RetryIntervalMs = 250;
constexpr std::chrono::milliseconds ClaimRetryInterval{20};
constexpr qsizetype LengthFieldSize = 4;
constexpr char RequestTaken = '\x01';
// Set on a connection once its request was taken or dropped.
constexpr const char* DoneProperty = "done";

// A label opened now would be replaced under a modal dialog, an exchange
// or a drag on the canvas that still works on the current one.
bool ReceiverBusy()
{
    return QApplication::activeModalWidget() != nullptr || IsExchangeInProgress() || MouseOperationInProgress();
}

int Remaining(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, std::numeric_limits<int>::max()));
}

// Waits for the editor's answer byte while letting events run: the editor
// may be this very process (tests), and its answer comes from the loop.
bool WaitForTaken(QLocalSocket& socket, Clock::time_point deadline)
{
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    while (socket.bytesAvailable() == 0 && socket.state() == QLocalSocket::ConnectedState &&
           Remaining(deadline) > 0) {
        timeout.start(Remaining(deadline));
        loop.exec();
    }
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == RequestTaken;
}

}  // namespace

QString HandOverServerName()
{
    const QString folder = HandOverFolder();
    return folder.isEmpty() ? QString() : folder + QString("/%1_%2").arg(HandOverBaseName).arg(getuid());
}

QString HandOverLockName(const QString& serverName)
{
    return serverName + ".lock";
}

bool HandOverToRunningInstance(const QString& serverName, const std::string& path,
                               std::chrono::milliseconds patience)
{
    const Clock::time_point deadline = Clock::now() + patience;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(std::min(ConnectTimeoutMs, Remaining(deadline)))) {
        return false;
    }
    // The label's path goes to no one but this user's own editor.
    if (!PeerIsThisUser(socket.socketDescriptor())) {
        socket.abort();
        return false;
    }
    QByteArray request(LengthFieldSize, '\0');
    qToBigEndian(static_cast<quint32>(path.size()), request.data());
    request.append(path.data(), static_cast<qsizetype>(path.size()));
    socket.write(request);
    const bool taken = WaitForTaken(socket, deadline);
    socket.abort();
    return taken;
}

TStartRole ClaimOrHandOver(THandOverServer& server, const QString& serverName, const std::string& path,
                           std::chrono::milliseconds patience)
{
    const Clock::time_point deadline = Clock::now() + patience;
    for (;;) {
        switch (server.Claim(serverName)) {
        case TClaim::Listening:
            return TStartRole::Editor;
        case TClaim::Failed:
            return TStartRole::EditorWithoutHandOver;
        case TClaim::HeldByAnother:
            break;
        }
        // The holder may not listen yet, or may be ending: then the claim
        // comes free and the next round takes it.
        if (HandOverToRunningInstance(serverName, path, std::chrono::milliseconds(Remaining(deadline)))) {
            return TStartRole::HandedOver;
        }
        if (Remaining(deadline) == 0) {
            return TStartRole::NoAnswer;
        }
        std::this_thread::sleep_for(std::min(ClaimRetryInterval, std::chrono::milliseconds(Remaining(deadline))));
    }
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

TClaim THandOverServer::Claim(const QString& serverName)
{
    if (m_lockFile >= 0) {
        return m_server.isListening() ? TClaim::Listening : TClaim::Failed;
    }
    // No private folder for the name: no name that only this user can have.
    if (serverName.isEmpty()) {
        return TClaim::Failed;
    }
    const QByteArray lockName = QFile::encodeName(HandOverLockName(serverName));
    m_lockFile = ::open(lockName.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (m_lockFile < 0) {
        return TClaim::Failed;
    }
    if (::flock(m_lockFile, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ReleaseLock();
        return held ? TClaim::HeldByAnother : TClaim::Failed;
    }
    // Only the lock's holder listens, so a socket on the name now is left
    // over from an editor that ended without removing it.
    QLocalServer::removeServer(serverName);
    if (!m_server.listen(serverName)) {
        ReleaseLock();
        return TClaim::Failed;
    }
    return TClaim::Listening;
}

void THandOverServer::Close()
{
    m_retryTimer.stop();
    // A request not yet taken gets no answer, so its sender tries again and
    // finds the next editor.
    for (QLocalSocket* socket : m_server.findChildren<QLocalSocket*>(Qt::FindDirectChildrenOnly)) {
        if (!socket->property(DoneProperty).toBool()) {
            socket->abort();
        }
    }
    // Closing removes the socket; it is this editor's own while it holds the lock.
    m_server.close();
    ReleaseLock();
}

void THandOverServer::ReleaseLock()
{
    if (m_lockFile >= 0) {
        ::close(m_lockFile);
        m_lockFile = -1;
    }
}

void THandOverServer::SetReceiver(std::function<void(const std::string&)> open, std::function<void()> raise)
{
    m_open = std::move(open);
    m_raise = std::move(raise);
}

void THandOverServer::AcceptConnections()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        // Only this user's own starts hand over labels or raise the window.
        if (!PeerIsThisUser(socket->socketDescriptor())) {
            socket->setProperty(DoneProperty, true);
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        ReadRequest(socket);
    }
}

void THandOverServer::ReadRequest(QLocalSocket* socket)
{
    if (socket->property(DoneProperty).toBool() || socket->bytesAvailable() < LengthFieldSize) {
        return;
    }
    char lengthField[LengthFieldSize];
    socket->peek(lengthField, LengthFieldSize);
    const quint32 length = qFromBigEndian<quint32>(lengthField);
    if (length > MaxHandOverPathLength) {
        socket->setProperty(DoneProperty, true);
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < LengthFieldSize + static_cast<qint64>(length)) {
        return;
    }
    socket->read(LengthFieldSize);
    const QByteArray path = socket->read(length);
    socket->setProperty(DoneProperty, true);
    socket->write(&RequestTaken, 1);
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
