#pragma once
// Requests to the desktop's print system (CUPS) through its own library,
// each over a connection of its own and bounded: nothing waits past the
// deadline, and a request under way stops within a tenth of a second once
// cancelled. They block, so they run on the print system's worker thread
// (print_system_client.h), never on the window's.

#include <atomic>
#include <chrono>
#include <string>

#include "ui/print/printer_description.h"

namespace zk {

struct RequestBounds {
    std::chrono::steady_clock::time_point deadline;
    const std::atomic<bool>* cancelled = nullptr;
};

// The printers with their resolutions and paper sizes, and the default
// printer as the user's print settings or the print server name it.
PrinterList ListPrinters(const RequestBounds& bounds);

// One printer as it is now; an empty name stands for the default printer.
PrinterLookup DescribePrinter(const std::string& name, const RequestBounds& bounds);

// Makes the job on the printer's queue and hands it the PDF document. When
// the whole document went out but no answer came, the job is looked up
// within lookupBounds: queued, it counts as done; when that can't be
// learnt, the answer is MayHavePrinted. A job left without its document is
// cancelled.
JobAnswer SubmitJob(const PrintJob& job, const RequestBounds& bounds, const RequestBounds& lookupBounds);

}  // namespace zk
