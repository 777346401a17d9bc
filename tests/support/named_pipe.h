#pragma once
// Reading a named pipe that nobody writes to: a reader that opens it as a
// plain file waits for a writer for ever. The helper runs the read on a
// thread of its own and, should the read not return in time, opens the pipe
// for writing until the reader goes, so that the test can end.

#include <functional>
#include <string>

namespace zk::test {

struct TPipeRead {
    bool Returned = false;  // the read came back by itself
    bool Result = false;    // what it returned
};

// Makes a named pipe at path and reads it with read.
TPipeRead ReadUnwrittenPipe(const std::string& path, const std::function<bool(const std::string&)>& read);

}  // namespace zk::test
