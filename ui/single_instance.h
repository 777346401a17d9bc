#pragma once
// One editor per user: the first instance claims an exclusive lock on a
// file beside a local socket named after the user, holds it for its
// lifetime and listens on the socket; a later start connects, hands over
// the label file named on its command line and asks the first to come to
// the front. Both sides talk only to a peer of the same user.
//
// A request is a 4-byte big-endian length and that many bytes of an
// absolute path; length 0 only asks to come forward. The editor answers
// one byte once it has taken the request, so a start whose request went
// unanswered (the editor was ending) knows to try again.

#include <QLocalServer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>
#include <string>

namespace zk {

inline constexpr const char* HandOverBaseName = "Label_Editor_File_Map_1";
// Longest path a request may carry; longer requests are dropped.
inline constexpr std::uint32_t MaxHandOverPathLength = 1u << 20;
// How long a later start waits for an editor that holds the claim to take
// its request: the editor may still be starting.
inline constexpr std::chrono::milliseconds HandOverPatience{20000};

// The socket's name: the base name and the user id, in the user's private
// folder (HandOverFolder); empty when there is none.
QString HandOverServerName();

// The lock file that makes the claim on serverName.
QString HandOverLockName(const QString& serverName);

// Sends the request to a running instance and waits, at most patience, for
// it to be taken; false when none answers or the request wasn't taken.
bool HandOverToRunningInstance(const QString& serverName, const std::string& path,
                               std::chrono::milliseconds patience = HandOverPatience);

enum class TClaim {
    Listening,      // this is the editor and takes hand-overs
    HeldByAnother,  // another live editor holds the claim
    Failed,         // the lock file or the socket can't be had
};

class THandOverServer : public QObject {
    Q_OBJECT

public:
    explicit THandOverServer(QObject* parent = nullptr);
    ~THandOverServer() override;

    // Takes the lock beside the name and listens. A socket found on the name
    // then was left by an editor that ended without removing it (a crash):
    // it is removed and taken over.
    TClaim Claim(const QString& serverName);
    bool Listen(const QString& serverName) { return Claim(serverName) == TClaim::Listening; }
    // Stops listening, hangs up on requests not yet taken, removes the
    // socket (this editor's own) and gives up the claim.
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
    void ReleaseLock();

    QLocalServer m_server;
    int m_lockFile = -1;
    QTimer m_retryTimer;
    std::deque<std::string> m_pending;
    std::function<void(const std::string&)> m_open;
    std::function<void()> m_raise;
};

enum class TStartRole {
    Editor,                 // listening: hand-overs come to this process
    EditorWithoutHandOver,  // the claim can't be had; this process edits alone
    HandedOver,             // the running editor took the request
    NoAnswer,               // an editor holds the claim but took nothing within patience
};

// Becomes the editor, or hands path over to the one that holds the claim,
// trying both until one succeeds or patience runs out.
TStartRole ClaimOrHandOver(THandOverServer& server, const QString& serverName, const std::string& path,
                           std::chrono::milliseconds patience = HandOverPatience);

// The first instance's server; null when listening failed or in a later start.
extern THandOverServer* HandOverServer;

}  // namespace zk
