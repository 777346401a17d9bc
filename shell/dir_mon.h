#pragma once
// TDirMon: watches one directory and reports its changes on the thread that
// owns the monitor. The watching itself runs on the program's watch reader
// (platform::DirectoryWatcher); its reports are posted to this object and
// merged while one waits, so a busy folder never queues more than one
// report per monitor, and OnDirChange (which re-reads the folder anyway)
// runs once for all of them. A monitor follows its directory by path: one
// that is removed is reported, and looked for at the refresh interval
// until it is there again (made anew, or not there yet at the start); it
// is then watched again and reported once more.

#include <QObject>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/dir_watcher.h"

class QWidget;

namespace zk {

enum class TDirMonValue : std::uint8_t { dmcFileName, dmcDirName, dmcAttributes, dmcSize, dmcLastWrite, dmcSecurity };
using TDirMonType = std::set<TDirMonValue>;

class TDirMon : public QObject {
    Q_OBJECT
public:
    explicit TDirMon(QObject* owner = nullptr);
    ~TDirMon() override;  // stops a running worker without OnStop

    // Without a trailing '/' (the root keeps it). Setting another directory,
    // spelled differently in any way, restarts the monitoring there.
    const std::string& Directory() const { return m_directory; }
    void SetDirectory(std::string directory);
    // Writing stops a running worker and does not restart it.
    TDirMonType NotifyFilter() const;
    void SetNotifyFilter(const TDirMonType& filter);
    std::uint32_t FilterMask() const { return m_filterMask; }
    bool Nested = false;  // watch the whole subtree (read by Start)

    void Start();
    void Stop();
    bool Running() const { return m_running; }

    // A suspended monitor stays Running but watches nothing; when it resumes
    // it reports one change, since anything may have changed meanwhile.
    void SetSuspended(bool suspended);
    bool Suspended() const { return m_suspended; }
    // Suspends the monitor whenever view is hidden, from now on: a view no
    // one sees keeps no watch and catches up when it is shown.
    void SuspendWhileHidden(QWidget* view);

    std::function<void(TDirMon&)> OnDirChange;
    std::function<void(TDirMon&)> OnStart;
    std::function<void(TDirMon&)> OnStop;

protected:
    virtual void TriggerDirChangeEvent();
    virtual void TriggerStartEvent();
    virtual void TriggerStopEvent();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Watches while running and not suspended.
    void Watch();
    void Unwatch();
    // Any thread: posts a report unless one is waiting already.
    void PostReport(std::uint64_t generation);
    // The watch ended with the directory: look for it until it is back.
    void AwaitReturn();
    void CheckReturn();

    std::string m_directory;
    std::uint32_t m_filterMask = platform::DirChangeFileName;
    bool m_running = false;
    bool m_suspended = false;
    std::unique_ptr<platform::DirectoryWatcher> m_watcher;
    QTimer m_returnCheck;
    // Reports of an earlier watcher still in the queue are dropped.
    std::uint64_t m_generation = 0;
    std::atomic<bool> m_reportPending{false};
};

}  // namespace zk
