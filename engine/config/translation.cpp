#include "engine/config/translation.h"

#include <fstream>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "platform/code_pages.h"

namespace zk {

void LoadTranslationTables()
{
    if (Settings.Translation < 0 || Settings.Translation >= Settings.TranslationCount) {
        Settings.Translation = 0;
    }
    if (Settings.Translation <= 1) {
        return;
    }
    const std::size_t index = static_cast<std::size_t>(Settings.Translation - 2);
    if (index >= ProgramPaths.TranslationFileList.size()) {
        Settings.Translation = 0;
        return;
    }
    std::ifstream file(ProgramPaths.TranslationFileList[index], std::ios::binary);
    if (!file) {
        Settings.Translation = 0;
        return;
    }
    // A short file fills the tables as far as it reaches.
    auto fill = [&file](std::array<unsigned char, 128>& table) {
        for (auto& entry : table) {
            const int c = file.get();
            if (c == std::char_traits<char>::eof()) {
                return;
            }
            entry = static_cast<unsigned char>(c);
        }
    };
    fill(ProgramPaths.TranslateToOemTable);
    fill(ProgramPaths.TranslateToAnsiTable);
}

std::string TranslateToAnsi(std::string_view printerText)
{
    printerText = printerText.substr(0, printerText.find('\0'));
    switch (Settings.Translation) {
    case 0: return platform::Cp437ToCp1252(printerText);
    case 1: return std::string(printerText);
    default: return platform::ThroughTable(printerText, ProgramPaths.TranslateToAnsiTable);
    }
}

std::string TranslateToOem(std::string_view dialogText)
{
    dialogText = dialogText.substr(0, dialogText.find('\0'));
    switch (Settings.Translation) {
    case 0: return platform::Cp1252ToCp437(dialogText);
    case 1: return std::string(dialogText);
    default: return platform::ThroughTable(dialogText, ProgramPaths.TranslateToOemTable);
    }
}

}  // namespace zk
