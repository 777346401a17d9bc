#include "tests/support/printer_memory.h"

#include <cstdio>
#include <cstdlib>

namespace zk::test {

namespace {

// The name between the first two double quotes of a command line.
std::string QuotedName(const std::string& line)
{
    const std::size_t open = line.find('"');
    const std::size_t close = open == std::string::npos ? std::string::npos : line.find('"', open + 1);
    if (close == std::string::npos) {
        return {};
    }
    return line.substr(open + 1, close - open - 1);
}

std::string Block(const std::string& bytes)
{
    std::string reply;
    reply.push_back(static_cast<char>((bytes.size() >> 8) & 0xFF));
    reply.push_back(static_cast<char>(bytes.size() & 0xFF));
    return reply + bytes;
}

std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '"' || c == '\\') out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

constexpr std::size_t FontEndRun = 256;

}  // namespace

PrinterMemory::PrinterMemory(PrinterEmulator& printer) { Install(printer); }

void PrinterMemory::StoreForm(const std::string& name, std::vector<std::string> lines)
{
    std::lock_guard lock(m_mutex);
    m_forms[name] = std::move(lines);
}

void PrinterMemory::StoreGraphics(const std::string& name, std::string pcxFile)
{
    std::lock_guard lock(m_mutex);
    m_graphics[name] = std::move(pcxFile);
}

void PrinterMemory::StoreFont(const std::string& name, std::string fontData)
{
    std::lock_guard lock(m_mutex);
    m_fonts[name] = std::move(fontData);
}

void PrinterMemory::SetActiveForm(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    m_activeForm = name;
}

void PrinterMemory::SetValue(const std::string& field, std::string value)
{
    std::lock_guard lock(m_mutex);
    m_values[field] = std::move(value);
}

std::map<std::string, std::vector<std::string>> PrinterMemory::Forms() const
{
    std::lock_guard lock(m_mutex);
    return m_forms;
}

std::map<std::string, std::string> PrinterMemory::Graphics() const
{
    std::lock_guard lock(m_mutex);
    return m_graphics;
}

std::map<std::string, std::string> PrinterMemory::Fonts() const
{
    std::lock_guard lock(m_mutex);
    return m_fonts;
}

std::string PrinterMemory::ActiveForm() const
{
    std::lock_guard lock(m_mutex);
    return m_activeForm;
}

bool PrinterMemory::FontComplete(const std::string& data)
{
    if (data.size() < 3) {
        return false;
    }
    const auto byte = [&data](std::size_t at) { return static_cast<unsigned char>(data[at]); };
    const std::size_t count = byte(0);
    const std::size_t height = byte(2);
    std::size_t pos = 3;
    for (std::size_t i = 0; i < count; ++i) {
        if (pos + 3 > data.size()) {
            return false;
        }
        pos += 3 + height * byte(pos + 2);
    }
    return pos == data.size();
}

std::string PrinterMemory::VariableReplyLine(const std::string& definition, const std::string& value)
{
    if (definition.size() < 4 || (definition[0] != 'V' && definition[0] != 'C') || definition[3] != ',') {
        return {};
    }
    const bool counter = definition[0] == 'C';
    std::size_t pos = 4;
    const std::size_t lengthEnd = definition.find(',', pos);
    if (lengthEnd == std::string::npos || lengthEnd + 1 >= definition.size()) {
        return {};
    }
    const int length = std::atoi(definition.substr(pos, lengthEnd - pos).c_str());
    pos = lengthEnd + 1;
    const char justification = definition[pos++];
    char pad = ' ';
    if (pos < definition.size() && definition[pos] != ',') {
        pad = definition[pos++];
    }
    if (pos >= definition.size() || definition[pos] != ',') {
        return {};
    }
    ++pos;
    std::string step;
    if (counter) {
        const std::size_t stepEnd = definition.find(',', pos);
        if (stepEnd == std::string::npos) {
            return {};
        }
        step = definition.substr(pos, stepEnd - pos) + ",";
        pos = stepEnd + 1;
    }
    char head[16];
    std::snprintf(head, sizeof head, "%c%s,%02d,%c%c,", definition[0], definition.substr(1, 2).c_str(), length,
                  justification, pad);
    return head + step + definition.substr(pos) + ",\"" + Escaped(value) + "\"";
}

std::string PrinterMemory::NameList(const std::map<std::string, std::string>& objects) const
{
    std::string reply = std::to_string(objects.size()) + "\r\n";
    for (const auto& [name, bytes] : objects) {
        reply += name + "\r\n";
    }
    return reply;
}

std::string PrinterMemory::VariablesReply() const
{
    std::string reply;
    const auto form = m_forms.find(m_activeForm);
    if (form != m_forms.end()) {
        for (const std::string& line : form->second) {
            const auto value = m_values.find(line.substr(0, 3));
            const std::string replyLine =
                VariableReplyLine(line, value != m_values.end() ? value->second : std::string());
            if (!replyLine.empty()) {
                reply += replyLine + "\r\n";
            }
        }
    }
    return reply + std::string(1, '\0');
}

