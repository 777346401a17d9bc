#include "platform/code_pages.h"

#include <gtest/gtest.h>

namespace zk::platform {
namespace {

TEST(CodePagesTest, Cp1252AndUtf8RoundTripAtTheWidgetBorder)
{
    const std::string cp1252 = "Caf\xE9 \x80 \x9F";
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    EXPECT_EQ(utf8, "Caf\xC3\xA9 \xE2\x82\xAC \xC5\xB8");
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
    EXPECT_EQ(Utf8ToCp1252("\xE2\x98\x83"), "?");  // a snowman has no 1252 byte
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");        // a cut sequence
}

TEST(CodePagesTest, TablesHoldTheirCharacters)
{
    EXPECT_EQ(ToUnicode(CodePage::Cp866, 0x80), U'\u0410');   // Cyrillic A
    EXPECT_EQ(ToUnicode(CodePage::Cp1253, 0xC1), U'\u0391');  // Greek Alpha
    EXPECT_EQ(ToUnicode(CodePage::Cp1252, 0x81), 0u);          // undefined in 1252
    EXPECT_EQ(FromUnicode(CodePage::Cp437, U'\u00E9'), 0x82);
}

struct FitCase {
    std::uint8_t from;
    std::uint8_t to;
    const char* what;
};

// The printer's code page 437 shown in a 1252 dialog.
const FitCase PRINTER_TO_DIALOG[] = {
    {0x82, 0xE9, "e acute, exact"},
    {0x9F, 0x83, "f hook, exact in 1252's 0x80..0x9F"},
    {0xFF, 0xA0, "no-break space, exact"},
    {0xB3, '|', "light vertical"},
    {0xBA, '|', "double vertical"},
    {0xC4, '-', "light horizontal"},
    {0xCD, '-', "double horizontal"},
    {0xDA, '+', "light corner"},
    {0xC9, '+', "double corner"},
    {0xB4, '+', "vertical and left"},
    {0xC2, '+', "down and horizontal"},
    {0xCE, '+', "double cross"},
    {0xB0, 0xA6, "light shade: broken bar"},
    {0xDB, 0xA6, "full block: broken bar"},
    {0xDC, '_', "lower half block"},
    {0xDF, 0xAF, "upper half block: macron"},
    {0xE0, 'a', "alpha"},
    {0xE2, 'G', "capital gamma"},
    {0xE3, 'p', "pi"},
    {0xEA, 'O', "omega"},
    {0xEC, '8', "infinity"},
    {0xF0, '=', "identical to"},
    {0xF2, '=', "greater or equal"},
    {0xF4, '(', "top half integral"},
    {0xF7, 0x98, "almost equal: small tilde"},
    {0xF9, 0xB7, "bullet operator: middle dot"},
    {0xFB, 'v', "square root"},
    {0xFC, 'n', "superscript n"},
    {0xFE, 0xA6, "black square: broken bar"},
    {0x9E, 'P', "peseta"},
    {0xA9, 0xAC, "reversed not: not"},
    {0x14, 0xB6, "pilcrow, drawn at a control code"},
    {0x15, 0xA7, "section sign, drawn at a control code"},
    {0x07, 0x07, "other control codes are kept"},
};

// Text typed in a 1252 dialog stored for the printer.
const FitCase DIALOG_TO_PRINTER[] = {
    {0xE9, 0x82, "e acute, exact"},
    {0x83, 0x9F, "f hook, exact"},
    {0xC0, 'A', "A grave"},
    {0xC3, 'A', "A tilde"},
    {0xE3, 'a', "a tilde"},
    {0xCA, 'E', "E circumflex"},
    {0xDD, 'Y', "Y acute"},
    {0x8A, 'S', "S caron"},
    {0x9E, 'z', "z caron"},
    {0x9F, 'Y', "Y diaeresis"},
    {0xD8, 'O', "O stroke"},
    {0xF8, 'o', "o stroke"},
    {0x8C, 'O', "ligature OE"},
    {0x93, '"', "left double quote"},
    {0x92, '\'', "right single quote"},
    {0x84, '"', "low double quote"},
    {0x96, '-', "en dash"},
    {0x97, '-', "em dash"},
    {0x85, '.', "ellipsis"},
    {0x8B, '<', "single left angle quote"},
    {0x95, 0xF9, "bullet: bullet operator"},
    {0xA6, '|', "broken bar"},
    {0xA9, 'c', "copyright"},
    {0xAE, 'R', "registered"},
    {0xB9, '1', "superscript one"},
    {0xD7, 'x', "multiplication sign"},
    {0xA7, 0x15, "section sign: the control code 437 draws it at"},
    {0xB6, 0x14, "pilcrow: the control code 437 draws it at"},
    {0x80, '?', "euro: no fit"},
    {0x81, '?', "undefined in 1252"},
    {0xFE, '?', "thorn: no fit"},
};

TEST(CodePagesTest, Cp437ToCp1252FitsWhat1252Lacks)
{
    for (const FitCase& c : PRINTER_TO_DIALOG) {
        EXPECT_EQ(Cp437ToCp1252(std::string(1, static_cast<char>(c.from))), std::string(1, static_cast<char>(c.to)))
            << c.what;
    }
}

TEST(CodePagesTest, Cp1252ToCp437FitsWhat437Lacks)
{
    for (const FitCase& c : DIALOG_TO_PRINTER) {
        EXPECT_EQ(Cp1252ToCp437(std::string(1, static_cast<char>(c.from))), std::string(1, static_cast<char>(c.to)))
            << c.what;
    }
}

TEST(CodePagesTest, EveryPrinterCharacterHasA1252FitAndTextKeepsItsLength)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    const std::string dialog = Cp437ToCp1252(all);
    ASSERT_EQ(dialog.size(), all.size());
    std::string keptLowHalf = all.substr(0, 0x80);
    keptLowHalf[0x14] = '\xB6';
    keptLowHalf[0x15] = '\xA7';
    EXPECT_EQ(dialog.substr(0, 0x80), keptLowHalf);
    EXPECT_EQ(dialog.substr(0x80).find('?'), std::string::npos);
    const std::string printer = Cp1252ToCp437(all);
    ASSERT_EQ(printer.size(), all.size());
    EXPECT_EQ(printer.substr(0, 0x80), all.substr(0, 0x80));
}

// Every character typed in a dialog that the printer's code page holds, at
// its own byte or at a fit of its own, comes back as typed.
TEST(CodePagesTest, TextTypedInADialogComesBackFromThePrinterAsTyped)
{
    for (int byte = 0x20; byte < 0x100; ++byte) {
        const std::string typed(1, static_cast<char>(byte));
        const std::string printer = Cp1252ToCp437(typed);
        if (FromUnicode(CodePage::Cp437, ToUnicode(CodePage::Cp1252, static_cast<std::uint8_t>(byte)), 0) != 0 ||
            printer == "\x14" || printer == "\x15") {
            EXPECT_EQ(Cp437ToCp1252(printer), typed) << byte;
        }
    }
}

}  // namespace
}  // namespace zk::platform
