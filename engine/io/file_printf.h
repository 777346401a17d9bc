#pragma once
// printf-style line writer for the text files the engine writes.

#include "engine/io/atomic_file.h"

namespace zk {

inline constexpr int FilePrintfLineSize = 256;

// Formats into a line of at most FilePrintfLineSize - 1 characters (longer
// output is cut there) and writes it; the number of characters written,
// 0 when the write failed.
int FilePrintf(AtomicFile& file, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace zk
