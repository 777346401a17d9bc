#include "engine/picture/extract_graphics.h"

#include <array>

#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/model/payload_codec.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

namespace {

// The 2-byte big-endian length, then the image; false when the link failed
// or the printer announced more than the staging buffer holds.
bool ReceiveGraphic()
{
    std::array<std::uint8_t, 2> head{};
    if (ReceiveBlock(head) != head.size() || CommLink.LinkError != 0) {
        return false;
    }
    const std::size_t length = GetBe16(head.data());
    if (length > MaxPcxImageLength) {
        // Never stored, since it would run past the buffer, but read to its
        // end so that it does not spill into the next exchange.
        DiscardBlock(length);
        return false;
    }
    const std::size_t received = ReceiveBlock(std::span(PcxImageBuffer.PcxImage.data(), length));
    PcxImageBuffer.PcxImageLength = static_cast<std::uint16_t>(received);
    return received == length;
}

}  // namespace

bool ExtractGraphicsToBuffer(const std::string& name)
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return false;
    }
    PrinterPrintf("\r\nGI\"%s\"\r\n", name.c_str());
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return false;
    }
    ShowCommunicating("Extracting graphics \"" + name + "\"");
    const bool received = ReceiveGraphic();
    ClosePort();
    ReportNoResponse();
    Ui().ProcessMessages();
    return received && CommLink.LinkError == 0;
}

}  // namespace zk
