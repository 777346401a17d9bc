// Feeds arbitrary bytes to the label file reader, then writes the label it
// read and reads that back: neither may crash, leak or read out of bounds,
// and what was read must survive its own round trip.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/labelfile/label_reader.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zk::ClearFigureList();
    if (zk::ReadLabelImage(std::span(data, size)) != zk::LabelReadResult::NotALabel) {
        const zk::ByteSink written = zk::EncodeLabelFile();
        if (zk::ReadLabelImage(written) != zk::LabelReadResult::Complete || zk::EncodeLabelFile() != written) {
            std::abort();
        }
    }
    zk::ClearFigureList();
    return 0;
}
