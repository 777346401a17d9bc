#pragma once
// What the print system tells about its printers and how it answered a
// request: plain values handed from the print system's worker thread to the
// window's thread.

#include <optional>
#include <string>
#include <vector>

namespace zk {

// Dots per inch across and down.
struct PrinterResolution {
    int x = 0;
    int y = 0;
    bool operator==(const PrinterResolution&) const = default;
};

// A paper size the printer offers, in hundredths of a millimetre.
struct PrinterMedia {
    std::string keyword;  // the print system's own name, as a job asks for it
    std::string name;     // for people: "A4", "Letter", "2x4"
    int widthHmm = 0;
    int lengthHmm = 0;
    bool operator==(const PrinterMedia&) const = default;
};

struct PrinterDescription {
    std::string name;
    std::vector<PrinterResolution> resolutions;
    std::optional<PrinterResolution> defaultResolution;
    std::vector<PrinterMedia> media;
    std::optional<PrinterMedia> defaultMedia;
    // A class's printers; its resolutions and paper sizes are theirs.
    std::vector<std::string> members;
    // The class's printers differ in resolution or paper: it has none of its own.
    bool membersDiffer = false;
    bool isClass = false;
};

enum class PrintSystemAnswer {
    Done,
    NoSuchPrinter,
    NoDefaultPrinter,
    NotAccepting,
    // A class whose printers differ in resolution or paper.
    MembersDiffer,
    // The print system names no resolution for the printer.
    ResolutionUnknown,
    // A class all of whose printers went away.
    EmptyClass,
    // No print server listens where the print system's address points.
    Unreachable,
    // The print system did not answer in time.
    NoAnswer,
    // Any other refusal; the print system's own words go with it.
    Refused,
    // The whole job went out but whether the print system queued it could
    // not be learnt: it may print.
    MayHavePrinted,
};

struct PrinterList {
    PrintSystemAnswer answer = PrintSystemAnswer::NoAnswer;
    std::vector<PrinterDescription> printers;
    // Empty when the print system has none.
    std::string defaultPrinter;
};

struct PrinterLookup {
    PrintSystemAnswer answer = PrintSystemAnswer::NoAnswer;
    PrinterDescription printer;
    std::string detail;
};

struct PrintJob {
    std::string printer;
    std::string title;
    std::string pdf;
    std::optional<std::string> media;
    std::optional<PrinterResolution> resolution;
};

struct JobAnswer {
    PrintSystemAnswer answer = PrintSystemAnswer::NoAnswer;
    std::string detail;
};

}  // namespace zk
