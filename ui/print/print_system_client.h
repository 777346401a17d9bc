#pragma once
// The editor's way to the print system: requests run one at a time on a
// worker thread of its own, started on the first request (never at
// start-up), so the window's thread never waits on the print server. The
// printer list arrives as a signal; a description and a job are waited for
// with a bound while window messages go on running.

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "ui/print/printer_description.h"

namespace zk {

struct RequestBounds;

// How long the print system may take to answer; tests shorten them.
struct PrintSystemTimeouts {
    std::chrono::milliseconds list{10000};
    std::chrono::milliseconds job{30000};
    // After a job went out unanswered: how long its fate is looked up.
    std::chrono::milliseconds lookup{10000};
};
extern PrintSystemTimeouts DriverPrintTimeouts;

class PrintSystemClient : public QObject {
    Q_OBJECT

public:
    explicit PrintSystemClient(QObject* parent = nullptr);
    // Cancels the request under way and waits for the worker to end.
    ~PrintSystemClient() override;

    // Asks for the printers; printersListed brings the answer. Asked again
    // while a request is under way, the list is asked once more after it.
    void RequestPrinters();

    // One printer as it is now (empty: the default printer).
    PrinterLookup Describe(const std::string& printer);
    JobAnswer Submit(PrintJob job);

signals:
    void printersListed(const zk::PrinterList& list);

private:
    template <typename Answer>
    Answer WaitFor(std::function<Answer(const RequestBounds&)> request, std::chrono::milliseconds timeout);
    void Post(std::function<void()> task);
    void Serve();
    void PrintersArrived(const PrinterList& list);

    bool m_listing = false;
    bool m_listAgain = false;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    bool m_stopping = false;
    std::atomic<bool> m_cancelled{false};
    std::thread m_worker;
};

}  // namespace zk