bool PrinterMemory::FilterFormLine(const std::string& line)
{
    std::lock_guard lock(m_mutex);
    if (!m_storing) {
        return false;
    }
    if (line == "FE") {
        m_forms[m_storingName] = std::move(m_storingLines);
        m_storingLines.clear();
        m_storing = false;
    } else if (!line.empty()) {
        m_storingLines.push_back(line);
    }
    return true;
}

void PrinterMemory::Install(PrinterEmulator& printer)
{
    printer.SetLineFilter([this](PrinterEmulator&, const std::string& line) { return FilterFormLine(line); });

    printer.OnCommand("FS\"", [this](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(m_mutex);
        m_storing = true;
        m_storingName = QuotedName(line);
        m_storingLines.clear();
    });
    printer.OnCommand("FK\"", [this](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(m_mutex);
        m_forms.erase(QuotedName(line));
    });
    printer.OnCommand("GK\"", [this](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(m_mutex);
        m_graphics.erase(QuotedName(line));
    });
    printer.OnCommand("EK\"", [this](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(m_mutex);
        m_fonts.erase(QuotedName(line));
    });
    printer.OnCommand("FR\"", [this](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(m_mutex);
        const std::string name = QuotedName(line);
        if (m_forms.contains(name)) {
            m_activeForm = name;
        }
    });

    printer.OnCommand("GM\"", [this](PrinterEmulator& p, const std::string& line) {
        const std::string name = QuotedName(line);
        const std::size_t lengthAt = line.find('"', line.find('"') + 1) + 1;
        const std::size_t length = std::strtoul(line.c_str() + lengthAt, nullptr, 10);
        p.ExpectBinary(length, [this, name](PrinterEmulator&, const std::string& data) { StoreGraphics(name, data); });
    });
    printer.OnInlineCommand(
        [](std::string_view partial) {
            return partial.size() == 5 && partial.starts_with("ES\"") && partial.back() == '"';
        },
        [this](PrinterEmulator& p, const std::string& line) {
            const std::string name = QuotedName(line);
            // A font whose records do not add up ends at the CR run instead.
            const auto complete = [](const std::string& data) {
                return FontComplete(data) || (data.size() >= FontEndRun &&
                                              data.find_first_not_of('\r', data.size() - FontEndRun) == std::string::npos);
            };
            p.ExpectBinaryUntil(complete, [this, name](PrinterEmulator&, const std::string& data) {
                std::string font = data;
                if (!FontComplete(font)) {
                    font.erase(font.find_last_not_of('\r') + 1);
                }
                StoreFont(name, font);
            });
        });

    printer.OnCommand("UF", [this](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(m_mutex);
        std::string reply = std::to_string(m_forms.size()) + "\r\n";
        for (const auto& [name, lines] : m_forms) reply += name + "\r\n";
        p.Send(reply);
    });
    printer.OnCommand("UG", [this](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(m_mutex);
        p.Send(NameList(m_graphics));
    });
    printer.OnCommand("UE", [this](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(m_mutex);
        p.Send(NameList(m_fonts));
    });
    printer.OnCommand("UM", [this](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(m_mutex);
        unsigned forms = 0, graphics = 0, fonts = 0;
        for (const auto& [name, lines] : m_forms) {
            for (const std::string& line : lines) forms += static_cast<unsigned>(line.size() + 2);
        }
        for (const auto& [name, bytes] : m_graphics) graphics += static_cast<unsigned>(bytes.size());
        for (const auto& [name, bytes] : m_fonts) fonts += static_cast<unsigned>(bytes.size());
        p.Send(std::to_string(forms) + "," + std::to_string(graphics) + "," + std::to_string(fonts) + "," +
               std::to_string(TotalBytes - forms - graphics - fonts) + "\r\n");
    });
    printer.OnCommand("FA", [this](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(m_mutex);
        p.Send(m_activeForm + "\r\n");
    });
    printer.OnCommand("FI\"", [this](PrinterEmulator& p, const std::string& line) {
        std::lock_guard lock(m_mutex);
        std::string reply;
        const auto form = m_forms.find(QuotedName(line));
        if (form != m_forms.end()) {
            for (const std::string& formLine : form->second) reply += formLine + "\r\n";
        }
        p.Send(reply + std::string(1, '\0'));
    });
    printer.OnCommand("GI\"", [this](PrinterEmulator& p, const std::string& line) {
        std::lock_guard lock(m_mutex);
        const auto graphics = m_graphics.find(QuotedName(line));
        p.Send(Block(graphics != m_graphics.end() ? graphics->second : std::string()));
    });
    printer.OnCommand("EI\"", [this](PrinterEmulator& p, const std::string& line) {
        std::lock_guard lock(m_mutex);
        const auto font = m_fonts.find(QuotedName(line));
        p.Send(Block(font != m_fonts.end() ? font->second : std::string()));
    });
    printer.OnCommand("VI", [this](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(m_mutex);
        p.Send(VariablesReply());
    });
}

}  // namespace zk::test
