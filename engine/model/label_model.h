#pragma once
// A whole label apart from the live one. Readers fill one and put it in
// place in one step at the end, so that a read that fails or is refused
// leaves the live label exactly as it was, and the live label never holds
// a half-read one while a read waits on the printer.

#include <array>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"

namespace zk {

struct TLabelModel {
    TFigureList Figures;
    TLabelSetup Setup;
    std::array<TVariable, VariableCount> Variables{};
    std::array<TVariable, CounterCount> Counters{};
};

// The live label's figures, setup, variables and counters become model's;
// the old figures are freed and model is left without figures.
void PutLabelInPlace(TLabelModel& model);
// The other way round: model takes the live label whole, figures and all,
// and the live label is left without figures.
void TakeLabelOutOfPlace(TLabelModel& model);

}  // namespace zk
