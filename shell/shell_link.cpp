#include "shell/shell_link.h"

#include <algorithm>

namespace zk {

void TQorShellLink::RegisterShellControl(TQorShellLinkClient* control)
{
    if (control != nullptr) {
        m_controls.push_back(control);
    }
}

void TQorShellLink::UnregisterShellControl(TQorShellLinkClient* control)
{
    const auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it != m_controls.end()) {
        m_controls.erase(it);
    }
}

void TQorShellLink::Broadcast(TQorShellLinkClient* sender, const std::function<void(TQorShellLinkClient&)>& message)
{
    const std::vector<TQorShellLinkClient*> controls = m_controls;
    for (TQorShellLinkClient* control : controls) {
        // A receiver may have unregistered another control meanwhile.
        if (control != sender && std::find(m_controls.begin(), m_controls.end(), control) != m_controls.end()) {
            message(*control);
        }
    }
}

void TQorShellLink::PathChanged(TQorShellLinkClient* sender, const std::string& folderId)
{
    if (!Enabled) {
        return;
    }
    Enabled = false;
    Broadcast(sender, [&folderId](TQorShellLinkClient& control) { control.QORPathChanged(folderId); });
    Enabled = true;
    if (OnChange) {
        OnChange(*this);
    }
}

void TQorShellLink::FileChanged(TQorShellLinkClient* sender, const std::string& folderId, const std::string& itemId)
{
    if (!Enabled) {
        return;
    }
    Enabled = false;
    Broadcast(sender, [&](TQorShellLinkClient& control) { control.QORFileChanged(folderId, itemId); });
    Enabled = true;
    if (OnChange) {
        OnChange(*this);
    }
}

void TQorShellLink::SelectAll(TQorShellLinkClient* sender)
{
    if (Enabled) {
        Broadcast(sender, [](TQorShellLinkClient& control) { control.QORSelectAll(); });
    }
}

void TQorShellLink::Refresh(TQorShellLinkClient* sender)
{
    if (Enabled) {
        Broadcast(sender, [](TQorShellLinkClient& control) { control.QORRefresh(); });
    }
}

void TQorShellLink::SmartRefresh(TQorShellLinkClient* sender)
{
    if (Enabled) {
        Broadcast(sender, [](TQorShellLinkClient& control) { control.QORSmartRefresh(); });
    }
}

void TQorShellLink::GoUp(TQorShellLinkClient* sender)
{
    if (!Enabled) {
        return;
    }
    const std::vector<TQorShellLinkClient*> controls = m_controls;
    for (TQorShellLinkClient* control : controls) {
        if (control != sender && control->QORGoUp() == 1) {
            return;
        }
    }
    if (sender != nullptr) {
        sender->QORGoUp();
    }
}

}  // namespace zk
