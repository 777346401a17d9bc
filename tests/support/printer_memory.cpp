#include "tests/support/printer_memory.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

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

struct PrinterMemory::State {
    std::mutex mutex;
    std::map<std::string, std::vector<std::string>> forms;
    std::map<std::string, std::string> graphics;
    std::map<std::string, std::string> fonts;
    std::map<std::string, std::string> values;
    std::string activeForm;
    // While a form is being stored: its name and the lines so far.
    bool storing = false;
    std::string storingName;
    std::vector<std::string> storingLines;

    bool FilterFormLine(const std::string& line);
    std::string VariablesReply() const;
    void Install(PrinterEmulator& printer, const std::shared_ptr<State>& self);
};

PrinterMemory::PrinterMemory(PrinterEmulator& printer) : m_state(std::make_shared<State>())
{
    m_state->Install(printer, m_state);
}

void PrinterMemory::StoreForm(const std::string& name, std::vector<std::string> lines)
{
    std::lock_guard lock(m_state->mutex);
    m_state->forms[name] = std::move(lines);
}

void PrinterMemory::StoreGraphics(const std::string& name, std::string pcxFile)
{
    std::lock_guard lock(m_state->mutex);
    m_state->graphics[name] = std::move(pcxFile);
}

void PrinterMemory::StoreFont(const std::string& name, std::string fontData)
{
    std::lock_guard lock(m_state->mutex);
    m_state->fonts[name] = std::move(fontData);
}

void PrinterMemory::SetActiveForm(const std::string& name)
{
    std::lock_guard lock(m_state->mutex);
    m_state->activeForm = name;
}

void PrinterMemory::SetValue(const std::string& field, std::string value)
{
    std::lock_guard lock(m_state->mutex);
    m_state->values[field] = std::move(value);
}

std::map<std::string, std::vector<std::string>> PrinterMemory::Forms() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->forms;
}

std::map<std::string, std::string> PrinterMemory::Graphics() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->graphics;
}

std::map<std::string, std::string> PrinterMemory::Fonts() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->fonts;
}

std::string PrinterMemory::ActiveForm() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->activeForm;
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

namespace {

std::string NameList(const std::map<std::string, std::string>& objects)
{
    std::string reply = std::to_string(objects.size()) + "\r\n";
    for (const auto& [name, bytes] : objects) {
        reply += name + "\r\n";
    }
    return reply;
}

}  // namespace

std::string PrinterMemory::State::VariablesReply() const
{
    std::string reply;
    const auto form = forms.find(activeForm);
    if (form != forms.end()) {
        for (const std::string& line : form->second) {
            const auto value = values.find(line.substr(0, 3));
            const std::string replyLine =
                VariableReplyLine(line, value != values.end() ? value->second : std::string());
            if (!replyLine.empty()) {
                reply += replyLine + "\r\n";
            }
        }
    }
    return reply + std::string(1, '\0');
}

bool PrinterMemory::State::FilterFormLine(const std::string& line)
{
    std::lock_guard lock(mutex);
    if (!storing) {
        return false;
    }
    if (line == "FE") {
        forms[storingName] = std::move(storingLines);
        storingLines.clear();
        storing = false;
    } else if (!line.empty()) {
        storingLines.push_back(line);
    }
    return true;
}

