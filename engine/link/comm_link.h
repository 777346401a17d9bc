#pragma once
// The serial link's process-wide state. The port operations that use it
// live beside this header.

#include <cstdint>

namespace zk {

struct TCommLink {
    int PortHandle = -1;  // -1 while closed
    std::uint8_t LinkError = 0;     // failed open, refused write or reply time-out
    std::uint8_t WriteAborted = 0;  // the user gave a write up: No to the retry question, or closed the port
    std::uint8_t EndOfReply = 0;    // a NUL ended the last reply line
    std::uint8_t LineTooLong = 0;   // the last reply line filled its buffer before its LF
};

extern TCommLink CommLink;

}  // namespace zk
