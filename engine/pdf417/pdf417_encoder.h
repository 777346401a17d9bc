#pragma once
// PDF417 symbols of the on-screen label (ISO/IEC 15438).

#include "engine/model/figures.h"
#include "engine/pdf417/pdf417_compaction.h"
#include "engine/pdf417/pdf417_fit.h"

namespace zk {

struct TPdf417Symbol {
    TPdf417Codewords Codewords;  // Rows x Columns of them when built
    TPdf417Layout Layout;
    bool Failed = false;  // the placeholder stands in for the data
};

// Evaluates the figure's data and builds its symbol: compaction, level,
// fitting, padding and error correction. When the data is empty or does not
// fit, the result is the fixed placeholder symbol with Failed set.
TPdf417Symbol BuildPdf417Symbol(const TPdf417Figure& figure);

// Draws the figure's symbol into the label image at its place (centred in its
// rectangle with Position 1) and turned by its rotation; a failed symbol is
// drawn as the placeholder under a red cross over the rectangle.
void EncodePdf417(const TPdf417Figure& figure);

}  // namespace zk
