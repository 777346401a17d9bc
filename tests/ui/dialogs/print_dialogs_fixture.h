#pragma once
// Fixture for the variables and print forms shown on their own (no main
// window): a fresh engine, the forms installed on a parent that goes with
// the test, the mode flags reset, and short link time-outs.

#include <QWidget>
#include <memory>
#include <string>

#include "engine/link/serial_link.h"
#include "engine/model/variables.h"
#include "tests/support/engine_fixture.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/via_drv_dlg.h"

namespace zk::test {

class PrintDialogsTest : public EngineTest {
protected:
    PrintDialogsTest()
    {
        ResetPrintDialogModes();
        LinkTimeouts.ReplySilenceMs = 200;
        LinkTimeouts.WriteTimeoutMs = 100;
        InstallPrintDialogs(formsParent.get());
    }
    ~PrintDialogsTest() override
    {
        ResetPrintDialogModes();
        LinkTimeouts = {};
    }

    static void Define(TVariable& record, const char* prompt, const char* value, int step = 0)
    {
        record.Defined = 1;
        record.Length = 6;
        record.Prompt = prompt;
        record.Value = value;
        record.Step = static_cast<std::int8_t>(step);
    }

    std::unique_ptr<QWidget> formsParent = std::make_unique<QWidget>();
};

}  // namespace zk::test
