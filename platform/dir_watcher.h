#pragma once
// Watching one directory for changes with inotify. A worker thread waits on
// the notification and a stop signal; each batch of changes that passes the
// filter calls the handler once, on the worker thread (the shell's TDirMon
// hands it over to the user-interface thread).

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

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

class DirectoryWatcher {
public:
    // Sets up the watch and starts the worker, so that every change made
    // after the constructor returns is seen. nested also watches every subdirectory,
    // including those created later.
    DirectoryWatcher(std::string directory, std::uint32_t filter, bool nested, std::function<void()> onChange);
    // Stops the worker and waits for it to end.
    ~DirectoryWatcher();
    DirectoryWatcher(const DirectoryWatcher&) = delete;
    DirectoryWatcher& operator=(const DirectoryWatcher&) = delete;

    // 0 while the worker watches or after a stop; else the errno that ended it
    // (the directory could not be watched, or it vanished: ENOENT).
    int ExitCode() const { return m_exitCode.load(); }
    // The worker ended on its own; no more changes are reported.
    bool Ended() const { return m_ended.load(); }

private:
    class Watches;
    void Run();

    std::string m_directory;
    std::uint32_t m_filter;
    bool m_nested;
    std::function<void()> m_onChange;
    int m_inotify = -1;
    std::unique_ptr<Watches> m_watches;
    int m_root = -1;  // the directory's own watch
    int m_stop = -1;  // eventfd: written once to stop the worker
    std::atomic<int> m_exitCode{0};
    std::atomic<bool> m_ended{false};
    std::thread m_worker;
};

}  // namespace zk::platform
