#pragma once
// The label as lines of the printer command language. Three writers share
// the lines with small differences: the print stream of a test print, the
// store stream that keeps the label as a form in the printer, and the form
// file. Every function here is a pure function of the model it is given;
// the senders and the form file writer put the pieces together.

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/model/figures.h"
#include "engine/model/label_setup.h"
#include "engine/model/templates.h"

namespace zk {

enum class CommandWriter { PrintStream, StoreStream, FormFile };

// The longest command line the writers produce, without its CR LF: a PDF417
// line whose fields are at the widest their types print and whose data text
// fills Pdf417DataBuffer (the other kinds' lines are far shorter):
//   "b-32768,-32768,P,65535,65535,"   29
//   "s254,c1,f0,x255,y255,"           21
//   "r65535,l65535,o255,"             19
//   data text                       3071
inline constexpr std::size_t LongestCommandLine = 29 + 21 + 19 + (Pdf417DataBufferSize - 1);

// The definition lines of every defined variable (index order), then of
// every defined counter; the same in every writer.
std::string VarCntDefinitionLines();
// The print stream's "?" line and the current values that follow it.
std::string CurrentValueLines();

// The label setup lines in the order of the writer.
std::string LabelSetupLines(const TLabelSetup& setup, CommandWriter writer);

// The letters of the label's soft fonts in list order: the letter of font
// number 6 + k is at k.
std::string SoftFontLetters();

// The command line of one figure; empty for a soft-font figure, which has
// none.
std::string FigureLine(const TFigurePayload& payload, CommandWriter writer, std::string_view softFontLetters);
// The figure lines of the whole label in list order.
std::string FigureLines(CommandWriter writer);

// The whole form file text.
std::string FormFileText();

}  // namespace zk
