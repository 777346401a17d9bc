#include "tests/ui/main_window_fixture.h"

#include <QTest>
#include <cstdlib>
#include <fstream>

#include "ui/editing/editor_state.h"
#include "ui/editor_globals.h"
#include "ui/editor_hooks.h"

namespace zk::test {

MainWindowTest::MainWindowTest()
{
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
        m_hadConfigHome = true;
        m_oldConfigHome = old;
    }
    setenv("XDG_CONFIG_HOME", (TempDir() / "config").c_str(), 1);
    EditorHooks = {};
    ResetEditorGlobals();
    ResetEditorState();
}

MainWindowTest::~MainWindowTest()
{
    window.reset();
    EditorHooks = {};
    ResetEditorGlobals();
    ResetEditorState();
    if (m_hadConfigHome) {
        setenv("XDG_CONFIG_HOME", m_oldConfigHome.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

std::string MainWindowTest::UserDir() const
{
    return (TempDir() / "config" / "zkedit").string() + "/";
}

void MainWindowTest::WriteConfiguration(const std::string& text) const
{
    std::filesystem::create_directories(UserDir());
    std::ofstream(UserDir() + "ZOVIDURU.CFG") << text;
}

MainWindowWithBoxesTest::MainWindowWithBoxesTest() { SetUiServices(&services); }

MainWindowWithBoxesTest::~MainWindowWithBoxesTest() { SetUiServices(&ui); }

TZKedit& MainWindowTest::MakeWindow(std::vector<std::string> args)
{
    window = std::make_unique<TZKedit>(args);
    return *window;
}

TZKedit& MainWindowTest::StartWindow(std::vector<std::string> args)
{
    MakeWindow(std::move(args));
    window->show();
    auto* timer = window->findChild<QTimer*>("StartTimer");
    EXPECT_TRUE(timer != nullptr && timer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }));
    return *window;
}

}  // namespace zk::test
