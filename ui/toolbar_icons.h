#pragma once
// The toolbar's button pictures, painted at run time: plain line drawings
// of what each button does.

#include <QIcon>

namespace zk {

// The picture of the toolbar button of that objectName; a blank one for
// an unknown name.
QIcon ToolbarIcon(const char* buttonName);

}  // namespace zk
