#include "ui/print/print_system_client.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

#include "engine/link/exchange_guard.h"
#include "ui/print/cups_requests.h"

namespace zk {

PrintSystemTimeouts DriverPrintTimeouts;

namespace {

using Clock = std::chrono::steady_clock;

// The worker gives up at the deadline; this much longer lets its answer arrive.
constexpr std::chrono::milliseconds AnswerGrace{1000};

}  // namespace

PrintSystemClient::PrintSystemClient(QObject* parent) : QObject(parent) {}

PrintSystemClient::~PrintSystemClient()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_tasks.clear();
    }
    m_cancelled = true;
    m_wake.notify_all();
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void PrintSystemClient::Post(std::function<void()> task)
{
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    if (!m_worker.joinable()) {
        m_worker = std::thread(&PrintSystemClient::Serve, this);
    }
    m_wake.notify_one();
}

void PrintSystemClient::Serve()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_stopping) {
                return;
            }
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
}

void PrintSystemClient::RequestPrinters()
{
    if (m_listing) {
        m_listAgain = true;
        return;
    }
    m_listing = true;
    const RequestBounds bounds{Clock::now() + DriverPrintTimeouts.list, &m_cancelled};
    Post([this, bounds] {
        PrinterList list = ListPrinters(bounds);
        QMetaObject::invokeMethod(
            this, [this, list = std::move(list)] { PrintersArrived(list); }, Qt::QueuedConnection);
    });
}

void PrintSystemClient::PrintersArrived(const PrinterList& list)
{
    m_listing = false;
    if (m_listAgain) {
        m_listAgain = false;
        RequestPrinters();
    }
    emit printersListed(list);
}

template <typename Answer>
Answer PrintSystemClient::WaitFor(std::function<Answer(const RequestBounds&)> request,
                                  std::chrono::milliseconds timeout)
{
    // The deadline runs from now, also while the worker finishes an earlier request.
    const RequestBounds bounds{Clock::now() + timeout, &m_cancelled};
    const auto answer = std::make_shared<std::optional<Answer>>();
    QEventLoop loop;
    const QPointer<QEventLoop> waiting(&loop);
    Post([this, request = std::move(request), bounds, answer, waiting] {
        Answer result = request(bounds);
        QMetaObject::invokeMethod(
            this,
            [answer, result = std::move(result), waiting]() mutable {
                *answer = std::move(result);
                if (waiting != nullptr) {
                    waiting->quit();
                }
            },
            Qt::QueuedConnection);
    });
    QTimer::singleShot(timeout + AnswerGrace, &loop, &QEventLoop::quit);
    // Window messages run here as in the serial link's waits: what they
    // start was not asked for by the exchange that waits.
    const TWindowMessagesScope messages;
    loop.exec();
    return answer->has_value() ? std::move(**answer) : Answer{};
}

PrinterLookup PrintSystemClient::Describe(const std::string& printer)
{
    return WaitFor<PrinterLookup>([printer](const RequestBounds& bounds) { return DescribePrinter(printer, bounds); },
                                  DriverPrintTimeouts.list);
}

JobAnswer PrintSystemClient::Submit(PrintJob job)
{
    const std::chrono::milliseconds lookup = DriverPrintTimeouts.lookup;
    return WaitFor<JobAnswer>(
        [job = std::move(job), lookup](const RequestBounds& bounds) {
            // The job's own share of the time ends before its lookup's.
            return SubmitJob(job, RequestBounds{bounds.deadline - lookup, bounds.cancelled}, bounds);
        },
        DriverPrintTimeouts.job + lookup);
}

}  // namespace zk
