#include "shell/dir_mon.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <cerrno>
#include <filesystem>
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

TDirMon::TDirMon(QObject* owner) : QObject(owner)
{
    m_returnCheck.setInterval(platform::WatchHub::PollIntervalMs);
    connect(&m_returnCheck, &QTimer::timeout, this, &TDirMon::CheckReturn);
}

TDirMon::~TDirMon() { Unwatch(); }

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
    m_running = true;
    Watch();
    TriggerStartEvent();
}

void TDirMon::Stop()
{
    if (!m_running) {
        return;
    }
    m_running = false;
    Unwatch();
    TriggerStopEvent();
}

void TDirMon::SetSuspended(bool suspended)
{
    if (suspended == m_suspended) {
        return;
    }
    m_suspended = suspended;
    if (suspended) {
        Unwatch();
    } else if (m_running) {
        Watch();
        PostReport(m_generation);
    }
}

void TDirMon::SuspendWhileHidden(QWidget* view)
{
    view->installEventFilter(this);
    SetSuspended(!view->isVisible());
}

bool TDirMon::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        SetSuspended(false);
    } else if (event->type() == QEvent::Hide) {
        SetSuspended(true);
    }
    return QObject::eventFilter(watched, event);
}

void TDirMon::Watch()
{
    if (!m_running || m_suspended || m_watcher || m_returnCheck.isActive()) {
        return;
    }
    const std::uint64_t generation = m_generation;
    m_watcher = std::make_unique<platform::DirectoryWatcher>(m_directory, m_filterMask, Nested,
                                                             [this, generation] { PostReport(generation); });
    AwaitReturn();
}

void TDirMon::Unwatch()
{
    // No report of the old watcher comes after this; one already posted is
    // recognised by its generation and dropped.
    m_watcher.reset();
    m_returnCheck.stop();
    ++m_generation;
    m_reportPending = false;
}

void TDirMon::AwaitReturn()
{
    // Only a directory that is not there comes back; one that can't be
    // watched for another reason would be refused again.
    const int error = m_watcher ? m_watcher->ExitCode() : 0;
    if (!m_watcher || !m_watcher->Ended() || (error != ENOENT && error != ENOTDIR)) {
        return;
    }
    Unwatch();
    m_returnCheck.start();
}

void TDirMon::CheckReturn()
{
    std::error_code error;
    if (!m_returnCheck.isActive() || !std::filesystem::is_directory(m_directory, error)) {
        return;
    }
    m_returnCheck.stop();
    Watch();
    // What it holds now is news to whoever shows it.
    PostReport(m_generation);
}

void TDirMon::PostReport(std::uint64_t generation)
{
    if (m_reportPending.exchange(true)) {
        return;  // the waiting report covers this change too
    }
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation != m_generation) {
                return;
            }
            // Changes made while the handler runs need a report of their own.
            m_reportPending = false;
            // The directory went: it is watched again once it is back,
            // at once when it is made anew already.
            AwaitReturn();
            CheckReturn();
            TriggerDirChangeEvent();
        },
        Qt::QueuedConnection);
}

void TDirMon::TriggerDirChangeEvent()
{
    if (!OnDirChange) {
        return;
    }
    // Whatever the handler throws must not end the monitoring.
    try {
        OnDirChange(*this);
    } catch (...) {
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
