#include "engine/io/file_printf.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace zk {

int FilePrintf(AtomicFile& file, const char* format, ...)
{
    char line[FilePrintfLineSize];
    va_list args;
    va_start(args, format);
    const int formatted = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (formatted < 0) {
        return 0;
    }
    const int length = std::min(formatted, FilePrintfLineSize - 1);
    return file.Write(std::string_view(line, static_cast<std::size_t>(length))) ? length : 0;
}

}  // namespace zk
