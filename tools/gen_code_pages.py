#!/usr/bin/env python3
"""Writes platform/code_page_tables.cpp: the upper half (0x80..0xFF) of each
code page the program converts or draws, as Unicode code points (0 where the
code page leaves a byte undefined), and the byte tables that convert the
printer's code page 437 and the dialogs' code page 1252 into each other.

Run by hand when a code page is added; the output is checked in so that the
build needs no Python. With --check the script only compares what it would
write with the checked-in file (the tests run it so)."""

import pathlib
import sys
import unicodedata

# (C++ name, Python codec) in the order of the CodePage enum.
CODE_PAGES = [
    ("Cp437", "cp437"), ("Cp856", "cp856"), ("Cp866", "cp866"), ("Cp912", "iso8859_2"),
    ("Cp775", "cp775"), ("Cp1250", "cp1250"), ("Cp1251", "cp1251"), ("Cp1252", "cp1252"),
    ("Cp1257", "cp1257"), ("Cp1253", "cp1253"), ("Cp1254", "cp1254"), ("Cp1255", "cp1255"),
    ("Cp864", "cp864"), ("Cp860", "cp860"), ("Cp1256", "cp1256"),
]

NO_FIT = "?"

# Best fits for the characters one of the two code pages has and the other
# lacks, other than accented letters and box drawing (rules below). 437 to
# 1252: the entries of the Windows best-fit table for code page 1252
# (bestfit1252.txt, unicode.org) for the characters of 437's upper half.
# 1252 to 437: the ASCII look-alike of each punctuation mark, as that table
# fits the same marks of other scripts; a character with no look-alike is
# left out and becomes '?'.
BEST_FIT = {
    # 437 to 1252
    "\u20a7": "P",        # peseta sign
    "\u2310": "\u00ac",   # reversed not sign: not sign
    "\u2591": "\u00a6",   # light shade: broken bar
    "\u2592": "\u00a6",   # medium shade
    "\u2593": "\u00a6",   # dark shade
    "\u2588": "\u00a6",   # full block
    "\u258c": "\u00a6",   # left half block
    "\u2590": "\u00a6",   # right half block
    "\u25a0": "\u00a6",   # black square
    "\u2584": "_",        # lower half block
    "\u2580": "\u00af",   # upper half block: macron
    "\u03b1": "a", "\u0393": "G", "\u03c0": "p", "\u03a3": "S", "\u03c3": "s", "\u03c4": "t",
    "\u03a6": "F", "\u0398": "T", "\u03a9": "O", "\u03b4": "d", "\u03c6": "f", "\u03b5": "e",
    "\u221e": "8",        # infinity
    "\u2229": "n",        # intersection
    "\u2261": "=",        # identical to
    "\u2264": "=",        # less-than or equal to
    "\u2265": "=",        # greater-than or equal to
    "\u2320": "(",        # top half integral
    "\u2321": ")",        # bottom half integral
    "\u2248": "\u02dc",   # almost equal to: small tilde
    "\u2219": "\u00b7",   # bullet operator: middle dot
    "\u221a": "v",        # square root
    "\u207f": "n",        # superscript n
    # 1252 to 437
    "\u201a": ",", "\u201e": '"', "\u2018": "'", "\u2019": "'", "\u201c": '"', "\u201d": '"',
    "\u2039": "<", "\u203a": ">",
    "\u2026": ".",        # horizontal ellipsis, one character as the text keeps its length
    "\u2013": "-", "\u2014": "-", "\u00ad": "-",
    "\u02c6": "^", "\u02dc": "~",
    "\u2022": "\u2219",   # bullet: bullet operator
    "\u2030": "%",        # per mille sign
    "\u0152": "O", "\u0153": "o",   # ligature oe: its first letter
    "\u00d8": "O", "\u00f8": "o",   # O with stroke
    "\u00d0": "D", "\u00f0": "d",   # eth
    "\u00a6": "|", "\u00a8": '"', "\u00a9": "c", "\u00ae": "R", "\u00af": "-",
    "\u00b3": "3", "\u00b9": "1", "\u00b4": "'", "\u00b8": ",", "\u00d7": "x",
}


# Code page 437 draws these two characters at control codes, where Python's
# codec has only the controls; the published best-fit table for code page
# 437 (bestfit437.txt, unicode.org) fits them there. Text converted from
# 1252 takes them, and converts back to them.
CP437_CONTROL_GLYPHS = {"\u00b6": 0x14, "\u00a7": 0x15}


