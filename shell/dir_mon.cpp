#include "shell/dir_mon.h"

#include <QMetaObject>
#include <exception>
#include <utility>

namespace zk {

namespace {

struct TFilterBit {
    TDirMonValue value;
    std::uint32_t bit;
};
constexpr TFilterBit FilterBits[] = {
    {TDirMonValue::dmcFileName, platform::DirChangeFileName},
    {TDirMonValue::dmcDirName, platform::DirChangeDirName},
    {TDirMonValue::dmcAttributes, platform::DirChangeAttributes},
    {TDirMonValue::dmcSize, platform::DirChangeSize},
    {TDirMonValue::dmcLastWrite, platform::DirChangeLastWrite},
    {TDirMonValue::dmcSecurity, platform::DirChangeSecurity},
};

}  // namespace

TDirMon::TDirMon(QObject* owner) : QObject(owner) {}

TDirMon::~TDirMon() { m_watcher.reset(); }

void TDirMon::SetDirectory(std::string directory)
{
    while (directory.size() > 1 && directory.back() == '/') {
        directory.pop_back();
    }
    if (directory == m_directory) {
        return;
    }
    Stop();
    m_directory = std::move(directory);
    Start();
}

TDirMonType TDirMon::NotifyFilter() const
{
    TDirMonType filter;
    for (const TFilterBit& entry : FilterBits) {
        if ((m_filterMask & entry.bit) != 0) {
            filter.insert(entry.value);
        }
    }
    return filter;
}

void TDirMon::SetNotifyFilter(const TDirMonType& filter)
{
    Stop();
    m_filterMask = 0;
    for (const TFilterBit& entry : FilterBits) {
        if (filter.contains(entry.value)) {
            m_filterMask |= entry.bit;
        }
    }
}

void TDirMon::Start()
{
    Stop();
    if (m_directory.empty()) {
        return;
    }
    const std::uint64_t generation = ++m_generation;
    m_watcher = std::make_unique<platform::DirectoryWatcher>(m_directory, m_filterMask, Nested, [this, generation] {
        // Runs on the worker: hand the report over to this object's thread.
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation == m_generation) {
                    TriggerDirChangeEvent();
                }
            },
            Qt::QueuedConnection);
    });
    TriggerStartEvent();
}

void TDirMon::Stop()
{
    if (!m_watcher) {
        return;
    }
    m_watcher.reset();
    ++m_generation;
    TriggerStopEvent();
}

void TDirMon::TriggerDirChangeEvent()
{
    if (!OnDirChange) {
        return;
    }
    // A failing handler must not end the monitoring.
    try {
        OnDirChange(*this);
    } catch (const std::exception&) {
    }
}

void TDirMon::TriggerStartEvent()
{
    if (OnStart) {
        OnStart(*this);
    }
}

void TDirMon::TriggerStopEvent()
{
    if (OnStop) {
        OnStop(*this);
    }
}

}  // namespace zk
