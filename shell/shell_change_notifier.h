#pragma once
// TQorShellChangeNotifier: reports each change below a directory (files and
// folders made, deleted, renamed or written, attributes changed) through
// OnChange, with the paths involved. The watching runs on the program's
// watch reader (platform::DirectoryWatcher); the changes are gathered there
// and handed over to the thread that owns the notifier, one hand-over
// waiting at a time, and OnChange runs there.

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/dir_watcher.h"

namespace zk {

enum class TNotificationEvent : std::uint8_t {
    neAssociationChange, neAttributesChange, neFileChange, neFileCreate, neFileDelete, neFileRename,
    neDriveAdd, neDriveRemove, neShellDriveAdd, neDriveSpaceChange, neMediaInsert, neMediaRemove,
    neFolderCreate, neFolderDelete, neFolderRename, neFolderUpdate, neNetShare, neNetUnShare,
    neServerDisconnect, neImageListChange, neUnknown
};
using TNotificationEvents = std::set<TNotificationEvent>;

class TQorShellChangeNotifier : public QObject {
    Q_OBJECT
public:
    explicit TQorShellChangeNotifier(QObject* owner = nullptr);
    ~TQorShellChangeNotifier() override;

    // The event bit of each kind; neUnknown stands for any other value.
    static std::uint32_t EventBit(TNotificationEvent event);
    static TNotificationEvent EventOf(std::uint32_t bits);
    static std::uint32_t EventMask(const TNotificationEvents& events);
    // Every kind but neUnknown: the filter a new notifier has.
    static TNotificationEvents AllEvents();

    // Changing any of these starts the watching again (when enabled).
    const std::string& Directory() const { return m_directory; }
    void SetDirectory(const std::string& directory);
    bool Recursive() const { return m_recursive; }
    void SetRecursive(bool recursive);
    const TNotificationEvents& EventFilter() const { return m_eventFilter; }
    void SetEventFilter(const TNotificationEvents& events);
    // Turns off by itself when the directory can't be watched.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    // One notification as the system reports it: repeats of the last one
    // (same bits, same paths ignoring case) are dropped, the rest reach
    // DoOnChange.
    void HandleNotification(std::uint32_t bits, const std::string& path1, const std::string& path2);

    std::function<void(TQorShellChangeNotifier&, TNotificationEvent, const std::string& path1, const std::string& path2)>
        OnChange;

protected:
    virtual void DoOnChange(TNotificationEvent event, const std::string& path1, const std::string& path2);

private:
    void ShellNotifyRegister();
    void ShellNotifyUnregister();
    // The reader's side: keeps the records and posts one hand-over.
    void Gather(std::uint64_t generation, const std::string& directory,
                std::vector<platform::DirChangeRecord> records);
    void Records(const std::vector<platform::DirChangeRecord>& records);

    std::string m_directory;
    bool m_recursive = true;
    bool m_enabled = true;
    TNotificationEvents m_eventFilter = AllEvents();
    std::uint32_t m_lastEvent = 0;
    std::string m_lastPath1;
    std::string m_lastPath2;
    std::unique_ptr<platform::DirectoryWatcher> m_watcher;
    std::uint64_t m_generation = 0;  // reports of an earlier watcher are dropped
    // Records waiting for the hand-over. Beyond a bound they are replaced
    // by one "folder changed" for the directory.
    std::mutex m_gatheredMutex;
    std::vector<platform::DirChangeRecord> m_gathered;
    bool m_handOverPosted = false;
};

}  // namespace zk
