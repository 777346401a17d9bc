#include "engine/config/configuration.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "engine/config/program_paths.h"
#include "engine/io/atomic_file.h"
#include "engine/io/file_head.h"
#include "engine/model/label_setup.h"
#include "platform/serial_ports.h"

namespace zk {

namespace {

// A line longer than this is split, the rest read as the next line. It is
// long enough for any path the file carries (the work directory).
constexpr std::size_t MaxLineLength = 4096;
// Far more than the 24 settings take; a longer file is not ours.
constexpr std::size_t MaxFileSize = 1024 * 1024;

std::int32_t Clamp(std::int32_t value, std::int32_t low, std::int32_t high)
{
    return std::clamp(value, low, high);
}

std::uint32_t AsUnsigned(std::int32_t value) { return static_cast<std::uint32_t>(value); }

std::int32_t AtMost(std::int32_t value, std::uint32_t high)
{
    return static_cast<std::int32_t>(std::min(AsUnsigned(value), high));
}

std::int32_t BaudIndexOf(std::int32_t bauds)
{
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(std::size(BaudRates)); ++i) {
        if (BaudRates[i] == bauds) {
            return i;
        }
    }
    return 2;
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool KeyIs(std::string_view key, std::string_view name)
{
    return key.size() == name.size() &&
           std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == b;
           });
}

void ApplySetting(std::string_view key, std::string_view value)
{
    const std::int32_t n = ParseAtol(value);
    TLabelSetup& s = LabelSetup;
    TSettings& t = Settings;
    if (KeyIs(key, "WIDTH")) s.LabelWidth = Clamp(n, MinLabelWidth, MaxLabelWidth);
    else if (KeyIs(key, "LENGTH")) s.LabelLength = Clamp(n, MinLabelLength, MaxLabelLength);
    else if (KeyIs(key, "LEFT MARGIN")) s.LeftMargin = Clamp(n, -607, 607);
    else if (KeyIs(key, "TOP MARGIN")) s.TopMargin = Clamp(n, -1999, 1999);
    // The setup dialog takes offsets from -80 on; a saved one must come back.
    else if (KeyIs(key, "OFFSET")) s.LabelOffset = Clamp(n, -80, 80);
    else if (KeyIs(key, "ORIENTATION")) s.Orientation = n != 0 ? 1 : 0;
    else if (KeyIs(key, "DARKNESS")) s.Darkness = AtMost(n, 15);
    else if (KeyIs(key, "SPEED")) s.Speed = AtMost(n, 6);
    // The printer font has 16 code tables; any other value would index past them.
    else if (KeyIs(key, "LANGUAGE")) s.Language = (n >= 0 && n < CodeTableCount) ? n : 0;
    else if (KeyIs(key, "LABEL GAP")) s.LabelGap = AtMost(n, MaxLabelGap);
    else if (KeyIs(key, "PAPER TYPE")) s.PaperType = AtMost(n, 2);
    else if (KeyIs(key, "PORT")) t.Port = AsUnsigned(n) < ProgramPaths.SerialPortList.size() ? n : 0;
    else if (KeyIs(key, "BAUDS")) t.BaudIndex = BaudIndexOf(n);
    else if (KeyIs(key, "PROTOCOL")) t.Protocol = n != 0 ? 1 : 0;
    else if (KeyIs(key, "DIRECT GRAPHICS")) t.DirectGraphics = n != 0 ? 1 : 0;
    else if (KeyIs(key, "PICTURE NUMBER")) t.PictureNumber = static_cast<std::int32_t>(AsUnsigned(n) % 10000u);
    else if (KeyIs(key, "TRANSLATION")) t.Translation = AsUnsigned(n) < AsUnsigned(t.TranslationCount) ? n : 0;
    else if (KeyIs(key, "SHOW GRID")) t.ShowGrid = n != 0 ? 1 : 0;
    else if (KeyIs(key, "GRID STEP")) t.GridStep = Clamp(n, 4, 40);
    else if (KeyIs(key, "TOOLBAR POS")) t.ToolbarPos = n != 0 ? 1 : 0;
    else if (KeyIs(key, "DATE FORMAT")) s.DateFormat = value;
    else if (KeyIs(key, "TIME FORMAT")) s.TimeFormat = value;
    else if (KeyIs(key, "WORK DIRECTORY")) ProgramPaths.WorkDir = std::string(value);
    else if (KeyIs(key, "ENABLE RLDIR")) t.EnableRlDir = n != 0 ? 1 : 0;
}

