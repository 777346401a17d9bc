#include <cctype>

#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"

namespace zk {

bool IsValidObjectName(std::string_view name, std::int16_t kind)
{
    // A font is one letter: the digits name the resident fonts.
    if (kind == ObjectKindFont) {
        return name.size() == FontNameMaxLength && std::isalpha(static_cast<unsigned char>(name[0])) != 0;
    }
    if (name.empty() || name.size() > ObjectNameMaxLength) {
        return false;
    }
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

const char* ObjectKindWord(std::int16_t kind)
{
    switch (kind) {
    case ObjectKindGraphics:
        return "Graphics";
    case ObjectKindFont:
        return "Font";
    default:
        return "Form";
    }
}

}  // namespace zk
