#include "tests/support/named_pipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include <gtest/gtest.h>

namespace zk::test {

TPipeRead ReadUnwrittenPipe(const std::string& path, const std::function<bool(const std::string&)>& read)
{
    TPipeRead outcome;
    if (mkfifo(path.c_str(), 0600) != 0) {
        ADD_FAILURE() << "no named pipe at " << path;
        return outcome;
    }
    auto reading = std::async(std::launch::async, [&read, path] { return read(path); });
    outcome.Returned = reading.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    // Each open the read is stuck in is let go in turn.
    while (reading.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        close(open(path.c_str(), O_WRONLY | O_NONBLOCK));
    }
    outcome.Result = reading.get();
    return outcome;
}

}  // namespace zk::test
