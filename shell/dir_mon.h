#pragma once
// TDirMon: watches one directory and reports each batch of changes on the
// user-interface thread. The watching itself runs on a worker thread
// (platform::DirectoryWatcher); its reports are posted to this object, so
// OnDirChange always runs in the thread that owns the monitor.

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/dir_watcher.h"

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
    bool Running() const { return m_watcher != nullptr; }

    std::function<void(TDirMon&)> OnDirChange;
    std::function<void(TDirMon&)> OnStart;
    std::function<void(TDirMon&)> OnStop;

protected:
    virtual void TriggerDirChangeEvent();
    virtual void TriggerStartEvent();
    virtual void TriggerStopEvent();

private:
    std::string m_directory;
    std::uint32_t m_filterMask = platform::DirChangeFileName;
    std::unique_ptr<platform::DirectoryWatcher> m_watcher;
    // Reports of an earlier worker still in the queue are dropped.
    std::uint64_t m_generation = 0;
};

}  // namespace zk
