#pragma once
// The bars of the barcode encoder's module array, drawn into the label image.

namespace zk {

// For every non-zero column i of ModuleArray (i < ModuleArrayCount) a black
// line of `length` dots, end point excluded, turned by `rotation`:
// 0 from (x + i, y) down, 1 from (x, y + i) to the left, 2 from (x - i, y)
// up, 3 from (x, y - i) to the right. x and y are image coordinates; the
// lines clip to the image; a length of 0 or less draws nothing.
void DrawModules(int x, int y, int length, int rotation);

}  // namespace zk
