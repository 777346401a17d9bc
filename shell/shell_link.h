#pragma once
// TQorShellLink keeps the shell controls tied to it on one folder: each
// control reports its navigation to the link, which relays it to every other
// control, synchronously and in registration order. A control never hears
// its own report, and what a receiver reports while handling a path change
// is dropped, so two linked controls cannot echo each other.

#include <QObject>

#include <functional>
#include <string>
#include <vector>

namespace zk {

// What a linked control answers; the link calls these in place of messages.
class TQorShellLinkClient {
public:
    virtual ~TQorShellLinkClient() = default;
    // The new current folder's identifier (platform/shell_browser.h).
    virtual void QORPathChanged(const std::string& folderId) = 0;
    virtual void QORSelectAll() {}
    virtual void QORRefresh() {}
    virtual void QORSmartRefresh() {}
    // 1 when the control went up for the sender.
    virtual int QORGoUp() { return 0; }
    virtual void QORFileChanged(const std::string& /*folderId*/, const std::string& /*itemId*/) {}
};

class TQorShellLink : public QObject {
    Q_OBJECT
public:
    explicit TQorShellLink(QObject* owner = nullptr) : QObject(owner) {}

    bool Enabled = true;
    std::function<void(TQorShellLink&)> OnChange;  // after each path or file broadcast

    // A control may be registered more than once; Unregister takes out one.
    void RegisterShellControl(TQorShellLinkClient* control);
    void UnregisterShellControl(TQorShellLinkClient* control);
    const std::vector<TQorShellLinkClient*>& Controls() const { return m_controls; }

    void PathChanged(TQorShellLinkClient* sender, const std::string& folderId);
    void FileChanged(TQorShellLinkClient* sender, const std::string& folderId, const std::string& itemId);
    void SelectAll(TQorShellLinkClient* sender);
    void Refresh(TQorShellLinkClient* sender);
    void SmartRefresh(TQorShellLinkClient* sender);
    // The first other control that answers 1 goes up; when none does, the
    // sender goes up by itself.
    void GoUp(TQorShellLinkClient* sender);

private:
    // Calls the message on every control but the sender (over a copy, so a
    // receiver may unregister).
    void Broadcast(TQorShellLinkClient* sender, const std::function<void(TQorShellLinkClient&)>& message);

    std::vector<TQorShellLinkClient*> m_controls;
};

}  // namespace zk
