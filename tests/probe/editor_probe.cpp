// The editor as tests run it in processes of its own: the program entry
// unchanged, with a record of what it opens. Each label it opens is
// appended to the file ZK_PROBE_LOG names as "<pid> <path>\n"; a label
// whose name ends in "exit.zlb" then closes the main window, as File › Exit
// does.

#include <fcntl.h>
#include <unistd.h>

#include <QTimer>
#include <cstdlib>
#include <string>

#include "ui/editor_hooks.h"
#include "ui/main_window.h"
#include "ui/program_main.h"

namespace {

constexpr std::string_view ExitLabelSuffix = "exit.zlb";

void Record(const std::string& path)
{
    const char* log = std::getenv("ZK_PROBE_LOG");
    if (log == nullptr) {
        return;
    }
    const int file = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (file < 0) {
        return;
    }
    const std::string line = std::to_string(::getpid()) + " " + path + "\n";
    // One write with O_APPEND keeps lines of several processes whole.
    [[maybe_unused]] const ssize_t written = ::write(file, line.data(), line.size());
    ::close(file);
}

}  // namespace

int main(int argc, char* argv[])
{
    zk::EditorHooks.LoadLabelFile = [](const std::string& path) {
        Record(path);
        if (path.ends_with(ExitLabelSuffix)) {
            QTimer::singleShot(0, [] {
                if (zk::ZKedit != nullptr) {
                    zk::ZKedit->close();
                }
            });
        }
    };
    return zk::ProgramMain(argc, argv);
}
