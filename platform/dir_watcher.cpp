#include "platform/dir_watcher.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace zk::platform {

namespace {

constexpr std::uint32_t NameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t SelfEvents = IN_DELETE_SELF | IN_MOVE_SELF;

std::uint32_t WatchMask(std::uint32_t filter, bool nested)
{
    std::uint32_t mask = IN_ONLYDIR | SelfEvents;
    // A nested watch must see new subdirectories to watch them too.
    if ((filter & (DirChangeFileName | DirChangeDirName)) != 0 || nested) {
        mask |= NameEvents;
    }
    if ((filter & (DirChangeAttributes | DirChangeSecurity)) != 0) {
        mask |= IN_ATTRIB;
    }
    if ((filter & (DirChangeSize | DirChangeLastWrite)) != 0) {
        mask |= IN_MODIFY;
    }
    if ((filter & DirChangeLastWrite) != 0) {
        mask |= IN_CLOSE_WRITE;
    }
    return mask;
}

// Whether one event is a change the filter asks for.
bool PassesFilter(std::uint32_t event, std::uint32_t filter)
{
    if ((event & NameEvents) != 0) {
        const bool directory = (event & IN_ISDIR) != 0;
        return (filter & (directory ? DirChangeDirName : DirChangeFileName)) != 0;
    }
    if ((event & IN_ATTRIB) != 0) {
        return (filter & (DirChangeAttributes | DirChangeSecurity)) != 0;
    }
    if ((event & IN_MODIFY) != 0) {
        return (filter & (DirChangeSize | DirChangeLastWrite)) != 0;
    }
    if ((event & IN_CLOSE_WRITE) != 0) {
        return (filter & DirChangeLastWrite) != 0;
    }
    return false;
}

}  // namespace

class DirectoryWatcher::Watches {
public:
    Watches(int inotify, std::uint32_t mask) : m_inotify(inotify), m_mask(mask) {}

    int Add(const std::string& path)
    {
        const int wd = inotify_add_watch(m_inotify, path.c_str(), m_mask);
        if (wd >= 0) {
            m_paths[wd] = path;
        }
        return wd;
    }
    // The subdirectories below path, not following links (a link could loop).
    void AddTree(const std::string& path)
    {
        std::error_code error;
        const auto options = std::filesystem::directory_options::skip_permission_denied;
        for (std::filesystem::recursive_directory_iterator it(path, options, error), end; !error && it != end;
             it.increment(error)) {
            if (it->is_directory(error) && !it->is_symlink(error)) {
                Add(it->path().string());
            }
        }
    }
    const std::string* PathOf(int wd) const
    {
        const auto it = m_paths.find(wd);
        return it == m_paths.end() ? nullptr : &it->second;
    }
    void Forget(int wd) { m_paths.erase(wd); }

private:
    int m_inotify;
    std::uint32_t m_mask;
    std::map<int, std::string> m_paths;
};

DirectoryWatcher::DirectoryWatcher(std::string directory, std::uint32_t filter, bool nested,
                                   std::function<void()> onChange)
    : m_directory(std::move(directory)), m_filter(filter), m_nested(nested), m_onChange(std::move(onChange))
{
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    m_stop = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_inotify < 0 || m_stop < 0) {
        m_exitCode = errno;
        m_ended = true;
        return;
    }
    m_watches = std::make_unique<Watches>(m_inotify, WatchMask(m_filter, m_nested));
    m_root = m_watches->Add(m_directory);
    if (m_root < 0) {
        m_exitCode = errno;
        m_ended = true;
        return;
    }
    if (m_nested) {
        m_watches->AddTree(m_directory);
    }
    m_worker = std::thread([this] { Run(); });
}

DirectoryWatcher::~DirectoryWatcher()
{
    if (m_stop >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_stop, &one, sizeof one);
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
    if (m_inotify >= 0) {
        close(m_inotify);
    }
    if (m_stop >= 0) {
        close(m_stop);
    }
}

void DirectoryWatcher::Run()
{
    const auto end = [this](int code) {
        m_exitCode = code;
        m_ended = true;
    };
    Watches& watches = *m_watches;
    const int root = m_root;

    // Room for many events; the kernel never splits one across reads.
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    for (;;) {
        pollfd fds[2] = {{m_inotify, POLLIN, 0}, {m_stop, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            end(errno);
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        bool changed = false;
        bool rootGone = false;
        for (;;) {
            const ssize_t got = read(m_inotify, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            const auto size = static_cast<std::size_t>(got);
            for (std::size_t at = 0; at + sizeof(inotify_event) <= size;) {
                inotify_event event;
                std::memcpy(&event, buffer + at, sizeof event);
                const std::size_t next = at + sizeof(inotify_event) + event.len;
                if (next > size) {
                    break;
                }
                const char* name = event.len > 0 ? buffer + at + sizeof(inotify_event) : "";
                changed = changed || PassesFilter(event.mask, m_filter);
                if (m_nested && (event.mask & IN_ISDIR) != 0 && (event.mask & (IN_CREATE | IN_MOVED_TO)) != 0) {
                    if (const std::string* parent = watches.PathOf(event.wd)) {
                        const std::string path = *parent + "/" + std::string(name, strnlen(name, event.len));
                        watches.Add(path);
                        watches.AddTree(path);
                    }
                }
                if ((event.mask & (SelfEvents | IN_IGNORED)) != 0) {
                    rootGone = rootGone || event.wd == root;
                    if ((event.mask & IN_IGNORED) != 0) {
                        watches.Forget(event.wd);
                    }
                }
                at = next;
            }
        }
        // A vanished directory is a change for whoever shows it.
        if ((changed || rootGone) && m_onChange) {
            m_onChange();
        }
        if (rootGone) {
            end(ENOENT);
            return;
        }
    }
}

}  // namespace zk::platform
