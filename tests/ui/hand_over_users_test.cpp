// The hand-over socket belongs to its user: it lives in a folder no one
// else may use, and neither side talks to a peer of another user.

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>

#include <QTest>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "tests/support/engine_fixture.h"
#include "tests/support/scoped_environment.h"
#include "ui/single_instance.h"

namespace zk::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr uid_t OtherUser = 65534;

bool OwnedPrivately(const fs::path& folder)
{
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & 0777) == 0700;
}

class HandOverUsersTest : public EngineTest {
protected:
    // The folder the socket lands in when there is no runtime folder.
    fs::path OwnFolder() const { return TempDir() / "tmp" / ("zkedit-" + std::to_string(::getuid())); }

    void WithoutRuntimeFolder()
    {
        fs::create_directories(TempDir() / "tmp");
        environment.Set("TMPDIR", (TempDir() / "tmp").string());
        // Recorded so that it comes back after the test.
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        environment.Set("XDG_RUNTIME_DIR", runtime != nullptr ? runtime : "");
        ::unsetenv("XDG_RUNTIME_DIR");
    }

    // A folder another user can reach, for a peer of another user; removed
    // with the test. The test's own folder is closed to other users.
    fs::path SharedFolder()
    {
        std::string pattern = "/tmp/zk-peer.XXXXXX";
        EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
        shared = pattern;
        fs::permissions(shared, fs::perms::all);
        return shared;
    }

    ~HandOverUsersTest() override
    {
        if (!shared.empty()) {
            std::error_code error;
            fs::remove_all(shared, error);
        }
    }

    // Runs body in a child process as another user; its exit status.
    template <class Body>
    static pid_t AsOtherUser(Body body)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            if (::syscall(SYS_setgroups, 0, nullptr) != 0 ||
                ::syscall(SYS_setresgid, OtherUser, OtherUser, OtherUser) != 0 ||
                ::syscall(SYS_setresuid, OtherUser, OtherUser, OtherUser) != 0) {
                ::_exit(100);
            }
            ::_exit(body());
        }
        return child;
    }

    static int ExitStatus(pid_t child)
    {
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
    }

    ScopedEnvironment environment;
    fs::path shared;
};

TEST_F(HandOverUsersTest, WithoutARuntimeFolderTheNameLivesInAPrivateFolderOfTheUsers)
{
    WithoutRuntimeFolder();
    const QString name = HandOverServerName();
    ASSERT_TRUE(name.startsWith('/')) << name.toStdString();
    EXPECT_EQ(fs::path(name.toStdString()).parent_path(), OwnFolder());
    EXPECT_TRUE(OwnedPrivately(OwnFolder()));

    THandOverServer server;
    ASSERT_EQ(server.Claim(name), TClaim::Listening);
    EXPECT_TRUE(HandOverToRunningInstance(name, "", 5s));
}

TEST_F(HandOverUsersTest, ARuntimeFolderOthersMayUseIsNotTrusted)
{
    const fs::path runtime = TempDir() / "open-runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all | fs::perms::group_all | fs::perms::others_all);
    environment.Set("TMPDIR", (TempDir() / "tmp").string());
    fs::create_directories(TempDir() / "tmp");
    environment.Set("XDG_RUNTIME_DIR", runtime.string());
    EXPECT_EQ(fs::path(HandOverServerName().toStdString()).parent_path(), OwnFolder());
}

