#pragma once
// Helpers for the barcode encoder tests: encode a constant, read the module
// array back as text, and decode it with an independent reader (zxing-cpp).

#include <optional>
#include <string>
#include <string_view>

#include "engine/barcode/barcode.h"
#include "tests/support/zxing_decoder.h"

namespace zk::test {

// A barcode figure whose data expression is the quoted constant `data`.
TBarcodeFigure BarcodeFigure(BarcodeType type, std::string_view data, int narrow = 1, int wide = 3);

// Encodes that figure and returns it with ModuleCount and RenderedWidth set.
TBarcodeFigure Encode(BarcodeType type, std::string_view data, int narrow = 1, int wide = 3);

// The written columns of ModuleArray as '1' (black) and '0' (white).
std::string Modules();

// Widths of the runs of equal columns, each as one digit ('1'..'9'), for
// comparing with the element widths the standards print.
std::string RunWidths();

// Renders the module array `rows` dots high with a quiet zone of 20 modules
// of `moduleWidth` dots into an 8-bit grey image and decodes it as
// `format` (a zxing-cpp format name such as "Code128").
std::optional<TDecoded> DecodeModules(std::string_view format, int moduleWidth, const TDecodeOptions& options = {});

// As DecodeModules, with the main symbol and the add-on now in ModuleArray
// placed `gap` columns apart.
std::optional<TDecoded> DecodeWithAddOn(std::string_view format, int moduleWidth, const std::string& mainModules,
                                        int gap);

}  // namespace zk::test
