#pragma once
// The form file (*.ejf): the label in the printer command language, for
// storing in a printer later.

namespace zk {

// Asks for a file and writes the label there as a form file.
void SaveAsForm();

}  // namespace zk
