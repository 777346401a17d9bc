#include "platform/dir_watcher.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

#include "platform/folder_snapshot.h"

namespace zk::platform {

namespace {

using Clock = std::chrono::steady_clock;
using Kind = DirChangeRecord::Kind;

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

std::string Joined(const std::string& folder, const std::string& name)
{
    if (name.empty()) {
        return folder;
    }
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

// The changes of one read that are for one watcher.
struct Batch {
    bool changed = false;
    bool rootGone = false;
    std::vector<DirChangeRecord> records;
    // Renames arrive as a pair of moves with one cookie; an unpaired move
    // out is a deletion for whoever watches.
    std::map<std::uint32_t, std::size_t> movedFrom;

    void Add(std::uint32_t mask, std::uint32_t cookie, std::string path)
    {
        const bool isDir = (mask & IN_ISDIR) != 0;
        if ((mask & IN_MOVED_TO) != 0) {
            if (const auto from = movedFrom.find(cookie); from != movedFrom.end()) {
                records[from->second].newPath = std::move(path);
                movedFrom.erase(from);
                return;
            }
            records.push_back({Kind::Created, isDir, std::move(path), {}});
            return;
        }
        if ((mask & IN_MOVED_FROM) != 0) {
            movedFrom[cookie] = records.size();
            records.push_back({Kind::Renamed, isDir, std::move(path), {}});
            return;
        }
        const Kind kind = (mask & IN_CREATE) != 0   ? Kind::Created
                          : (mask & IN_DELETE) != 0 ? Kind::Deleted
                          : (mask & IN_ATTRIB) != 0 ? Kind::Attributes
                                                    : Kind::Written;
        records.push_back({kind, isDir, std::move(path), {}});
    }
};

}  // namespace

// One DirectoryWatcher's side of the hub.
struct WatchSubscription {
    std::string directory;
    std::uint32_t filter = 0;
    bool nested = false;
    std::function<void()> onChange;
    DirChangeRecordHandler onRecords;
    std::atomic<int> exitCode{0};
    std::atomic<bool> ended{false};
    std::atomic<bool> polled{false};
    // Guarded by the hub's mutex.
    bool active = true;
    int root = -1;  // the directory's own kernel watch
    std::vector<int> watches;
    FolderSnapshot snapshot;  // while polled

    void End(int code)
    {
        exitCode = code;
        ended = true;
    }
    void Deliver(Batch& batch)
    {
        if (batch.rootGone) {
            batch.records.push_back({Kind::Gone, true, directory, {}});
        }
        if (onRecords && !batch.records.empty()) {
            onRecords(std::move(batch.records));
        }
        // A vanished directory is a change for whoever shows it.
        if ((batch.changed || batch.rootGone) && onChange) {
            onChange();
        }
    }
};

struct WatchHub::State {
    mutable std::mutex mutex;
    int inotify = -1;
    int wake = -1;  // eventfd: a stop, or the polled folders changed
    std::size_t watchLimit = 0;
    std::function<void(const std::string&)> log;
    bool saidPolling = false;
    bool stopping = false;

    struct Use {
        WatchSubscription* subscription;
        std::string path;  // the folder as this watcher names it
    };
    std::map<int, std::vector<Use>> watches;  // by kernel watch
    std::map<const WatchSubscription*, std::shared_ptr<WatchSubscription>> subscriptions;
    std::vector<WatchSubscription*> polled;
    Clock::time_point nextPoll;
    std::thread reader;

    // 0, or the errno that kept the folder from being watched (ENOSPC when
    // the watch limit is reached).
    int AddWatch(WatchSubscription& subscription, const std::string& path)
    {
        if (inotify < 0) {
            return ENOSPC;
        }
        const std::uint32_t mask = WatchMask(subscription.filter, subscription.nested) | IN_MASK_ADD;
        const int wd = inotify_add_watch(inotify, path.c_str(), mask);
        if (wd < 0) {
            return errno == ENOMEM ? ENOSPC : errno;
        }
        auto [entry, added] = watches.try_emplace(wd);
        if (added && watchLimit > 0 && watches.size() > watchLimit) {
            inotify_rm_watch(inotify, wd);
            watches.erase(entry);
            return ENOSPC;
        }
        entry->second.push_back({&subscription, path});
        subscription.watches.push_back(wd);
        return 0;
    }

    // The subdirectories below path, not following links (a link could loop).
    int AddTree(WatchSubscription& subscription, const std::string& path)
    {
        std::error_code error;
        const auto options = std::filesystem::directory_options::skip_permission_denied;
        for (std::filesystem::recursive_directory_iterator it(path, options, error), end; !error && it != end;
             it.increment(error)) {
            if (it->is_directory(error) && !it->is_symlink(error)) {
                if (AddWatch(subscription, it->path().string()) == ENOSPC) {
                    return ENOSPC;
                }
            }
        }
        return 0;
    }

    void DropWatches(WatchSubscription& subscription)
    {
        for (const int wd : subscription.watches) {
            const auto entry = watches.find(wd);
            if (entry == watches.end()) {
                continue;  // the kernel took it away already
            }
            std::erase_if(entry->second, [&](const Use& use) { return use.subscription == &subscription; });
            if (entry->second.empty()) {
                inotify_rm_watch(inotify, wd);
                watches.erase(entry);
            }
        }
        subscription.watches.clear();
        subscription.root = -1;
    }

