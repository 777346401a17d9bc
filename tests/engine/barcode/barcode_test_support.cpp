#include "tests/engine/barcode/barcode_test_support.h"

#include <vector>

namespace zk::test {
namespace {

constexpr int QUIET_MODULES = 20;
constexpr int ROWS = 40;

std::optional<TDecoded> DecodeColumns(std::string_view format, int moduleWidth, const std::string& columns,
                                      const TDecodeOptions& options)
{
    const int quiet = QUIET_MODULES * std::max(moduleWidth, 1);
    const int width = static_cast<int>(columns.size()) + 2 * quiet;
    std::vector<std::uint8_t> lum(static_cast<std::size_t>(width) * ROWS, 255);
    for (int y = 0; y < ROWS; ++y) {
        for (std::size_t x = 0; x < columns.size(); ++x) {
            if (columns[x] == '1') {
                lum[static_cast<std::size_t>(y * width + quiet) + x] = 0;
            }
        }
    }
    return DecodeGrey(lum, width, ROWS, format, options);
}

}  // namespace

TBarcodeFigure BarcodeFigure(BarcodeType type, std::string_view data, int narrow, int wide)
{
    TBarcodeFigure figure;
    figure.Type = static_cast<std::int16_t>(type);
    figure.Narrow = static_cast<std::int16_t>(narrow);
    figure.Wide = static_cast<std::int16_t>(wide);
    figure.Height = 60;
    std::string quoted = "\"";
    quoted.append(data);
    quoted.push_back('"');
    figure.Data = quoted;
    return figure;
}

TBarcodeFigure Encode(BarcodeType type, std::string_view data, int narrow, int wide)
{
    TBarcodeFigure figure = BarcodeFigure(type, data, narrow, wide);
    EncodeBarcode(figure);
    return figure;
}

std::string Modules()
{
    std::string columns;
    for (int i = 0; i < ModuleArrayCount; ++i) {
        columns.push_back(ModuleArray[static_cast<std::size_t>(i)] ? '1' : '0');
    }
    return columns;
}

std::string RunWidths()
{
    const std::string columns = Modules();
    std::string widths;
    std::size_t i = 0;
    while (i < columns.size()) {
        std::size_t j = i;
        while (j < columns.size() && columns[j] == columns[i]) {
            ++j;
        }
        widths.push_back(static_cast<char>('0' + std::min<std::size_t>(j - i, 9)));
        i = j;
    }
    return widths;
}

std::optional<TDecoded> DecodeModules(std::string_view format, int moduleWidth, const TDecodeOptions& options)
{
    return DecodeColumns(format, moduleWidth, Modules(), options);
}

std::optional<TDecoded> DecodeWithAddOn(std::string_view format, int moduleWidth, const std::string& mainModules,
                                        int gap)
{
    const std::string columns = mainModules + std::string(static_cast<std::size_t>(gap), '0') + Modules();
    TDecodeOptions options;
    options.ReadEanAddOn = true;
    return DecodeColumns(format, moduleWidth, columns, options);
}

}  // namespace zk::test
