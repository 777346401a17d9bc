#include "engine/print/append_printf.h"

#include <cstdarg>
#include <cstdio>

namespace zk {

void AppendPrintf(std::string& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length > 0) {
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(out.data() + start, static_cast<std::size_t>(length) + 1, format, args);
        out.resize(start + static_cast<std::size_t>(length));
    }
    va_end(args);
}

}  // namespace zk
