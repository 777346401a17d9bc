#pragma once
// Labels for the print dialogs' tests and a wait for the end of a print
// stream at the printer emulator.

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "engine/model/figure_list.h"
#include "tests/support/printer_emulator.h"

namespace zk::test {

// One text that shows variable 0 and one barcode of counter 1.
inline void AddTextAndBarcode()
{
    TTextFigure text;
    text.X = 10;
    text.Y = 20;
    text.Font = 3;
    text.Data = "V00";
    AppendFigure(text);
    TBarcodeFigure barcode;
    barcode.X = 5;
    barcode.Y = 60;
    barcode.Narrow = 2;
    barcode.Wide = 4;
    barcode.Height = 40;
    barcode.Data = "C01";
    AppendFigure(barcode);
}

// More than the pseudo-terminal queues, so that a stalled printer makes
// the writes block.
inline void AddBulk()
{
    TPdf417Figure pdf;
    pdf.Data = std::string(3000, 'x');
    for (int i = 0; i < 12; ++i) {
        AppendFigure(pdf);
    }
}

// Everything received once it contains tail; the test fails when tail has
// not come within ten seconds.
inline std::string ReceivedThrough(const PrinterEmulator& printer, const std::string& tail)
{
    for (int i = 0; i < 1000; ++i) {
        if (printer.Received().find(tail) != std::string::npos) {
            return printer.Received();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ADD_FAILURE() << "the printer never received " << tail;
    return printer.Received();
}

}  // namespace zk::test