void PrinterMemory::State::Install(PrinterEmulator& printer, const std::shared_ptr<State>& self)
{
    const std::shared_ptr<State> state = self;
    printer.SetLineFilter([state](PrinterEmulator&, const std::string& line) { return state->FilterFormLine(line); });

    printer.OnCommand("FS\"", [state](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(state->mutex);
        state->storing = true;
        state->storingName = QuotedName(line);
        state->storingLines.clear();
    });
    printer.OnCommand("FK\"", [state](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(state->mutex);
        state->forms.erase(QuotedName(line));
    });
    printer.OnCommand("GK\"", [state](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(state->mutex);
        state->graphics.erase(QuotedName(line));
    });
    printer.OnCommand("EK\"", [state](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(state->mutex);
        state->fonts.erase(QuotedName(line));
    });
    printer.OnCommand("FR\"", [state](PrinterEmulator&, const std::string& line) {
        std::lock_guard lock(state->mutex);
        const std::string name = QuotedName(line);
        if (state->forms.contains(name)) {
            state->activeForm = name;
        }
    });

    printer.OnCommand("GM\"", [state](PrinterEmulator& p, const std::string& line) {
        const std::string name = QuotedName(line);
        const std::size_t lengthAt = line.find('"', line.find('"') + 1) + 1;
        const std::size_t length = std::strtoul(line.c_str() + lengthAt, nullptr, 10);
        p.ExpectBinary(length, [state, name](PrinterEmulator&, const std::string& data) {
            std::lock_guard lock(state->mutex);
            state->graphics[name] = data;
        });
    });
    printer.OnInlineCommand(
        [](std::string_view partial) {
            return partial.size() == 5 && partial.starts_with("ES\"") && partial.back() == '"';
        },
        [state](PrinterEmulator& p, const std::string& line) {
            const std::string name = QuotedName(line);
            // A font whose records do not add up ends at the CR run instead.
            const auto complete = [](const std::string& data) {
                return FontComplete(data) || (data.size() >= FontEndRun &&
                                              data.find_first_not_of('\r', data.size() - FontEndRun) == std::string::npos);
            };
            p.ExpectBinaryUntil(complete, [state, name](PrinterEmulator&, const std::string& data) {
                std::string font = data;
                if (!FontComplete(font)) {
                    font.erase(font.find_last_not_of('\r') + 1);
                }
                std::lock_guard lock(state->mutex);
                state->fonts[name] = font;
            });
        });

    printer.OnCommand("UF", [state](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(state->mutex);
        std::string reply = std::to_string(state->forms.size()) + "\r\n";
        for (const auto& [name, lines] : state->forms) reply += name + "\r\n";
        p.Send(reply);
    });
    printer.OnCommand("UG", [state](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(state->mutex);
        p.Send(NameList(state->graphics));
    });
    printer.OnCommand("UE", [state](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(state->mutex);
        p.Send(NameList(state->fonts));
    });
    printer.OnCommand("UM", [state](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(state->mutex);
        unsigned formBytes = 0, graphicsBytes = 0, fontBytes = 0;
        for (const auto& [name, lines] : state->forms) {
            for (const std::string& line : lines) formBytes += static_cast<unsigned>(line.size() + 2);
        }
        for (const auto& [name, bytes] : state->graphics) graphicsBytes += static_cast<unsigned>(bytes.size());
        for (const auto& [name, bytes] : state->fonts) fontBytes += static_cast<unsigned>(bytes.size());
        p.Send(std::to_string(formBytes) + "," + std::to_string(graphicsBytes) + "," + std::to_string(fontBytes) + "," +
               std::to_string(TotalBytes - formBytes - graphicsBytes - fontBytes) + "\r\n");
    });
    printer.OnCommand("FA", [state](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(state->mutex);
        p.Send(state->activeForm + "\r\n");
    });
    printer.OnCommand("FI\"", [state](PrinterEmulator& p, const std::string& line) {
        std::lock_guard lock(state->mutex);
        std::string reply;
        const auto form = state->forms.find(QuotedName(line));
        if (form != state->forms.end()) {
            for (const std::string& formLine : form->second) reply += formLine + "\r\n";
        }
        p.Send(reply + std::string(1, '\0'));
    });
    printer.OnCommand("GI\"", [state](PrinterEmulator& p, const std::string& line) {
        std::lock_guard lock(state->mutex);
        const auto picture = state->graphics.find(QuotedName(line));
        p.Send(Block(picture != state->graphics.end() ? picture->second : std::string()));
    });
    printer.OnCommand("EI\"", [state](PrinterEmulator& p, const std::string& line) {
        std::lock_guard lock(state->mutex);
        const auto font = state->fonts.find(QuotedName(line));
        p.Send(Block(font != state->fonts.end() ? font->second : std::string()));
    });
    printer.OnCommand("VI", [state](PrinterEmulator& p, const std::string&) {
        std::lock_guard lock(state->mutex);
        p.Send(state->VariablesReply());
    });
}

}  // namespace zk::test
