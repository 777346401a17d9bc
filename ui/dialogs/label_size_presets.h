#pragma once
// The label sizes the setup dialog offers. Each names its paper roll and
// gives the printable area in tenths of a millimetre, turned into printer
// dots (8 per millimetre) by one rule.

#include <array>
#include <cstdint>

namespace zk {

inline constexpr std::int32_t DotsPerMillimetre = 8;

// Printer dots in a length of tenths of a millimetre.
constexpr std::int32_t TenthsOfMillimetreToDots(std::int32_t tenths)
{
    return tenths * DotsPerMillimetre / 10;
}

struct TLabelSizePreset {
    const char* caption;
    std::int32_t printableWidthTenths;
    std::int32_t printableLengthTenths;

    constexpr std::int32_t WidthDots() const { return TenthsOfMillimetreToDots(printableWidthTenths); }
    constexpr std::int32_t LengthDots() const { return TenthsOfMillimetreToDots(printableLengthTenths); }
};

// Item 0 of the size list is "User size"; these are items 1 to 4.
inline constexpr std::array<TLabelSizePreset, 4> LabelSizePresets{{
    {"56 / 25 mm", 480, 250},
    {"56 / 43 mm", 480, 430},
    {"56 / 75 mm", 480, 750},
    {"79 / 56 mm", 760, 515},
}};

static_assert(LabelSizePresets[0].WidthDots() == 384 && LabelSizePresets[0].LengthDots() == 200);
static_assert(LabelSizePresets[1].LengthDots() == 344 && LabelSizePresets[2].LengthDots() == 600);
static_assert(LabelSizePresets[3].WidthDots() == 608 && LabelSizePresets[3].LengthDots() == 412);

}  // namespace zk
