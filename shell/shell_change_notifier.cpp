#include "shell/shell_change_notifier.h"

#include <QMetaObject>

#include <algorithm>
#include <iterator>

namespace zk {

namespace {

using Kind = platform::DirChangeRecord::Kind;

// The event bits, in the order of TNotificationEvent.
// The most records that wait for one hand-over.
constexpr std::size_t MaxGatheredRecords = 4096;

constexpr std::uint32_t EventBits[] = {
    0x08000000, 0x00000800, 0x00002000, 0x00000002, 0x00000004, 0x00000001, 0x00000100,
    0x00000080, 0x00010000, 0x00040000, 0x00000020, 0x00000040, 0x00000008, 0x00000010,
    0x00020000, 0x00001000, 0x00000200, 0x00000400, 0x00004000, 0x00008000, 0x7FFFFFFF,
};
static_assert(std::size(EventBits) == static_cast<std::size_t>(TNotificationEvent::neUnknown) + 1);

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

TNotificationEvent EventOfRecord(const platform::DirChangeRecord& record)
{
    switch (record.kind) {
    case Kind::Created: return record.isDir ? TNotificationEvent::neFolderCreate : TNotificationEvent::neFileCreate;
    case Kind::Deleted:
    case Kind::Gone: return record.isDir ? TNotificationEvent::neFolderDelete : TNotificationEvent::neFileDelete;
    case Kind::Renamed: return record.isDir ? TNotificationEvent::neFolderRename : TNotificationEvent::neFileRename;
    case Kind::Attributes: return TNotificationEvent::neAttributesChange;
    case Kind::Written: return TNotificationEvent::neFileChange;
    case Kind::Lost: return TNotificationEvent::neFolderUpdate;
    }
    return TNotificationEvent::neUnknown;
}

}  // namespace

TQorShellChangeNotifier::TQorShellChangeNotifier(QObject* owner) : QObject(owner) {}

TQorShellChangeNotifier::~TQorShellChangeNotifier() { ShellNotifyUnregister(); }

std::uint32_t TQorShellChangeNotifier::EventBit(TNotificationEvent event)
{
    return EventBits[static_cast<std::size_t>(event)];
}

TNotificationEvent TQorShellChangeNotifier::EventOf(std::uint32_t bits)
{
    for (std::size_t i = 0; i + 1 < std::size(EventBits); ++i) {
        if (EventBits[i] == bits) {
            return static_cast<TNotificationEvent>(i);
        }
    }
    return TNotificationEvent::neUnknown;
}

std::uint32_t TQorShellChangeNotifier::EventMask(const TNotificationEvents& events)
{
    std::uint32_t mask = 0;
    for (const TNotificationEvent event : events) {
        mask |= EventBit(event);
    }
    return mask;
}

TNotificationEvents TQorShellChangeNotifier::AllEvents()
{
    TNotificationEvents events;
    for (std::size_t i = 0; i < static_cast<std::size_t>(TNotificationEvent::neUnknown); ++i) {
        events.insert(static_cast<TNotificationEvent>(i));
    }
    return events;
}

void TQorShellChangeNotifier::SetDirectory(const std::string& directory)
{
    if (directory != m_directory) {
        m_directory = directory;
        ShellNotifyRegister();
    }
}

void TQorShellChangeNotifier::SetRecursive(bool recursive)
{
    if (recursive != m_recursive) {
        m_recursive = recursive;
        ShellNotifyRegister();
    }
}

void TQorShellChangeNotifier::SetEventFilter(const TNotificationEvents& events)
{
    if (events != m_eventFilter) {
        m_eventFilter = events;
        ShellNotifyRegister();
    }
}

void TQorShellChangeNotifier::SetEnabled(bool enabled)
{
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (enabled) {
        ShellNotifyRegister();
    } else {
        ShellNotifyUnregister();
    }
}

void TQorShellChangeNotifier::ShellNotifyUnregister()
{
    m_watcher.reset();
    ++m_generation;
    std::lock_guard lock(m_gatheredMutex);
    m_gathered.clear();
    m_handOverPosted = false;
}

void TQorShellChangeNotifier::ShellNotifyRegister()
{
    ShellNotifyUnregister();
    // A disabled notifier only keeps its settings; so does one without a
    // directory, which has nothing to watch yet.
    if (!m_enabled || m_directory.empty()) {
        return;
    }
    const std::uint32_t filter = platform::DirChangeFileName | platform::DirChangeDirName |
                                 platform::DirChangeAttributes | platform::DirChangeLastWrite;
    const std::uint64_t generation = m_generation;
    m_watcher = std::make_unique<platform::DirectoryWatcher>(
        m_directory, filter, m_recursive, nullptr,
        [this, generation, directory = m_directory](std::vector<platform::DirChangeRecord> records) {
            Gather(generation, directory, std::move(records));
        });
    if (m_watcher->Ended()) {
        m_watcher.reset();
        m_enabled = false;
    }
}

void TQorShellChangeNotifier::Gather(std::uint64_t generation, const std::string& directory,
                                     std::vector<platform::DirChangeRecord> records)
{
    std::lock_guard lock(m_gatheredMutex);
    if (m_gathered.size() + records.size() > MaxGatheredRecords) {
        m_gathered = {{Kind::Lost, true, directory, {}}};
    } else {
        std::move(records.begin(), records.end(), std::back_inserter(m_gathered));
    }
    if (m_handOverPosted) {
        return;
    }
    m_handOverPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation != m_generation) {
                return;
            }
            std::vector<platform::DirChangeRecord> gathered;
            {
                std::lock_guard lock(m_gatheredMutex);
                gathered.swap(m_gathered);
                m_handOverPosted = false;
            }
            Records(gathered);
        },
        Qt::QueuedConnection);
}

void TQorShellChangeNotifier::Records(const std::vector<platform::DirChangeRecord>& records)
{
    for (const platform::DirChangeRecord& record : records) {
        const TNotificationEvent event = EventOfRecord(record);
        if (m_eventFilter.contains(event)) {
            HandleNotification(EventBit(event), record.path, record.newPath);
        }
    }
}

void TQorShellChangeNotifier::HandleNotification(std::uint32_t bits, const std::string& path1, const std::string& path2)
{
    const std::uint32_t raw = bits & 0x7FFFFFFF;
    const TNotificationEvent event = EventOf(raw);
    std::string first = path1;
    std::string second = path2;
    if (event == TNotificationEvent::neAssociationChange) {
        first.clear();
        second.clear();
    } else if (raw == m_lastEvent && SameIgnoringCase(first, m_lastPath1) && SameIgnoringCase(second, m_lastPath2)) {
        return;  // a repeat of the last notification
    }
    m_lastEvent = raw;
    m_lastPath1 = first;
    m_lastPath2 = second;
    DoOnChange(event, first, second);
}

void TQorShellChangeNotifier::DoOnChange(TNotificationEvent event, const std::string& path1, const std::string& path2)
{
    if (OnChange) {
        OnChange(*this, event, path1, path2);
    }
}

}  // namespace zk
