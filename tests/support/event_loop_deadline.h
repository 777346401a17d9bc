#pragma once
// Runs the event loop for a while and checks that it gives control back in
// time. A loop flooded with queued work never returns to the test, so a
// watchdog thread ends the program, naming the test, once the deadline has
// passed. Header-only: the including program links Qt.

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>

namespace zk::test {

inline void RunEventLoopFor(std::chrono::milliseconds run, std::chrono::seconds deadline = std::chrono::seconds(30))
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "a test";
    std::mutex mutex;
    std::condition_variable returned;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!returned.wait_for(lock, run + deadline, [&] { return done; })) {
            std::fprintf(stderr, "%s: the event loop was asked to stop after %lld ms and has not within %lld s\n",
                         name.c_str(), static_cast<long long>(run.count()), static_cast<long long>(deadline.count()));
            std::abort();
        }
    });
    QEventLoop loop;
    QTimer::singleShot(run, &loop, &QEventLoop::quit);
    loop.exec();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    returned.notify_all();
    watchdog.join();
}

}  // namespace zk::test
