#pragma once
// One-dimensional barcode encoding: a barcode figure's data becomes a row of
// dot columns in ModuleArray (see barcode_state.h), with the completed data
// text in BarcodeText for the human-readable line.

#include <string>
#include <string_view>

#include "engine/barcode/barcode_state.h"
#include "engine/barcode/barcode_types.h"
#include "engine/model/figures.h"

namespace zk {

// Evaluates the figure's data, checks and completes it and writes its
// symbol. Stores ModuleCount and RenderedWidth (both ModuleArrayCount) in
// the figure. Invalid data is replaced or repaired, never refused: the
// substitute is encoded and BarcodeInvalid set.
void EncodeBarcode(TBarcodeFigure& figure);

// Clears the module array and writes the 2- or 5-digit EAN/UPC add-on symbol
// of `digits`, `narrow` dots per module.
void EncodeAddOn(int narrow, std::string_view digits);

// The 11 digits of the UPC-A number (number system 0, without check digit)
// that the 6-digit UPC-E number stands for.
std::string ExpandUpcE(std::string_view upcE);

// Second pass of the Postnet drawing: rewrites the module array from
// BarcodeText (digits and check digit of the last Postnet encoding) with
// every bar black, short ones included.
void EncodePostnetAllBars();

// Rebuilds the module array with only the guard bars of the last EAN/UPC
// symbol (by EanGroupKind), the digit areas left white, for the guards that
// reach below the human-readable digits.
void EncodeEanGuards(int narrow);

}  // namespace zk
