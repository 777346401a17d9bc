#pragma once
// Fixture for the label setup, settings and terminal forms shown on their
// own (no main window): a fresh engine, the port list and the terminal's
// port back at their defaults, the system clock.

#include <QComboBox>
#include <QLineEdit>
#include <string>

#include "engine/expr/clock.h"
#include "tests/support/engine_fixture.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/dialogs/terminal_dlg.h"

namespace zk::test {

class SetupDialogsTest : public EngineTest {
protected:
    SetupDialogsTest() { Restore(); }
    ~SetupDialogsTest() override { Restore(); }

    static void Restore()
    {
        EnumerateSerialPortsHook = nullptr;
        TerminalPort = {};
        SetClockNow(std::nullopt);
    }

    // Keeps the port list a test has set (the printer emulator's port).
    static void KeepPortList()
    {
        EnumerateSerialPortsHook = [] {};
    }

    static std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }
    static std::string Text(const QComboBox* list) { return list->currentText().toStdString(); }
};

}  // namespace zk::test
