// Messages that name a file show its path as the desktop shows the file's
// name: the path is the file system's bytes (UTF-8), the rest of the
// message code page 1252, and neither is read as the other.

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "engine/config/program_paths.h"
#include "engine/link/serial_link.h"
#include "engine/memory/printer_memory.h"
#include "tests/support/printer_emulator.h"
#include "tests/support/printer_memory.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/editor_hooks.h"
#include "ui/help_page.h"

namespace zk::test {
namespace {

class MessagePathsTest : public MainWindowWithBoxesTest {
protected:
    MessagePathsTest() { std::filesystem::create_directories(Folder); }

    // A folder named in three scripts, with a doubled ampersand that the
    // box must not take for its own "&&".
    std::string PathIn(const std::string& name) const { return Folder + "/" + name; }

    static std::string Shown(const std::string& path)
    {
        return QFile::decodeName(QByteArray::fromStdString(path)).toStdString();
    }

    // The text of the modal box that trigger shows, answered with OK.
    static std::string ModalMessage(const std::function<void()>& trigger)
    {
        QString text;
        WhenModalShows([&text](QWidget* modal) {
            text = modal->findChild<QLabel*>("MsgText")->text();
            modal->findChild<QPushButton*>("OkBt")->click();
        });
        trigger();
        return text.toStdString();
    }

    // The text of the error that the busy window of an exchange turns into.
    std::string BusyWindowError(const std::function<void()>& trigger)
    {
        trigger();
        EXPECT_TRUE(services.MsgBoxDlg().isVisible());
        const std::string text = services.MsgBoxDlg().MsgText->text().toStdString();
        services.MsgBoxDlg().hide();
        return text;
    }

    const std::string Folder = (TempDir() / "\xc3\x9cn\xc3\xaf-\xe3\x83\xa9\xe3\x83\x99\xe3\x83\xab R&&D").string();
};

TEST_F(MessagePathsTest, APrinterFontThatIsMissingAtStartUp)
{
    EditorHooks.LoadPrinterFont = [] { return 1; };
    MakeWindow();
    ProgramPaths.PrinterFontFileName = PathIn("VEZARAZ.EVU");
    const std::string shown = ModalMessage([this] {
        window->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !window->isVisible(); }));
    });
    EXPECT_EQ(shown, "Can't open font file " + Shown(PathIn("VEZARAZ.EVU")));
}

TEST_F(MessagePathsTest, AHelpPageThatIsMissing)
{
    ProgramPaths.HelpFileName = PathIn("ZOVIDURU.html");
    EXPECT_EQ(ModalMessage([] { OpenHelpPage(); }), "Can't open help file " + Shown(PathIn("ZOVIDURU.html")));
}

TEST_F(MessagePathsTest, ObjectsExtractedFromThePrinter)
{
    LinkTimeouts.ReplySilenceMs = 300;
    PrinterEmulator printer;
    PrinterMemory memory{printer};
    const std::string pcx(300, 'p');
    memory.StoreGraphics("LOGO", pcx);
    memory.StoreForm("SHIP", {"D8", "A10,10,0,1,1,1,N,\"x\""});

    EXPECT_EQ(BusyWindowError([this] { ExtractGraphicsToFile("LOGO", PathIn("logo.pcx")); }),
              std::to_string(pcx.size()) + " bytes saved to " + Shown(PathIn("logo.pcx")));
    EXPECT_EQ(BusyWindowError([this] { ExtractFormToFile("SHIP", PathIn("ship.ejf")); }),
              "2 lines saved to " + Shown(PathIn("ship.ejf")));
}

}  // namespace
}  // namespace zk::test
