#pragma once
// A driver print job: the page it is drawn on, chosen from what the
// printer says of itself and what the printer setup chose, and the PDF
// document of its pages, one label dot for each printer dot.

#include <QByteArray>

#include <optional>
#include <string>

#include "ui/print/printer_description.h"

namespace zk {

// What the printer setup chose for one printer.
struct PrinterSettings {
    std::string printer;
    std::string media;  // a keyword of the printer's paper sizes; empty: its default
    std::optional<PrinterResolution> resolution;
};

struct JobPage {
    PrinterResolution resolution;
    // None when the printer names no paper: the page is then the label's size.
    std::optional<PrinterMedia> media;
};

// The chosen settings where they apply to this printer and it still offers
// them, else the printer's defaults. None when the printer names no
// resolution: a label is never printed at a guessed scale.
std::optional<JobPage> ChooseJobPage(const PrinterDescription& printer, const PrinterSettings& chosen);

// The paper a job uses: the chosen one where it applies to this printer
// and it still offers it, else the printer's default.
std::optional<PrinterMedia> ChooseJobMedia(const PrinterDescription& printer, const PrinterSettings& chosen);

// Draws sets x copies pages: for each set the label is drawn again (with
// the counters as they are then), each copy at the page's top-left corner
// unscaled, and the counters advance by one step after the set. Window
// messages run between the copies.
QByteArray DrawLabelJob(const JobPage& page, int sets, int copies, const QString& title);

}  // namespace zk