// No key holds "=", so the first one ends the key and the value keeps any
// others (a work directory may contain them).
void ApplyLine(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    ApplySetting(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

}  // namespace

std::int32_t ParseAtol(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = std::min(value * 10 + (text[i] - '0'), limit);
        ++i;
    }
    value = negative ? -value : value;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::function<std::vector<std::string>()> SerialPortSource;

void EnumerateSerialPorts()
{
    if (SerialPortSource) {
        ProgramPaths.SerialPortList = SerialPortSource();
        return;
    }
    ProgramPaths.SerialPortList = platform::ListSerialPorts();
    if (ProgramPaths.SerialPortList.empty()) {
        for (int i = 0; i < 16; ++i) {
            ProgramPaths.SerialPortList.push_back("/dev/ttyS" + std::to_string(i));
        }
    }
}

void LoadConfiguration()
{
    EnumerateSerialPorts();
    const auto file = ReadWholeFile(ProgramPaths.ConfigFileName, MaxFileSize);
    if (!file) {
        return;
    }
    std::string line;
    auto endLine = [&line]() {
        if (!line.empty()) {
            ApplyLine(line);
        }
        line.clear();
    };
    for (const std::uint8_t byte : *file) {
        const char c = static_cast<char>(byte);
        if (c == '\n') {
            endLine();
        } else if (static_cast<unsigned char>(c) >= 0x20) {
            line.push_back(c);
            if (line.size() == MaxLineLength) {
                endLine();
            }
        }
    }
    endLine();
}

void SaveConfiguration()
{
    std::string text;
    auto number = [&text](const char* key, std::int32_t value) {
        text += key;
        text += " = " + std::to_string(value) + "\r\n";
    };
    auto string = [&text](const char* key, std::string_view value) {
        text += key;
        text += " = ";
        text += value;
        text += "\r\n";
    };
    const TLabelSetup& s = LabelSetup;
    const TSettings& t = Settings;
    const bool baudKnown = t.BaudIndex >= 0 && t.BaudIndex < static_cast<std::int32_t>(std::size(BaudRates));
    number("WIDTH", s.LabelWidth);
    number("LENGTH", s.LabelLength);
    number("LEFT MARGIN", s.LeftMargin);
    number("TOP MARGIN", s.TopMargin);
    number("OFFSET", s.LabelOffset);
    number("ORIENTATION", s.Orientation);
    number("DARKNESS", s.Darkness);
    number("SPEED", s.Speed);
    number("LANGUAGE", s.Language);
    number("LABEL GAP", s.LabelGap);
    number("PAPER TYPE", s.PaperType);
    number("PORT", t.Port);
    number("BAUDS", baudKnown ? BaudRates[t.BaudIndex] : 0);
    number("PROTOCOL", t.Protocol);
    number("DIRECT GRAPHICS", t.DirectGraphics);
    number("PICTURE NUMBER", t.PictureNumber);
    number("TRANSLATION", t.Translation);
    number("SHOW GRID", t.ShowGrid);
    number("GRID STEP", t.GridStep);
    number("TOOLBAR POS", t.ToolbarPos);
    string("DATE FORMAT", s.DateFormat.view());
    string("TIME FORMAT", s.TimeFormat.view());
    string("WORK DIRECTORY", ProgramPaths.WorkDir);
    number("ENABLE RLDIR", t.EnableRlDir);

    if (!EnsureUserDir()) {
        return;
    }
    WriteFileAtomically(ProgramPaths.ConfigFileName,
                        std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

}  // namespace zk