// A folder of that name found in place may have been made by someone else
// first (or be a link to their folder): it is refused, and the editor runs
// without taking hand-overs rather than talk through it.
TEST_F(HandOverUsersTest, AFolderFoundInPlaceThatIsntTheUsersOwnIsRefused)
{
    WithoutRuntimeFolder();
    const fs::path elsewhere = TempDir() / "elsewhere";
    fs::create_directories(elsewhere);
    fs::permissions(elsewhere, fs::perms::owner_all);
    const struct {
        const char* name;
        std::function<void()> make;
    } cases[] = {
        {"open to all",
         [this] {
             fs::create_directory(OwnFolder());
             fs::permissions(OwnFolder(), fs::perms::all);
         }},
        {"a link to a private folder", [&] { fs::create_directory_symlink(elsewhere, OwnFolder()); }},
        {"another user's",
         [this] {
             fs::create_directory(OwnFolder());
             fs::permissions(OwnFolder(), fs::perms::owner_all);
             ASSERT_EQ(::chown(OwnFolder().c_str(), OtherUser, OtherUser), 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) == "another user's" && ::geteuid() != 0) {
            continue;  // only root can give a folder away
        }
        c.make();
        EXPECT_TRUE(HandOverServerName().isEmpty()) << HandOverServerName().toStdString();
        THandOverServer server;
        EXPECT_EQ(ClaimOrHandOver(server, HandOverServerName(), "/tmp/label.zlb", 200ms),
                  TStartRole::EditorWithoutHandOver);
        std::error_code error;
        fs::remove_all(OwnFolder(), error);
        fs::remove(OwnFolder(), error);
    }
}

// Another user listens on the name: the label's path is not sent to it.
TEST_F(HandOverUsersTest, ALaterStartSendsNothingToAnotherUsersServer)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "playing another user needs root";
    }
    const std::string name = (SharedFolder() / "handover").string();
    const pid_t server = AsOtherUser([&name] {
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        name.copy(address.sun_path, sizeof address.sun_path - 1);
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::chmod(name.c_str(), 0777) != 0 || ::listen(listener, 4) != 0) {
            return 101;
        }
        pollfd waiting{listener, POLLIN, 0};
        if (::poll(&waiting, 1, 10000) != 1) {
            return 102;
        }
        const int peer = ::accept(listener, nullptr, nullptr);
        // Whatever arrives within a while; the client hangs up when it refuses.
        char bytes[64];
        pollfd reading{peer, POLLIN, 0};
        ssize_t received = 0;
        if (::poll(&reading, 1, 3000) == 1) {
            received = ::read(peer, bytes, sizeof bytes);
        }
        return received > 0 ? 1 : 0;
    });
    ASSERT_TRUE(QTest::qWaitFor([&name] { return fs::exists(name); }, 10000));

    EXPECT_FALSE(HandOverToRunningInstance(QString::fromStdString(name), "/home/user/secret.zlb", 1s));
    EXPECT_EQ(ExitStatus(server), 0) << "the path went to another user";
}

// Another user connects to the editor's socket (made reachable for the
// test): its request is neither opened nor does it raise the window.
TEST_F(HandOverUsersTest, TheEditorTakesNoRequestFromAnotherUser)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "playing another user needs root";
    }
    const std::string name = (SharedFolder() / "handover").string();
    THandOverServer editor;
    ASSERT_EQ(editor.Claim(QString::fromStdString(name)), TClaim::Listening);
    int opened = 0, raised = 0;
    editor.SetReceiver([&opened](const std::string&) { ++opened; }, [&raised] { ++raised; });
    ASSERT_EQ(::chmod(name.c_str(), 0777), 0);

    const pid_t client = AsOtherUser([&name] {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        name.copy(address.sun_path, sizeof address.sun_path - 1);
        if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            return 101;
        }
        const char request[] = "\0\0\0\x0b/etc/shadow";
        if (::write(socket, request, sizeof request - 1) != static_cast<ssize_t>(sizeof request - 1)) {
            return 102;
        }
        // An answer byte would mean the request was taken.
        char answer = 0;
        pollfd reading{socket, POLLIN, 0};
        return ::poll(&reading, 1, 5000) == 1 && ::read(socket, &answer, 1) == 1 ? 1 : 0;
    });
    int status = -1;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            int raw = 0;
            if (::waitpid(client, &raw, WNOHANG) == client) {
                status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 200;
            }
            return status >= 0;
        },
        15000));
    EXPECT_EQ(status, 0) << "the editor answered another user";
    QTest::qWait(50);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(raised, 0);
}

}  // namespace
}  // namespace zk::test
