#pragma once
// One editor per user: the first instance listens on a local socket named
// after the user; a later start connects, hands over the label file named
// on its command line and asks the first to come to the front.
//
// A request is a 4-byte big-endian length and that many bytes of an
// absolute path; length 0 only asks to come forward.

#include <QLocalServer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

namespace zk {

inline constexpr const char* HandOverBaseName = "Label_Editor_File_Map_1";
// Longest path a request may carry; longer requests are dropped.
inline constexpr std::uint32_t MaxHandOverPathLength = 1u << 20;

// The socket's name: the base name and the user id, placed in
// XDG_RUNTIME_DIR when it is set.
QString HandOverServerName();

// Sends the request to a running instance; false when none answers.
bool HandOverToRunningInstance(const QString& serverName, const std::string& path);

class THandOverServer : public QObject {
    Q_OBJECT

public:
    explicit THandOverServer(QObject* parent = nullptr);
    ~THandOverServer() override;

    // Starts listening; a socket left by a crashed instance is removed and
    // taken over. False when another instance answers on it or listening fails.
    bool Listen(const QString& serverName);
    // Stops listening and removes the socket.
    void Close();
    bool IsListening() const { return m_server.isListening(); }

    // open receives each handed-over path; it runs only while no modal
    // dialog, no printer exchange and no drag on the canvas is running,
    // else later from a retry timer. raise runs at once for every request.
    void SetReceiver(std::function<void(const std::string&)> open, std::function<void()> raise);

    // Paths received and not yet opened.
    const std::deque<std::string>& Pending() const { return m_pending; }

private:
    void AcceptConnections();
    void ReadRequest(class QLocalSocket* socket);
    void DeliverPending();

    QLocalServer m_server;
    QTimer m_retryTimer;
    std::deque<std::string> m_pending;
    std::function<void(const std::string&)> m_open;
    std::function<void()> m_raise;
};

// The first instance's server; null when listening failed or in a later start.
extern THandOverServer* HandOverServer;

}  // namespace zk