    void StartPolling(WatchSubscription& subscription)
    {
        DropWatches(subscription);
        subscription.snapshot = FolderSnapshot::Take(subscription.directory, subscription.nested);
        if (const int error = subscription.snapshot.Error(); error != 0) {
            subscription.End(error);
            return;
        }
        subscription.polled = true;
        if (polled.empty()) {
            nextPoll = Clock::now() + std::chrono::milliseconds(PollIntervalMs);
            Wake();
        }
        polled.push_back(&subscription);
        if (!saidPolling) {
            saidPolling = true;
            Log("no more folders can be watched (inotify watch limit); " + subscription.directory +
                " and any further such folders are checked for changes every " + std::to_string(PollIntervalMs) +
                " ms");
        }
    }

    void Log(const std::string& message) const
    {
        if (log) {
            log(message);
        } else {
            std::fprintf(stderr, "zkedit: %s\n", message.c_str());
        }
    }

    void Wake() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(wake, &one, sizeof one);
    }

    // Hands the events of one read to the watchers they are for.
    void Dispatch(const std::vector<char>& events)
    {
        std::lock_guard lock(mutex);
        std::map<WatchSubscription*, Batch> batches;
        std::vector<WatchSubscription*> overLimit;
        for (std::size_t at = 0; at + sizeof(inotify_event) <= events.size();) {
            inotify_event event;
            std::memcpy(&event, events.data() + at, sizeof event);
            const std::size_t next = at + sizeof(inotify_event) + event.len;
            if (next > events.size()) {
                break;
            }
            const char* rawName = events.data() + at + sizeof(inotify_event);
            const std::string name = event.len > 0 ? std::string(rawName, strnlen(rawName, event.len)) : std::string();
            at = next;
            if ((event.mask & IN_Q_OVERFLOW) != 0) {
                for (const auto& [key, subscription] : subscriptions) {
                    if (subscription->polled) {
                        continue;
                    }
                    Batch& batch = batches[subscription.get()];
                    batch.changed = true;
                    batch.records.push_back({Kind::Lost, true, subscription->directory, {}});
                }
                continue;
            }
            const auto entry = watches.find(event.wd);
            if (entry == watches.end()) {
                continue;
            }
            // A copy: watching a new subdirectory may add to this watch's users.
            const std::vector<Use> uses = entry->second;
            for (const Use& use : uses) {
                WatchSubscription& subscription = *use.subscription;
                Batch& batch = batches[&subscription];
                if (PassesFilter(event.mask, subscription.filter)) {
                    batch.changed = true;
                    if (subscription.onRecords) {
                        batch.Add(event.mask, event.cookie, Joined(use.path, name));
                    }
                }
                if (subscription.nested && (event.mask & IN_ISDIR) != 0 &&
                    (event.mask & (IN_CREATE | IN_MOVED_TO)) != 0) {
                    const std::string path = Joined(use.path, name);
                    if (AddWatch(subscription, path) == ENOSPC || AddTree(subscription, path) == ENOSPC) {
                        overLimit.push_back(&subscription);
                    }
                }
                if (event.wd == subscription.root && (event.mask & (SelfEvents | IN_IGNORED | IN_UNMOUNT)) != 0) {
                    batch.rootGone = true;
                }
            }
            if ((event.mask & IN_IGNORED) != 0) {
                for (const Use& use : watches[event.wd]) {
                    std::erase(use.subscription->watches, event.wd);
                }
                watches.erase(event.wd);
            }
        }
        for (auto& [subscription, batch] : batches) {
            for (auto& [cookie, index] : batch.movedFrom) {
                batch.records[index].kind = Kind::Deleted;
            }
            if (batch.rootGone) {
                DropWatches(*subscription);
                subscription->End(ENOENT);
            }
            subscription->Deliver(batch);
        }
        for (WatchSubscription* subscription : overLimit) {
            if (!subscription->ended && !subscription->polled) {
                StartPolling(*subscription);
            }
        }
    }

    // Reads the polled folders again when their time has come.
    void PollDue()
    {
        std::vector<std::shared_ptr<WatchSubscription>> due;
        {
            std::lock_guard lock(mutex);
            if (polled.empty() || Clock::now() < nextPoll) {
                return;
            }
            nextPoll = Clock::now() + std::chrono::milliseconds(PollIntervalMs);
            for (const WatchSubscription* subscription : polled) {
                due.push_back(subscriptions.at(subscription));
            }
        }
        for (const std::shared_ptr<WatchSubscription>& subscription : due) {
            // Reading the folder needs no lock; the watcher may go meanwhile.
            FolderSnapshot now = FolderSnapshot::Take(subscription->directory, subscription->nested);
            std::lock_guard lock(mutex);
            if (!subscription->active || !subscription->polled) {
                continue;
            }
            Batch batch;
            batch.records = FolderSnapshot::Changes(subscription->snapshot, now, subscription->filter);
            batch.changed = !batch.records.empty();
            if (const int error = now.Error(); error != 0) {
                std::erase(polled, subscription.get());
                subscription->polled = false;
                subscription->End(error);
            }
            subscription->snapshot = std::move(now);
            subscription->Deliver(batch);
        }
    }
};

WatchHub::WatchHub(Options options) : m_state(std::make_unique<State>())
{
    m_state->watchLimit = options.watchLimit;
    m_state->log = std::move(options.log);
    m_state->inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    m_state->wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_state->wake >= 0) {
        m_state->reader = std::thread([this] { Run(); });
    }
}

