#include "engine/model/label_model.h"

namespace zk {

void PutLabelInPlace(TLabelModel& model)
{
    ReplaceFigureList(model.Figures);
    LabelSetup = model.Setup;
    Variables = model.Variables;
    Counters = model.Counters;
}

}  // namespace zk