def upper_half(codec):
    points = []
    for byte in range(0x80, 0x100):
        try:
            text = bytes([byte]).decode(codec)
            points.append(ord(text) if len(text) == 1 else 0)
        except UnicodeDecodeError:
            points.append(0)
    return points


def exact_byte(ch, codec):
    try:
        encoded = ch.encode(codec)
    except UnicodeEncodeError:
        return None
    return encoded[0] if len(encoded) == 1 else None


def box_drawing_fit(ch):
    """Box drawing as ASCII: a plain horizontal line '-', a plain vertical
    line '|', every corner, tee and cross '+'."""
    if not "\u2500" <= ch <= "\u257f":
        return None
    words = set(unicodedata.name(ch).split())
    ends = words & {"UP", "DOWN", "LEFT", "RIGHT"}
    if "HORIZONTAL" in words and "VERTICAL" not in words and not ends:
        return "-"
    if "VERTICAL" in words and "HORIZONTAL" not in words and not ends:
        return "|"
    return "+"


def base_letter(ch):
    """An accented letter's base letter, from its decomposition."""
    if not unicodedata.category(ch).startswith("L"):
        return None
    base = unicodedata.normalize("NFKD", ch)[0]
    return base if base.isascii() and base.isalpha() else None


def converted_byte(byte, source, target):
    """The target byte of a source byte: the same character where the target
    has it, else its best fit, else '?'."""
    try:
        ch = bytes([byte]).decode(source)
    except UnicodeDecodeError:
        return ord(NO_FIT)
    exact = exact_byte(ch, target)
    if exact is not None:
        return exact
    if target == "cp437" and ch in CP437_CONTROL_GLYPHS:
        return CP437_CONTROL_GLYPHS[ch]
    for fit in (box_drawing_fit(ch), BEST_FIT.get(ch), base_letter(ch)):
        if fit is not None:
            fitted = exact_byte(fit, target)
            if fitted is None:
                raise ValueError(f"best fit of U+{ord(ch):04X} is not in {target}")
            return fitted
    return ord(NO_FIT)


def byte_table(source, target):
    return [converted_byte(byte, source, target) for byte in range(0x80, 0x100)]


def cp437_controls_to_cp1252():
    """The 1252 byte of each 437 control code: its drawn character where it
    is one of CP437_CONTROL_GLYPHS, else the code itself."""
    glyph_of = {code: ch for ch, code in CP437_CONTROL_GLYPHS.items()}
    return [exact_byte(glyph_of[code], "cp1252") if code in glyph_of else code for code in range(0x20)]


def rows(values, width, fmt):
    return ["        " + ", ".join(fmt.format(v) for v in values[row:row + width]) + ","
            for row in range(0, len(values), width)]


def generate():
    out = ["// Generated by tools/gen_code_pages.py from Python's codecs and its best-fit",
           "// rules; do not edit.",
           '#include "platform/code_pages.h"', "", "namespace zk::platform {", "",
           "const std::array<CodePageHalf, CodePageCount> CodePageUpperHalves = {{"]
    for name, codec in CODE_PAGES:
        out.append(f"    // {name}")
        out.append("    {{")
        out += rows(upper_half(codec), 8, "0x{:04X}")
        out.append("    }},")
    out += ["}};", ""]
    for name, source, target in (("Cp437ToCp1252Table", "cp437", "cp1252"),
                                 ("Cp1252ToCp437Table", "cp1252", "cp437")):
        out.append(f"const ByteTable {name} = {{{{")
        out += [row[4:] for row in rows(byte_table(source, target), 16, "0x{:02X}")]
        out.append("}};")
        out.append("")
    out.append("const ControlTable Cp437ControlsToCp1252 = {{")
    out += [row[4:] for row in rows(cp437_controls_to_cp1252(), 16, "0x{:02X}")]
    out.append("}};")
    out.append("")
    out += ["}  // namespace zk::platform", ""]
    return "\n".join(out)


def main():
    target = pathlib.Path(__file__).resolve().parent.parent / "platform" / "code_page_tables.cpp"
    text = generate()
    if sys.argv[1:] == ["--check"]:
        if target.read_text() != text:
            print(f"{target} differs from what tools/gen_code_pages.py writes", file=sys.stderr)
            return 1
        return 0
    target.write_text(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
