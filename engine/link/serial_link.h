#pragma once
// The port operations of the serial link. Every printer exchange follows one
// frame: OpenPort (stop on false), ShowCommunicating, PrinterPrintf commands
// (stop once WriteAborted is set), replies through ReceiveLine or
// ReceiveBlock, ClosePort, ReportNoResponse.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/link/comm_link.h"

namespace zk {

// How long the link waits. A reply is given up after ReplySilenceMs without
// a byte, and each line or block read also when it has not ended within
// the time its longest length takes at the port's rate plus ReplySilenceMs;
// a byte is refused when the port does not take it within WriteTimeoutMs +
// 1 ms; a refused reply is read on for at most ReplyDrainMs. Tests shorten
// them; the program keeps the defaults.
struct TLinkTimeouts {
    int ReplySilenceMs = 3000;
    int WriteTimeoutMs = 3000;
    int ReplyDrainMs = 3000;
};

extern TLinkTimeouts LinkTimeouts;

// Clears LinkError and WriteAborted; true at once when the port is open,
// else opens and configures SerialPortList[Port].
bool OpenPort();
void ClosePort();
// Bytes waiting in the input queue; -1 when that can't be told (port closed
// or gone).
int BytesWaiting();
// Sends one byte, asking "Can't write to comm. port. Retry ?" while it is
// refused. True without sending while the port is closed.
bool SendByte(std::uint8_t byte);
// One byte when one is waiting; false otherwise.
bool ReadByte(std::uint8_t& byte);
// Reads exactly buffer.size() bytes, each within the silence time of the
// previous one and all within the block's own deadline; returns how many
// came (fewer set LinkError).
std::size_t ReceiveBlock(std::span<std::uint8_t> buffer);
// Reads and drops count bytes of a block reply that is refused, so that
// they do not spill into the next exchange, within ReplyDrainMs in all;
// returns how many came, as ReceiveBlock does.
std::size_t DiscardBlock(std::size_t count);
// How a drain of reply bytes ended.
enum class DrainEnd : std::uint8_t {
    LineEnd,    // an LF (only where the drain stops at one)
    ReplyEnd,   // the NUL that ends a reply
    Silence,    // ReplySilenceMs without a byte, or the port went
    TimeLimit,  // ReplyDrainMs in all while bytes kept coming
};
// Reads and drops the rest of a refused reply: up to its NUL (true), or
// until ReplySilenceMs of silence or ReplyDrainMs in all (false), so that a
// printer that never stops cannot hold the exchange. Leaves LinkError as it
// was: the reply is refused whatever follows.
bool DrainReply();
// One reply line of at most size - 1 characters (control bytes dropped, LF
// ends it, NUL sets EndOfReply and empties it); its length. Silence before
// the LF, or a line that has not ended within the time size + 1 bytes take
// plus the silence bound, sets LinkError and empties it. Once size - 1 characters are stored
// the next byte that is no control byte makes the line too long: LineTooLong
// is set, the line keeps its first size - 1 characters and the rest of it,
// after that byte, stays queued.
std::size_t ReceiveLine(std::string& line, std::size_t size);
// After a line too long: reads and drops its rest up to the LF, so that no
// piece of it is taken for a line of its own, within the bounds of
// DrainReply. A NUL on the way sets EndOfReply; silence, or a line that
// does not end within ReplyDrainMs, sets LinkError.
DrainEnd DropRestOfLine();
// ReceiveLine, and for a line too long DropRestOfLine: the caller gets the
// line's first size - 1 characters with LineTooLong set, and the next read
// starts at the next line.
std::size_t ReceiveLineDroppingRest(std::string& line, std::size_t size);
// Reads and drops the bytes waiting in the input queue, within ReplyDrainMs;
// false (and LinkError) when bytes still kept coming at the end.
bool DiscardWaitingBytes();
// printf-style formatting of a command of any length, sent byte by byte;
// returns the number of bytes sent. Sends nothing while the port is closed.
std::size_t PrinterPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zk
