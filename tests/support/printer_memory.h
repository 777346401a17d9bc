#pragma once
// The printer's memory, played on a PrinterEmulator: forms stored between
// FS and FE, graphics stored by GM with their length, fonts stored by ES
// and their data (ended by the CR run), each by name. It answers the
// listings (UF, UG, UE), memory use (UM), the active form (FA, set by FR),
// the extractions (FI as lines ended by a NUL; GI and EI as a 16-bit
// big-endian length and the bytes) and the variables (VI, built from the
// active form's V and C lines and the values set here), and deletes with
// FK, GK and EK. Tests may fill and inspect it directly.

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/printer_emulator.h"

namespace zk::test {

class PrinterMemory {
public:
    // Installs the handlers on printer; they keep the memory alive.
    explicit PrinterMemory(PrinterEmulator& printer);

    // The memory a UM reply counts the free bytes from.
    static constexpr unsigned TotalBytes = 524288;

    void StoreForm(const std::string& name, std::vector<std::string> lines);
    void StoreGraphics(const std::string& name, std::string pcxFile);
    void StoreFont(const std::string& name, std::string fontData);
    void SetActiveForm(const std::string& name);
    // The VI value of "V00" .. "V31", "C00" .. "C07".
    void SetValue(const std::string& field, std::string value);

    std::map<std::string, std::vector<std::string>> Forms() const;
    std::map<std::string, std::string> Graphics() const;
    std::map<std::string, std::string> Fonts() const;
    std::string ActiveForm() const;

    // The VI reply line of one V or C definition line of a form, empty
    // when the line is not one.
    static std::string VariableReplyLine(const std::string& definition, const std::string& value);
    // Whether data holds a whole font block (character count, 0, height and
    // the glyph records).
    static bool FontComplete(const std::string& data);

private:
    // Shared with the handlers, which the emulator's thread may still run
    // after this object is gone.
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace zk::test
