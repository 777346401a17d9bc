// Feeds arbitrary bytes to the label file reader, then writes the label it
// read and reads that back: neither may crash, leak or read out of bounds,
// what was read must survive its own round trip, and a file the reader
// refuses (no label, or more figures than a label may hold) must leave the
// label as it was.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/labelfile/label_reader.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zk::ClearFigureList();
    zk::AppendFigure(zk::TBarFigure{1, 2, 3, 4, 0});
    const zk::ByteSink before = zk::EncodeLabelFile();
    const zk::LabelReadResult read = zk::ReadLabelImage(std::span(data, size));
    if (read == zk::LabelReadResult::NotALabel || read == zk::LabelReadResult::TooManyFigures) {
        if (zk::EncodeLabelFile() != before) {
            std::abort();
        }
    } else {
        const zk::ByteSink written = zk::EncodeLabelFile();
        if (zk::ReadLabelImage(written) != zk::LabelReadResult::Complete || zk::EncodeLabelFile() != written) {
            std::abort();
        }
    }
    zk::ClearFigureList();
    return 0;
}
