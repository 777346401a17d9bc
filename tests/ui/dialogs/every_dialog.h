#pragma once
// Every dialog of the program, made beside a started main window, for the
// tests that look at all of them as the user first sees them. The terminal
// holds a port while shown: it gets the printer emulator's.

#include <QDialog>
#include <optional>
#include <vector>

#include "tests/support/printer_emulator.h"
#include "tests/ui/main_window_fixture.h"

namespace zk::test {

class EveryDialogTest : public MainWindowWithBoxesTest {
protected:
    EveryDialogTest();
    ~EveryDialogTest() override;

    // Starts the main window and makes the forms made on first use and
    // those made for each showing; the message box comes first.
    std::vector<QDialog*> MakeEveryDialog();

private:
    std::optional<PrinterEmulator> m_printer;
};

}  // namespace zk::test
