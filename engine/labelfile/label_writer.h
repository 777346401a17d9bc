#pragma once
// The bytes of a label file for the live label: setup, variables,
// counters and every figure.

#include "engine/labelfile/byte_io.h"

namespace zk {

// Header, then the 'V' and 'C' records of the defined variables and
// counters, then one record per figure in list order. A picture block is
// written once per name, by the first picture figure of that name that
// has one; the data-written mark (Flags bit 7) is clear before and after.
ByteSink EncodeLabelFile();

}  // namespace zk
