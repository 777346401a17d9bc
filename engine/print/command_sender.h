#pragma once
// Sending generated command text over the open port.

#include <string_view>

namespace zk {

// Sends a command text (no NUL inside) through PrinterPrintf; false once a
// byte was refused.
bool SendCommandText(std::string_view text);

}  // namespace zk
