#pragma once
// Watching directories for changes. The whole program shares one inotify
// instance and one reader thread (the WatchHub); each DirectoryWatcher adds
// a watch per folder to it. A folder whose watch can't be added (the
// user's watch limit, shared with every other program, or no inotify
// instance at all) is polled instead at the views' refresh interval, and
// the program's log says so once. Each batch of changes that passes a
// watcher's filter calls its handlers once, on the reader thread; the
// owner hands the report over to its own thread (the shell's TDirMon).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zk::platform {

// Change kinds, with the bit values of the change-notification filter.
enum DirChangeFilter : std::uint32_t {
    DirChangeFileName = 0x001,    // files created, deleted or renamed
    DirChangeDirName = 0x002,     // directories created, deleted or renamed
    DirChangeAttributes = 0x004,
    DirChangeSize = 0x008,
    DirChangeLastWrite = 0x010,
    DirChangeSecurity = 0x100,  // owner and permissions: attribute changes on Linux
};

// One change of a batch, for callers that want to know what changed.
struct DirChangeRecord {
    enum class Kind : std::uint8_t {
        Created,     // also moved in from outside the watched tree
        Deleted,     // also moved out of it
        Renamed,     // path became newPath, both within the tree
        Attributes,
        Written,
        Gone,        // the watched directory itself vanished
        Lost,        // the kernel dropped changes: anything below path may have changed
    };
    Kind kind;
    bool isDir = false;
    std::string path;
    std::string newPath;
};
using DirChangeRecordHandler = std::function<void(std::vector<DirChangeRecord>)>;

struct WatchSubscription;

// The program's one inotify instance and reader thread, shared by every
// DirectoryWatcher. Tests make hubs of their own to try the fallbacks.
class WatchHub {
public:
    // How often a folder without a kernel watch is read again.
    static constexpr int PollIntervalMs = 500;

    struct Options {
        // The most kernel watches this hub adds; 0: as many as the kernel grants.
        std::size_t watchLimit = 0;
        // Where the one note about polling goes; standard error when empty.
        std::function<void(const std::string&)> log;
    };
    explicit WatchHub(Options options);
    WatchHub() : WatchHub(Options{}) {}
    ~WatchHub();
    WatchHub(const WatchHub&) = delete;
    WatchHub& operator=(const WatchHub&) = delete;

    // The program's hub, made on first use; it lives while anything uses it.
    static std::shared_ptr<WatchHub> Program();

    // The folders watched through the kernel and the polled ones, sorted.
    std::vector<std::string> WatchedFolders() const;
    std::vector<std::string> PolledFolders() const;

private:
    friend class DirectoryWatcher;
    struct State;
    void Subscribe(const std::shared_ptr<WatchSubscription>& subscription);
    void Unsubscribe(const std::shared_ptr<WatchSubscription>& subscription);
    void Run();

    std::unique_ptr<State> m_state;
};

class DirectoryWatcher {
public:
    // Sets up the watch, so that every change made after the constructor
    // returns is seen. nested also watches every subdirectory, including
    // those created later. onRecords, when given, receives each batch's
    // changes that pass the filter, before onChange. Both run on the hub's
    // reader thread, one watcher after another; they must not make or
    // destroy watchers.
    DirectoryWatcher(std::string directory, std::uint32_t filter, bool nested, std::function<void()> onChange,
                     DirChangeRecordHandler onRecords = {},
                     std::shared_ptr<WatchHub> hub = WatchHub::Program());
    // Takes the watch away; no handler runs after it returns.
    ~DirectoryWatcher();
    DirectoryWatcher(const DirectoryWatcher&) = delete;
    DirectoryWatcher& operator=(const DirectoryWatcher&) = delete;

    // 0 while watching; else the errno that ended it (the directory could
    // not be watched, or it vanished: ENOENT).
    int ExitCode() const;
    // Watching ended on its own; no more changes are reported.
    bool Ended() const;
    // The folder is polled every PollIntervalMs instead of watched.
    bool Polled() const;

private:
    std::shared_ptr<WatchHub> m_hub;
    std::shared_ptr<WatchSubscription> m_subscription;
};

}  // namespace zk::platform
