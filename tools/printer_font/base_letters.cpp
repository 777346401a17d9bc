#include "tools/printer_font/base_letters.h"

#include <string_view>

namespace zk::tools {

namespace {

using namespace std::string_view_literals;

// U+00C0..U+00FF and U+0100..U+017F; NUL where a letter has no base.
constexpr std::string_view Latin1Bases = "AAAAAA\0CEEEEIIIIDNOOOOO\0OUUUUY\0\0aaaaaa\0ceeeeiiiidnooooo\0ouuuuy\0y"sv;
constexpr std::string_view LatinExtendedABases =
    "AaAaAa" "CcCcCcCc" "DdDd" "EeEeEeEeEe" "GgGgGgGg" "HhHh" "IiIiIiIiIi" "\0\0" "Jj" "Kk\0" "LlLlLlLlLl"
    "NnNnNnn\0\0" "OoOoOo\0\0" "RrRrRr" "SsSsSsSs" "TtTtTt" "UuUuUuUuUuUu" "WwYyY" "ZzZzZz" "s"sv;
static_assert(Latin1Bases.size() == 64);
static_assert(LatinExtendedABases.size() == 128);

struct Pair {
    char32_t accented;
    char32_t base;
};

constexpr Pair GreekAndCyrillic[] = {
    {0x0386, 0x0391}, {0x0388, 0x0395}, {0x0389, 0x0397}, {0x038A, 0x0399}, {0x038C, 0x039F}, {0x038E, 0x03A5},
    {0x038F, 0x03A9}, {0x0390, 0x03B9}, {0x03AA, 0x0399}, {0x03AB, 0x03A5}, {0x03AC, 0x03B1}, {0x03AD, 0x03B5},
    {0x03AE, 0x03B7}, {0x03AF, 0x03B9}, {0x03B0, 0x03C5}, {0x03CA, 0x03B9}, {0x03CB, 0x03C5}, {0x03CC, 0x03BF},
    {0x03CD, 0x03C5}, {0x03CE, 0x03C9}, {0x0400, 0x0415}, {0x0401, 0x0415}, {0x0403, 0x0413}, {0x0407, 0x0406},
    {0x040C, 0x041A}, {0x040D, 0x0418}, {0x040E, 0x0423}, {0x0450, 0x0435}, {0x0451, 0x0435}, {0x0453, 0x0433},
    {0x0457, 0x0456}, {0x045C, 0x043A}, {0x045D, 0x0438}, {0x045E, 0x0443}, {0x0490, 0x0413}, {0x0491, 0x0433},
};

}  // namespace

char32_t BaseLetter(char32_t ch)
{
    if (ch >= 0x00C0 && ch <= 0x00FF) return static_cast<unsigned char>(Latin1Bases[ch - 0x00C0]);
    if (ch >= 0x0100 && ch <= 0x017F) return static_cast<unsigned char>(LatinExtendedABases[ch - 0x0100]);
    for (const Pair& pair : GreekAndCyrillic) {
        if (pair.accented == ch) return pair.base;
    }
    return 0;
}

}  // namespace zk::tools