WatchHub::~WatchHub()
{
    if (m_state->reader.joinable()) {
        {
            std::lock_guard lock(m_state->mutex);
            m_state->stopping = true;
        }
        m_state->Wake();
        m_state->reader.join();
    }
    for (const int fd : {m_state->inotify, m_state->wake}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

std::shared_ptr<WatchHub> WatchHub::Program()
{
    static const std::shared_ptr<WatchHub> program = std::make_shared<WatchHub>();
    return program;
}

std::vector<std::string> WatchHub::WatchedFolders() const
{
    std::lock_guard lock(m_state->mutex);
    std::vector<std::string> folders;
    for (const auto& [wd, uses] : m_state->watches) {
        for (const State::Use& use : uses) {
            folders.push_back(use.path);
        }
    }
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    return folders;
}

std::vector<std::string> WatchHub::PolledFolders() const
{
    std::lock_guard lock(m_state->mutex);
    std::vector<std::string> folders;
    for (const WatchSubscription* subscription : m_state->polled) {
        folders.push_back(subscription->directory);
    }
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    return folders;
}

void WatchHub::Subscribe(const std::shared_ptr<WatchSubscription>& subscription)
{
    State& state = *m_state;
    std::lock_guard lock(state.mutex);
    WatchSubscription& s = *subscription;
    if (state.wake < 0) {
        s.End(EMFILE);  // no reader thread to report anything
        return;
    }
    state.subscriptions.emplace(&s, subscription);
    int error = state.AddWatch(s, s.directory);
    if (error == 0) {
        s.root = s.watches.back();
        if (s.nested) {
            error = state.AddTree(s, s.directory);
        }
    }
    if (error == ENOSPC) {
        state.StartPolling(s);
    } else if (error != 0) {
        state.DropWatches(s);
        s.End(error);
    }
}

void WatchHub::Unsubscribe(const std::shared_ptr<WatchSubscription>& subscription)
{
    State& state = *m_state;
    std::lock_guard lock(state.mutex);
    subscription->active = false;
    state.DropWatches(*subscription);
    std::erase(state.polled, subscription.get());
    state.subscriptions.erase(subscription.get());
}

void WatchHub::Run()
{
    State& state = *m_state;
    // Room for many events; the kernel never splits one across reads.
    alignas(inotify_event) char buffer[64 * (sizeof(inotify_event) + NAME_MAX + 1)];
    for (;;) {
        int timeout = -1;
        {
            std::lock_guard lock(state.mutex);
            if (!state.polled.empty()) {
                const auto left = std::chrono::ceil<std::chrono::milliseconds>(state.nextPoll - Clock::now());
                timeout = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
            }
        }
        pollfd fds[2] = {{state.wake, POLLIN, 0}, {state.inotify, POLLIN, 0}};
        if (poll(fds, state.inotify >= 0 ? 2 : 1, timeout) < 0 && errno != EINTR) {
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t got = read(state.wake, &count, sizeof count);
            std::lock_guard lock(state.mutex);
            if (state.stopping) {
                return;
            }
        }
        if ((fds[1].revents & POLLIN) != 0) {
            // What is queued now, in a bounded number of reads, so that a
            // flood of events still reaches the watchers.
            std::vector<char> events;
            for (int reads = 0; reads < 16; ++reads) {
                const ssize_t got = read(state.inotify, buffer, sizeof buffer);
                if (got <= 0) {
                    break;
                }
                events.insert(events.end(), buffer, buffer + got);
            }
            state.Dispatch(events);
        }
        state.PollDue();
    }
}

DirectoryWatcher::DirectoryWatcher(std::string directory, std::uint32_t filter, bool nested,
                                   std::function<void()> onChange, DirChangeRecordHandler onRecords,
                                   std::shared_ptr<WatchHub> hub)
    : m_hub(std::move(hub)), m_subscription(std::make_shared<WatchSubscription>())
{
    m_subscription->directory = std::move(directory);
    m_subscription->filter = filter;
    m_subscription->nested = nested;
    m_subscription->onChange = std::move(onChange);
    m_subscription->onRecords = std::move(onRecords);
    m_hub->Subscribe(m_subscription);
}

DirectoryWatcher::~DirectoryWatcher() { m_hub->Unsubscribe(m_subscription); }

int DirectoryWatcher::ExitCode() const { return m_subscription->exitCode.load(); }

bool DirectoryWatcher::Ended() const { return m_subscription->ended.load(); }

bool DirectoryWatcher::Polled() const { return m_subscription->polled.load(); }

}  // namespace zk::platform
