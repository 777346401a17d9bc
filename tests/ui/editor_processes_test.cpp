// Several editors started in the same instant, as a file manager does for
// several selected labels: exactly one runs and opens every label, and
// once it exits the next start becomes the editor.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/config/program_paths.h"
#include "tests/support/engine_fixture.h"

extern char** environ;

namespace zk::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Generous: editors under the sanitizers start slowly, several at once.
constexpr std::chrono::seconds ProcessDeadline{60};

class EditorProcessesTest : public EngineTest {
protected:
    EditorProcessesTest()
    {
        fs::create_directories(TempDir() / "runtime");
        fs::permissions(TempDir() / "runtime", fs::perms::owner_all);
        // A configuration in place: no first-run settings dialog.
        fs::create_directories(TempDir() / "config" / "zkedit");
        std::ofstream(TempDir() / "config" / "zkedit" / ConfigFileBaseName) << "WIDTH = 400\r\n";
    }

    ~EditorProcessesTest() override
    {
        for (const pid_t child : running) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
    }

    std::string Label(const std::string& name) const
    {
        const fs::path path = TempDir() / name;
        std::ofstream(path) << "ZK7300 FILE";
        return path.string();
    }

    // Starts one editor per label, all released in the same instant.
    void StartTogether(const std::vector<std::string>& labels, const fs::path& log)
    {
        std::vector<std::string> variables = {
            "XDG_RUNTIME_DIR=" + (TempDir() / "runtime").string(),
            "XDG_CONFIG_HOME=" + (TempDir() / "config").string(),
            "QT_QPA_PLATFORM=offscreen",
            "ZK_PROBE_LOG=" + log.string(),
        };
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string_view text(*entry);
            const auto name = text.substr(0, text.find('=') + 1);
            if (name != "XDG_RUNTIME_DIR=" && name != "XDG_CONFIG_HOME=" && name != "QT_QPA_PLATFORM=" &&
                name != "ZK_PROBE_LOG=") {
                variables.emplace_back(text);
            }
        }
        std::vector<char*> envp;
        for (std::string& variable : variables) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        std::string program = (fs::read_symlink("/proc/self/exe").parent_path() / "editor_probe").string();
        std::vector<std::string> arguments = labels;

        int gate[2];
        ASSERT_EQ(::pipe2(gate, O_CLOEXEC), 0);
        for (std::string& label : arguments) {
            char* argv[] = {program.data(), label.data(), nullptr};
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(gate[1]);
                char byte;
                while (::read(gate[0], &byte, 1) < 0 && errno == EINTR) {
                }
                ::execve(argv[0], argv, envp.data());
                ::_exit(127);
            }
            running.insert(child);
        }
        ::close(gate[0]);
        ::close(gate[1]);  // opens the gate for all at once
    }

    // Reaps the children that have ended; their exit statuses by pid.
    void Reap()
    {
        for (auto child = running.begin(); child != running.end();) {
            int status = 0;
            if (::waitpid(*child, &status, WNOHANG) == *child) {
                ended[*child] = status;
                child = running.erase(child);
            } else {
                ++child;
            }
        }
    }

    template <class Condition>
    bool WaitFor(Condition condition)
    {
        const Clock::time_point deadline = Clock::now() + ProcessDeadline;
        while (!condition()) {
            if (Clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            Reap();
        }
        return true;
    }

    // The log's lines as (pid, path).
    static std::vector<std::pair<pid_t, std::string>> Opened(const fs::path& log)
    {
        std::vector<std::pair<pid_t, std::string>> lines;
        std::ifstream file(log);
        pid_t pid = 0;
        std::string path;
        while (file >> pid >> path) {
            lines.emplace_back(pid, path);
        }
        return lines;
    }

    std::set<pid_t> running;
    std::map<pid_t, int> ended;
};

// Each trial is two rounds, so the second shows that once the editor has
// exited the next start becomes the editor. The trials are separate tests
// so that each keeps within the time one test may take under the
// sanitizers, where every editor process starts slowly.
class EditorsStartedTogetherTest : public EditorProcessesTest, public ::testing::WithParamInterface<int> {};

TEST_P(EditorsStartedTogetherTest, LeaveOneThatOpensEveryLabel)
{
    constexpr int Rounds = 2;
    constexpr int Editors = 5;
    for (int round = 0; round < Rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<std::string> labels;
        for (int i = 0; i < Editors; ++i) {
            labels.push_back(Label("r" + std::to_string(round) + "-" + std::to_string(i) + ".zlb"));
        }
        const fs::path log = TempDir() / ("opened-" + std::to_string(round));
        ended.clear();
        StartTogether(labels, log);

        ASSERT_TRUE(WaitFor([&] { return Opened(log).size() >= labels.size(); }))
            << Opened(log).size() << " of " << labels.size() << " labels opened";
        ASSERT_TRUE(WaitFor([&] { return running.size() <= 1; })) << running.size() << " editors run";
        ASSERT_EQ(running.size(), 1u);
        const pid_t editor = *running.begin();
        std::multiset<std::string> openedPaths;
        for (const auto& [pid, path] : Opened(log)) {
            EXPECT_EQ(pid, editor) << path << " opened by another editor";
            openedPaths.insert(path);
        }
        EXPECT_EQ(openedPaths, std::multiset<std::string>(labels.begin(), labels.end()));
        for (const auto& [pid, status] : ended) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "start " << pid << " ended with " << status;
        }

        // Exit of the editor: the next round's starts find no editor.
        StartTogether({Label("exit.zlb")}, log);
        ASSERT_TRUE(WaitFor([&] { return running.empty(); })) << "the editor didn't exit";
        EXPECT_TRUE(WIFEXITED(ended[editor]) && WEXITSTATUS(ended[editor]) == 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Trials, EditorsStartedTogetherTest, ::testing::Range(0, 5));

}  // namespace
}  // namespace zk::test
