#include "engine/model/label_model.h"

namespace zk {

void PutLabelInPlace(TLabelModel& model)
{
    ReplaceFigureList(model.Figures);
    LabelSetup = model.Setup;
    Variables = model.Variables;
    Counters = model.Counters;
}

void TakeLabelOutOfPlace(TLabelModel& model)
{
    TakeFigureList(model.Figures);
    model.Setup = LabelSetup;
    model.Variables = Variables;
    model.Counters = Counters;
}

}  // namespace zk
