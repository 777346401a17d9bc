#pragma once
// Base fixture for main-window tests: a fresh engine, a private per-user
// directory for the configuration, and the editor hooks back at their
// defaults.

#include <memory>
#include <string>
#include <vector>

#include "tests/support/engine_fixture.h"
#include "ui/main_window.h"
#include "ui/qt_ui_services.h"

namespace zk::test {

class MainWindowTest : public EngineTest {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // The per-user directory the window's start-up will use.
    std::string UserDir() const;
    // Writes the configuration file the start-up reads.
    void WriteConfiguration(const std::string& text) const;
    // Creates the main window (its start-up runs); args[0] is the program.
    TZKedit& MakeWindow(std::vector<std::string> args = {"zkedit"});
    // Creates and shows it, and waits until the start timer has run.
    TZKedit& StartWindow(std::vector<std::string> args = {"zkedit"});

    std::unique_ptr<TZKedit> window;

private:
    std::string m_oldConfigHome;
    bool m_hadConfigHome = false;
};

// The same with the editor's own message box and busy window in force.
class MainWindowWithBoxesTest : public MainWindowTest {
protected:
    MainWindowWithBoxesTest();
    ~MainWindowWithBoxesTest() override;

    QtUiServices services;
};

}  // namespace zk::test
