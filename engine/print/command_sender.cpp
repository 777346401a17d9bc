#include "engine/print/command_sender.h"

#include "engine/link/comm_link.h"
#include "engine/link/serial_link.h"

namespace zk {

bool SendCommandText(std::string_view text)
{
    PrinterPrintf("%.*s", static_cast<int>(text.size()), text.data());
    return CommLink.WriteAborted == 0;
}

}  // namespace zk
