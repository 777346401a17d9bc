#include "engine/picture/extract_graphics.h"

#include <gtest/gtest.h>

#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/picture/picture_data.h"
#include "tests/engine/picture/picture_builders.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/printer_emulator.h"

namespace zk {
namespace {

class ExtractGraphicsTest : public test::EngineTest {
protected:
    ExtractGraphicsTest() { LinkTimeouts.ReplySilenceMs = 200; }

    // Answers GI"name" with a length of announced bytes and then body.
    void AnswerGraphic(std::uint16_t announced, const test::Bytes& body)
    {
        std::string reply;
        reply += static_cast<char>(announced >> 8);
        reply += static_cast<char>(announced & 0xFF);
        reply.append(body.begin(), body.end());
        printer.ReplyTo("GI", reply);
    }

    test::Bytes Staged() const
    {
        const auto image = PcxImageBuffer.Image();
        return test::Bytes(image.begin(), image.end());
    }

    test::PrinterEmulator printer;
};

TEST_F(ExtractGraphicsTest, StoredGraphicComesIntoTheStagingBuffer)
{
    test::PcxLayout layout;
    layout.xmax = 9;
    layout.ymax = 1;
    layout.fileSize = 132;
    const test::Bytes pcx = test::MakePcx(layout);
    AnswerGraphic(static_cast<std::uint16_t>(pcx.size()), pcx);

    ASSERT_TRUE(ExtractGraphicsToBuffer("LOGO"));
    EXPECT_EQ(printer.Received(), "\r\nGI\"LOGO\"\r\n");
    EXPECT_EQ(Staged(), pcx);
    EXPECT_EQ(ui.events.front(), "busy:Extracting graphics \"LOGO\"");
    EXPECT_EQ(ui.events.back(), "close");
}

TEST_F(ExtractGraphicsTest, PictureDataFromThePrinter)
{
    test::PcxLayout layout;
    layout.xmax = 15;
    layout.ymax = 2;
    layout.fileSize = 134;
    const test::Bytes pcx = test::MakePcx(layout);
    AnswerGraphic(static_cast<std::uint16_t>(pcx.size()), pcx);

    ASSERT_TRUE(MakePictureData("LOGO", false));
    ASSERT_TRUE(NewPictureData);
    EXPECT_EQ(NewPictureWidth, 16);
    EXPECT_EQ(NewPictureHeight, 3);
    EXPECT_EQ(NewPictureDataLength, 8);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(ExtractGraphicsTest, ReplyLongerThanTheBufferIsRefused)
{
    PcxImageBuffer.PcxImage.back() = 0x5A;
    AnswerGraphic(0xFFFF, test::Bytes(64, 0x11));

    EXPECT_FALSE(MakePictureData("HUGE", false));
    EXPECT_EQ(ui.OnlyMessage(), "Can't extract from printer");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(PcxImageBuffer.PcxImage.back(), 0x5A);
    EXPECT_FALSE(NewPictureData);
}

TEST_F(ExtractGraphicsTest, AReplyTooLongIsReadToItsEndSoTheNextOneIsInStep)
{
    std::string huge{'\xFF', '\xFF'};
    huge.append(0xFFFF, '\x11');
    printer.ReplyTo("GI\"HUGE", huge);
    test::PcxLayout layout;
    layout.xmax = 9;
    layout.ymax = 1;
    layout.fileSize = 132;
    const test::Bytes pcx = test::MakePcx(layout);
    std::string logo{0, static_cast<char>(pcx.size())};
    logo.append(pcx.begin(), pcx.end());
    printer.ReplyTo("GI\"LOGO", logo);

    EXPECT_FALSE(ExtractGraphicsToBuffer("HUGE"));
    EXPECT_EQ(CommLink.LinkError, 0);
    ASSERT_TRUE(ExtractGraphicsToBuffer("LOGO"));
    EXPECT_EQ(Staged(), pcx);
}

TEST_F(ExtractGraphicsTest, SilentPrinterIsNoResponse)
{
    printer.SetSilent(true);
    EXPECT_FALSE(MakePictureData("LOGO", false));
    EXPECT_EQ(ui.events.back(), "beep");
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "error:Error:No printer response"), ui.events.end());
    EXPECT_EQ(ui.OnlyMessage(), "Can't extract from printer");
}

TEST_F(ExtractGraphicsTest, RunningExchangeOnlyBeeps)
{
    const TExchangeGuard running;
    EXPECT_FALSE(MakePictureData("LOGO", false));
    EXPECT_EQ(ui.events, std::vector<std::string>{"beep"});
    EXPECT_TRUE(printer.Received().empty());
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(ExtractGraphicsTest, ShortReplyIsNoResponse)
{
    AnswerGraphic(200, test::Bytes(20, 0xFF));
    EXPECT_FALSE(ExtractGraphicsToBuffer("LOGO"));
    EXPECT_NE(CommLink.LinkError, 0);
}

}  // namespace
}  // namespace zk
