#include "engine/model/label_setup.h"

namespace zk {

TLabelSetup LabelSetup;
TSettings Settings;

}  // namespace zk
