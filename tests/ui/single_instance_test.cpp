// The single-instance hand-over: a later start passes its label to the
// first instance over the per-user local socket.

#include "ui/single_instance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QLocalSocket>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/editor_hooks.h"
#include "ui/main_window.h"
#include "ui/program_main.h"

namespace zk::test {
namespace {

namespace fs = std::filesystem;

class HandOverTest : public MainWindowTest {
protected:
    HandOverTest() : serverName((TempDir() / "handover").string()) {}

    // Starts the first instance's server, recording what it receives.
    void Listen(THandOverServer& server)
    {
        ASSERT_TRUE(server.Listen(QString::fromStdString(serverName)));
        server.SetReceiver([this](const std::string& path) { opened.push_back(path); }, [this] { ++raised; });
    }

    bool HandOver(const std::string& path)
    {
        return HandOverToRunningInstance(QString::fromStdString(serverName), path);
    }

    const std::string serverName;
    std::vector<std::string> opened;
    int raised = 0;
};

TEST_F(HandOverTest, ALongPathArrivesWholeAndRaisesTheWindow)
{
    THandOverServer server;
    Listen(server);
    const std::string path = "/" + std::string(998, 'p') + "/label.zlb";
    ASSERT_GT(path.size(), 1000u);

    EXPECT_TRUE(HandOver(path));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !opened.empty(); }));
    EXPECT_EQ(opened, std::vector<std::string>{path});
    EXPECT_EQ(raised, 1);
}

TEST_F(HandOverTest, WithoutAPathOnlyRaises)
{
    THandOverServer server;
    Listen(server);
    EXPECT_TRUE(HandOver(""));
    ASSERT_TRUE(QTest::qWaitFor([this] { return raised == 1; }));
    QTest::qWait(20);
    EXPECT_TRUE(opened.empty());
}

TEST_F(HandOverTest, NobodyListeningMeansThisIsTheFirstInstance)
{
    EXPECT_FALSE(HandOver("/tmp/label.zlb"));
}

TEST_F(HandOverTest, ASecondServerOnALiveNameIsRefused)
{
    THandOverServer first;
    Listen(first);
    THandOverServer second;
    EXPECT_FALSE(second.Listen(QString::fromStdString(serverName)));
    EXPECT_TRUE(first.IsListening());
}

TEST_F(HandOverTest, ASocketLeftByACrashIsTakenOver)
{
    // A bound socket whose owner went away without removing it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(serverName.size(), sizeof address.sun_path);
    std::copy(serverName.begin(), serverName.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(fs::exists(serverName));

    THandOverServer server;
    Listen(server);
    EXPECT_TRUE(HandOver("/tmp/after-crash.zlb"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !opened.empty(); }));
    EXPECT_EQ(opened[0], "/tmp/after-crash.zlb");
}

TEST_F(HandOverTest, CloseReleasesTheName)
{
    THandOverServer server;
    Listen(server);
    server.Close();
    EXPECT_FALSE(HandOver("/tmp/label.zlb"));
    THandOverServer next;
    EXPECT_TRUE(next.Listen(QString::fromStdString(serverName)));
}

TEST_F(HandOverTest, ALabelArrivingDuringAModalDialogOpensWhenItCloses)
{
    THandOverServer server;
    Listen(server);
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    EXPECT_TRUE(HandOver("/tmp/waiting.zlb"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return raised == 1; }));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(server.Pending().size(), 1u);

    dialog.hide();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !opened.empty(); }));
    EXPECT_EQ(opened, std::vector<std::string>{"/tmp/waiting.zlb"});
    EXPECT_TRUE(server.Pending().empty());
}

TEST_F(HandOverTest, ALabelArrivingDuringAnExchangeOpensWhenItEnds)
{
    bool exchange = true;
    EditorHooks.ExchangeInProgress = [&exchange] { return exchange; };
    THandOverServer server;
    Listen(server);

    EXPECT_TRUE(HandOver("/tmp/one.zlb"));
    EXPECT_TRUE(HandOver("/tmp/two.zlb"));
    ASSERT_TRUE(QTest::qWaitFor([&server] { return server.Pending().size() == 2; }));
    EXPECT_TRUE(opened.empty());

    exchange = false;
    ASSERT_TRUE(QTest::qWaitFor([this] { return opened.size() == 2; }));
    EXPECT_EQ(opened, (std::vector<std::string>{"/tmp/one.zlb", "/tmp/two.zlb"}));
}

TEST_F(HandOverTest, AnOversizedRequestIsDropped)
{
    THandOverServer server;
    Listen(server);
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(serverName));
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write(QByteArray("\xFF\xFF\xFF\xFF/tmp/x", 10));
    socket.waitForBytesWritten(1000);
    // The server hangs up on it.
    EXPECT_TRUE(QTest::qWaitFor([&socket] { return socket.state() == QLocalSocket::UnconnectedState; }));

    EXPECT_TRUE(HandOver("/tmp/next.zlb"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !opened.empty(); }));
    EXPECT_EQ(opened, std::vector<std::string>{"/tmp/next.zlb"});
    EXPECT_EQ(raised, 1);
}

TEST_F(HandOverTest, OpenFileMessageOpensTheLabelAndMakesItsFolderTheWorkDirectory)
{
    std::vector<std::string> loaded;
    EditorHooks.LoadLabelFile = [&loaded](const std::string& path) { loaded.push_back(path); };
    OnOpenFileMessage("/srv/labels/a.zlb");
    EXPECT_EQ(loaded, std::vector<std::string>{"/srv/labels/a.zlb"});
    EXPECT_EQ(ProgramPaths.WorkDir, "/srv/labels/");
}

TEST_F(HandOverTest, ASecondStartHandsOverItsFileAndCreatesNoWindow)
{
    THandOverServer server;
    ASSERT_TRUE(server.Listen(HandOverServerName()));
    server.SetReceiver([this](const std::string& path) { opened.push_back(path); }, [this] { ++raised; });
    const fs::path label = TempDir() / "second.zlb";
    std::ofstream(label) << "ZK7300 FILE";
    const fs::path oldDir = fs::current_path();
    fs::current_path(TempDir());

    std::string program = "zkedit", argument = "second.zlb", missing = "missing.zlb";
    char* withFile[] = {program.data(), argument.data(), nullptr};
    char* withMissingFile[] = {program.data(), missing.data(), nullptr};
    const int withFileResult = ProgramMain(2, withFile);
    const int withMissingFileResult = ProgramMain(2, withMissingFile);
    fs::current_path(oldDir);

    EXPECT_EQ(withFileResult, 0);
    EXPECT_EQ(withMissingFileResult, 0);
    EXPECT_EQ(ZKedit, nullptr);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<TZKedit*>(widget), nullptr);
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return raised == 2; }));
    EXPECT_EQ(opened, std::vector<std::string>{label.string()});
}

}  // namespace
}  // namespace zk::test
