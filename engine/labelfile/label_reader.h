#pragma once
// Reading a label file's bytes into the live label model.

#include <cstdint>
#include <span>

namespace zk {

enum class LabelReadResult : std::uint8_t {
    NotALabel,       // no magic or no whole header: the live label is untouched
    TooManyFigures,  // more than MaxLabelFigures figures: the live label is untouched
    Complete,        // every record read
    Stopped,         // a damaged or cut-off record ended the reading; the figures before it stay
};

// Replaces the whole label (list, variables, counters, setup) unless the
// bytes are no label file or hold more figures than a label can use; the
// file is read apart and the live label replaced only at the end. Nothing the file says is trusted: a record
// length beyond what its type can hold, a block running past the end of
// the file or a soft font above the font size limit stop the reading;
// a variable index out of range skips its record. Picture figures without
// a block then share the first block of their name, and every block's
// RefCount is the number of figures that point at it.
LabelReadResult ReadLabelImage(std::span<const std::uint8_t> file);

}  // namespace zk
