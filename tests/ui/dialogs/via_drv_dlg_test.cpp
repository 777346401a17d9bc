// The driver print dialog on a real print system, the tests' own cupsd
// (private_print_server.h): the job each queue received, its resolution,
// page size and image placement; sets x copies pages and the counters;
// printers that went away, refuse jobs or whose server is gone; the
// printer list and the printer setup.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <vector>
#include <string>

#include "engine/link/exchange_guard.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "tests/support/print_server_proxy.h"
#include "tests/support/private_print_server.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/silent_print_server.h"
#include "tests/ui/dialogs/print_dialogs_fixture.h"
#include "tests/ui/dialogs/print_stream_helpers.h"
#include "tests/ui/dialogs/spooled_pdf.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/via_drv_dlg.h"
#include "ui/print/print_system_client.h"

namespace zk {
namespace {

using namespace std::chrono_literals;
using test::PrivatePrintServer;

// How long a job the dialog sent may take to reach the queue's device.
constexpr auto JobBound = 20s;
// How long the dialog may take to list the printers.
constexpr int ListBoundMs = 20000;

// The print server comes first and goes last, so that the dialogs never
// see it missing.
struct WithPrintServer {
    PrivatePrintServer server;
};

class DriverPrintTest : public WithPrintServer, public test::PrintDialogsTest {
protected:
    explicit DriverPrintTest(PrivatePrintServer::DoneJobs doneJobs = PrivatePrintServer::DoneJobs::KeepDocuments)
        : WithPrintServer{PrivatePrintServer(doneJobs)}
    {
    }
    void SetUp() override { ASSERT_TRUE(server.Running()) << server.Error(); }
    // Tests may shorten the time-outs.
    ~DriverPrintTest() override { DriverPrintTimeouts = {}; }

    // Shows the dialog and waits for the print system's printers in its list.
    void ShowWithPrinters()
    {
        dlg.show();
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return dlg.PrList->findText(PrivatePrintServer::LabelQueue) >= 0; }, ListBoundMs));
    }

    void ChoosePrinter(const char* name)
    {
        const int index = dlg.PrList->findText(name);
        ASSERT_GE(index, 0) << name;
        dlg.PrList->setCurrentIndex(index);
    }

    // A label of that many dots, with a text and a barcode.
    static void MakeLabel(int width, int length)
    {
        LabelSetup.LabelWidth = width;
        LabelSetup.LabelLength = length;
        // The image the main window sizes for the label.
        LabelImage.Resize(width, length);
        test::AddTextAndBarcode();
    }

    // Clicks Print for a print that must end with a message box; its text.
    std::string PrintAndTakeMessage()
    {
        std::string message;
        test::WhenModalShows([&message](QWidget* modal) {
            message = modal->property("text").toString().toStdString();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        dlg.PrintBt->click();
        EXPECT_TRUE(server.WaitUntilJobsDone(JobBound));
        return message;
    }

    // Clicks Print for a print that must go out without a word.
    void Print()
    {
        dlg.PrintBt->click();
        ASSERT_TRUE(server.WaitUntilJobsDone(JobBound));
    }

    TViaDrvDlg& dlg = ViaDrvDlg();
};

// A 384-dot label on each queue: one label dot is one printer dot, at the
// queue's resolution, in the paper's top-left corner, on the queue's
// default page. A class prints as its printers do.
struct QueueCase {
    const char* name;
    const char* queue;
    // The printer whose device gets the job.
    const char* device;
    int dpi;
    double pageWidthPt;
    double pageHeightPt;
};

void PrintTo(const QueueCase& row, std::ostream* out)
{
    *out << row.name;
}

class DriverPrintQueueTest : public DriverPrintTest, public ::testing::WithParamInterface<QueueCase> {
};

TEST_P(DriverPrintQueueTest, OneLabelDotIsOnePrinterDotInThePaperCorner)
{
    const QueueCase& row = GetParam();
    MakeLabel(384, 200);
    ShowWithPrinters();
    ChoosePrinter(row.queue);
    Print();
    ASSERT_EQ(server.Jobs().size(), 1u);
    const test::SpooledPdf pdf = test::ReadSpooledPdf(server.Output(row.device));
    ASSERT_TRUE(pdf.read);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.pageWidthPt, row.pageWidthPt, 0.5);
    EXPECT_NEAR(pdf.pageHeightPt, row.pageHeightPt, 0.5);
    ASSERT_EQ(pdf.images.size(), 1u);
    EXPECT_EQ(pdf.images[0].widthDots, 384);
    EXPECT_EQ(pdf.images[0].heightDots, 200);
    EXPECT_EQ(pdf.images[0].xPpi, row.dpi);
    EXPECT_EQ(pdf.images[0].yPpi, row.dpi);
    ASSERT_EQ(pdf.placements.size(), 1u);
    EXPECT_NEAR(pdf.placements[0].widthMm, 384 * 25.4 / row.dpi, 0.2);
    EXPECT_NEAR(pdf.placements[0].heightMm, 200 * 25.4 / row.dpi, 0.2);
    EXPECT_NEAR(pdf.placements[0].leftMm, 0, 0.05);
    EXPECT_NEAR(pdf.placements[0].topMm, 0, 0.05);
    RecordProperty("LabelWidthMm", std::to_string(pdf.placements[0].widthMm));
    // Bars and text edges reach the printer as drawn, not blurred by JPEG.
    EXPECT_FALSE(pdf.jpeg);
}

INSTANTIATE_TEST_SUITE_P(Queues, DriverPrintQueueTest,
                         ::testing::Values(QueueCase{"LabelAt203Dpi", PrivatePrintServer::LabelQueue,
                                                     PrivatePrintServer::LabelQueue, 203, 144, 288},
                                           QueueCase{"OfficeA4At300Dpi", PrivatePrintServer::OfficeQueue,
                                                     PrivatePrintServer::OfficeQueue, 300, 595.28, 841.89},
                                           QueueCase{"ClassOfTheLabelPrinter", PrivatePrintServer::LabelClass,
                                                     PrivatePrintServer::LabelQueue, 203, 144, 288}),
                         [](const auto& info) { return std::string(info.param.name); });

// A class whose printers differ has no resolution or paper of its own:
// the print is refused, naming it, and nothing prints on either printer.
TEST_F(DriverPrintTest, AClassOfDifferingPrintersIsRefused)
{
    MakeLabel(384, 200);
    Define(Counters[1], "Count", "10", 5);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::MixedClass);
    EXPECT_EQ(PrintAndTakeMessage(), "The printers of the class \"zk-mixed\" differ in resolution or paper size. "
                                     "Nothing was printed; choose one of its printers.");
    EXPECT_TRUE(server.Jobs().empty());
    EXPECT_EQ(Counters[1].Value, "10");
}

// A class whose printers all went away is named as such, and nothing
// prints; a class that lost one of two printers prints on the other.
TEST_F(DriverPrintTest, AClassWithoutPrintersIsNamedAndOneThatLostAPrinterPrintsOnTheOther)
{
    MakeLabel(384, 200);
    Define(Counters[1], "Count", "10", 5);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelClass);
    ASSERT_TRUE(server.RemoveQueue(PrivatePrintServer::LabelQueue));
    EXPECT_EQ(PrintAndTakeMessage(), "The class \"zk-labels\" has no printers. Nothing was printed.");
    EXPECT_TRUE(server.Jobs().empty());
    EXPECT_EQ(Counters[1].Value, "10");

    ChoosePrinter(PrivatePrintServer::MixedClass);
    Print();
    ASSERT_EQ(server.Jobs().size(), 1u);
    EXPECT_EQ(test::ReadSpooledPdf(server.Output(PrivatePrintServer::OfficeQueue)).pages, 1);
    EXPECT_EQ(Counters[1].Value, "15");
}

// A driver print is a printer exchange of its own: while another one runs
// (its waits let the windows work), Print is refused and neither a job nor
// a counter step comes of it.
TEST_F(DriverPrintTest, PrintIsRefusedWhileAnotherExchangeRuns)
{
    MakeLabel(384, 200);
    Define(Counters[1], "Count", "10", 5);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    {
        const TExchangeGuard running;
        dlg.PrintBt->click();
    }
    EXPECT_TRUE(server.WaitUntilJobsDone(JobBound));
    EXPECT_TRUE(server.Jobs().empty());
    EXPECT_EQ(Counters[1].Value, "10");
    Print();
    EXPECT_EQ(server.Jobs().size(), 1u);
    EXPECT_EQ(Counters[1].Value, "15");
}

TEST_F(DriverPrintTest, SetsTimesCopiesPagesAndOneCounterStepPerSet)
{
    MakeLabel(384, 200);
    Define(Counters[1], "Count", "10", 5);
    ShowWithPrinters();
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Print using Windows driver");
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    dlg.SetsUD->setValue(2);
    dlg.CopiesUD->setValue(3);
    Print();
    EXPECT_EQ(server.Jobs().size(), 1u);
    const test::SpooledPdf pdf = test::ReadSpooledPdf(server.Output(PrivatePrintServer::LabelQueue));
    EXPECT_EQ(pdf.pages, 6);
    EXPECT_EQ(Counters[1].Value, "20");
    // The canvas shows the counters' new values, as after a test print.
    EXPECT_EQ(RedrawMode, RedrawEditor);
    for (QPushButton* button : {dlg.PrSetupBt, dlg.VarBt, dlg.PrintBt}) {
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    }
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(DriverPrintTest, ThePrinterListShowsTheDefaultPrinterUntilAnotherIsChosen)
{
    ShowWithPrinters();
    EXPECT_EQ(dlg.PrList->count(), PrivatePrintServer::Destinations);
    EXPECT_EQ(dlg.PrList->currentText().toStdString(), PrivatePrintServer::OfficeQueue);
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    dlg.close();
    ShowWithPrinters();
    EXPECT_EQ(dlg.PrList->currentText().toStdString(), PrivatePrintServer::LabelQueue);
}

// A job the print system can't take: the user is told, naming the printer,
// nothing is printed anywhere and the counters stay; the dialog stays
// usable, and once the cause is gone the next print goes out.
struct RefusalCase {
    const char* name;
    std::function<void(PrivatePrintServer&)> refuse;
    std::function<void(PrivatePrintServer&)> mend;
};

void PrintTo(const RefusalCase& row, std::ostream* out)
{
    *out << row.name;
}

class DriverPrintRefusalTest : public DriverPrintTest, public ::testing::WithParamInterface<RefusalCase> {
};

TEST_P(DriverPrintRefusalTest, TheUserIsToldAndNothingPrintsNorCounts)
{
    MakeLabel(384, 200);
    Define(Counters[1], "Count", "10", 5);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    GetParam().refuse(server);
    dlg.SetsUD->setValue(2);
    const std::string message = PrintAndTakeMessage();
    EXPECT_NE(message.find(PrivatePrintServer::LabelQueue), std::string::npos) << message;
    EXPECT_TRUE(server.Jobs().empty());
    EXPECT_FALSE(std::filesystem::exists(server.Output(PrivatePrintServer::LabelQueue)));
    EXPECT_FALSE(std::filesystem::exists(server.Output(PrivatePrintServer::OfficeQueue)));
    EXPECT_EQ(Counters[1].Value, "10");
    for (QPushButton* button : {dlg.PrSetupBt, dlg.VarBt, dlg.PrintBt}) {
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    }

    GetParam().mend(server);
    dlg.close();
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    Print();
    EXPECT_EQ(server.Jobs().size(), 1u);
    EXPECT_EQ(test::ReadSpooledPdf(server.Output(PrivatePrintServer::LabelQueue)).pages, 2);
    EXPECT_EQ(Counters[1].Value, "20");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, DriverPrintRefusalTest,
    ::testing::Values(
        RefusalCase{"RejectingQueue",
                    [](PrivatePrintServer& server) { ASSERT_TRUE(server.RejectJobs(PrivatePrintServer::LabelQueue)); },
                    [](PrivatePrintServer& server) { ASSERT_TRUE(server.AcceptJobs(PrivatePrintServer::LabelQueue)); }},
        RefusalCase{"ServerGone", [](PrivatePrintServer& server) { server.Stop(); },
                    [](PrivatePrintServer& server) { ASSERT_TRUE(server.Restart()) << server.Error(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The chosen printer went away: before any print, or after one went out.
class DriverPrintRemovedPrinterTest : public DriverPrintTest, public ::testing::WithParamInterface<bool> {
};

TEST_P(DriverPrintRemovedPrinterTest, IsNamedAndNothingPrintsElsewhere)
{
    const bool printedBefore = GetParam();
    MakeLabel(384, 200);
    Define(Counters[1], "Count", "10", 5);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    if (printedBefore) {
        Print();
        ASSERT_EQ(server.Jobs().size(), 1u);
        ASSERT_EQ(Counters[1].Value, "15");
    }
    const std::string countBefore = Counters[1].Value.str();
    ASSERT_TRUE(server.RemoveQueue(PrivatePrintServer::LabelQueue));
    // The queue's jobs went with it.
    ASSERT_TRUE(server.Jobs().empty());
    const std::string message = PrintAndTakeMessage();
    EXPECT_NE(message.find(PrivatePrintServer::LabelQueue), std::string::npos) << message;
    EXPECT_TRUE(server.Jobs().empty());
    EXPECT_FALSE(std::filesystem::exists(server.Output(PrivatePrintServer::OfficeQueue)));
    EXPECT_EQ(Counters[1].Value.str(), countBefore);
}

INSTANTIATE_TEST_SUITE_P(Removed, DriverPrintRemovedPrinterTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "AfterAPrint" : "BeforeAnyPrint"); });

TEST_F(DriverPrintTest, PrinterSetupChoosesPrinterPaperAndResolutionButNoCopies)
{
    MakeLabel(384, 200);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    QSignalSpy listed(dlg.findChild<PrintSystemClient*>(), &PrintSystemClient::printersListed);
    std::string title;
    bool hasCopies = true;
    std::vector<std::string> buttons;
    test::WhenModalNamed("PrSetupDlg", [&](QWidget* setup) {
        title = setup->windowTitle().toStdString();
        hasCopies = !setup->findChildren<QSpinBox*>().isEmpty();
        for (QPushButton* button : setup->findChildren<QPushButton*>()) {
            if (button->isVisible()) {
                buttons.push_back(button->text().toStdString());
            }
        }
        auto* printer = setup->findChild<QComboBox*>("PrinterName");
        ASSERT_NE(printer, nullptr);
        ASSERT_TRUE(
            QTest::qWaitFor([printer] { return printer->count() == PrivatePrintServer::Destinations; }, ListBoundMs));
        EXPECT_EQ(printer->currentText().toStdString(), PrivatePrintServer::LabelQueue);
        printer->setCurrentIndex(printer->findText(PrivatePrintServer::OfficeQueue));
        auto* paper = setup->findChild<QComboBox*>("PaperSize");
        auto* resolution = setup->findChild<QComboBox*>("Resolution");
        ASSERT_NE(paper, nullptr);
        ASSERT_NE(resolution, nullptr);
        paper->setCurrentIndex(paper->findText("Letter", Qt::MatchStartsWith));
        resolution->setCurrentIndex(resolution->findText("600 dpi"));
        // The list the setup asked for at its start arrives only now: the choices stay.
        ASSERT_TRUE(QTest::qWaitFor([&listed] { return listed.count() > 0; }, ListBoundMs));
        setup->findChild<QPushButton*>("OkBt")->click();
    });
    dlg.PrSetupBt->click();
    EXPECT_EQ(title, "Printer Setup");
    EXPECT_FALSE(hasCopies);
    EXPECT_EQ(buttons, (std::vector<std::string>{"OK", "Cancel"}));
    EXPECT_EQ(dlg.PrList->currentText().toStdString(), PrivatePrintServer::OfficeQueue);

    dlg.CopiesUD->setValue(2);
    Print();
    const test::SpooledPdf pdf = test::ReadSpooledPdf(server.Output(PrivatePrintServer::OfficeQueue));
    EXPECT_EQ(pdf.pages, 2);
    EXPECT_NEAR(pdf.pageWidthPt, 612, 0.5);
    EXPECT_NEAR(pdf.pageHeightPt, 792, 0.5);
    ASSERT_FALSE(pdf.images.empty());
    EXPECT_EQ(pdf.images[0].xPpi, 600);
}

// The label printer takes custom sizes: the print server's limits for them
// are not paper sizes.
TEST_F(DriverPrintTest, PrinterSetupListsOnlyThePrintersPaperSizes)
{
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    std::vector<std::string> sizes;
    test::WhenModalNamed("PrSetupDlg", [&sizes](QWidget* setup) {
        auto* paper = setup->findChild<QComboBox*>("PaperSize");
        ASSERT_NE(paper, nullptr);
        for (int index = 0; index < paper->count(); ++index) {
            sizes.push_back(paper->itemText(index).toStdString());
        }
        setup->findChild<QPushButton*>("CancelBt")->click();
    });
    dlg.PrSetupBt->click();
    EXPECT_EQ(sizes, (std::vector<std::string>{"2x4 (50.8 x 101.6 mm)", "4x6 (101.6 x 152.4 mm)"}));
}

TEST_F(DriverPrintTest, PrintFromTheNewValuesGoesThroughTheDriver)
{
    MakeLabel(384, 200);
    Define(Counters[1], "Count", "10", 1);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    std::string cellAfterPrint;
    test::WhenModalShows([&cellAfterPrint](QWidget* modal) {
        auto* grid = modal->findChild<QTableWidget*>("VarGrid");
        grid->item(0, 1)->setText("40");
        modal->findChild<QPushButton*>("PrintBt")->click();
        cellAfterPrint = grid->item(0, 1)->text().toStdString();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    dlg.CopiesUD->setValue(2);
    dlg.VarBt->click();
    ASSERT_TRUE(server.WaitUntilJobsDone(JobBound));
    EXPECT_EQ(DriverPrintMode, 1);
    EXPECT_EQ(TestPrintMode, 1);
    EXPECT_EQ(server.Jobs().size(), 1u);
    EXPECT_EQ(test::ReadSpooledPdf(server.Output(PrivatePrintServer::LabelQueue)).pages, 2);
    EXPECT_EQ(Counters[1].Value, "41");
    EXPECT_EQ(cellAfterPrint, "41");
}

// Every message box shown while it lives, answered with OK.
class MessageWatch {
public:
    MessageWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && modal->isVisible() && modal->property("text").isValid()) {
                texts.push_back(modal->property("text").toString().toStdString());
                QTest::keyClick(modal, Qt::Key_Return);
            }
        });
        m_timer.start(20);
    }

    std::vector<std::string> texts;

private:
    QTimer m_timer;
};

// The server queues the job but its answer to the document is held by a
// proxy: the editor looks the job up, and when it can't learn its fate it
// says the label may have printed. Either way the counters stay advanced,
// so the next label never repeats a number.
class LateAnswerDriverPrintTest : public DriverPrintTest {
protected:
    explicit LateAnswerDriverPrintTest(
        PrivatePrintServer::DoneJobs doneJobs = PrivatePrintServer::DoneJobs::KeepDocuments)
        : DriverPrintTest(doneJobs)
    {
        // Room for a loaded machine: the held answer, not a slow server, must be what ends the wait.
        DriverPrintTimeouts.list = 3000ms;
        DriverPrintTimeouts.job = 3000ms;
        DriverPrintTimeouts.lookup = 5000ms;
    }

    // Prints two labels of one set through a proxy holding answers; the
    // messages shown, and how many documents went through the proxy.
    std::vector<std::string> PrintTwiceThrough(test::PrintServerProxy::Holding holding, int& documents)
    {
        MakeLabel(384, 200);
        Define(Counters[1], "Count", "10", 5);
        ShowWithPrinters();
        ChoosePrinter(PrivatePrintServer::LabelQueue);
        test::PrintServerProxy proxy(server.Socket(), holding, std::chrono::minutes(10));
        EXPECT_TRUE(proxy.Listening());
        MessageWatch messages;
        for (int print = 1; print <= 2; ++print) {
            dlg.PrintBt->click();
            EXPECT_TRUE(server.WaitUntilJobsDone(JobBound));
        }
        documents = proxy.DocumentRequests();
        return messages.texts;
    }
};

TEST_F(LateAnswerDriverPrintTest, AJobFoundQueuedCountsAsPrinted)
{
    int documents = 0;
    const std::vector<std::string> messages =
        PrintTwiceThrough(test::PrintServerProxy::Holding::DocumentAnswers, documents);
    EXPECT_EQ(documents, 2);
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(server.Jobs().size(), 2u);
    EXPECT_EQ(Counters[1].Value, "20");
    EXPECT_TRUE(dlg.PrintBt->isEnabled());
}

// A server that drops a job's documents once it is done: a job found done
// printed, whatever document count the server still tells.
class LateAnswerDocumentDroppingServerTest : public LateAnswerDriverPrintTest {
protected:
    LateAnswerDocumentDroppingServerTest() : LateAnswerDriverPrintTest(PrivatePrintServer::DoneJobs::DropDocuments) {}
};

TEST_F(LateAnswerDocumentDroppingServerTest, AJobFoundDoneCountsAsPrinted)
{
    int documents = 0;
    const std::vector<std::string> messages =
        PrintTwiceThrough(test::PrintServerProxy::Holding::DocumentAnswers, documents);
    EXPECT_EQ(documents, 2);
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(server.Jobs().size(), 2u);
    EXPECT_EQ(Counters[1].Value, "20");
}

// While a driver print waits for the print system, the windows work: the
// serial link refuses traffic to anything started from there, as it does
// inside its own waits.
TEST_F(LateAnswerDriverPrintTest, TheSerialLinkRefusesWhatStartsWhileAJobWaits)
{
    MakeLabel(384, 200);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    test::PrintServerProxy proxy(server.Socket(), test::PrintServerProxy::Holding::DocumentAnswers,
                                 std::chrono::minutes(10));
    ASSERT_TRUE(proxy.Listening());
    bool checked = false;
    bool refused = false;
    QTimer::singleShot(500, &dlg, [&] {
        checked = true;
        refused = EnteredDuringExchange();
    });
    dlg.PrintBt->click();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(EnteredDuringExchange());
}

TEST_F(LateAnswerDriverPrintTest, AJobWhoseFateCantBeLearntMayHavePrinted)
{
    int documents = 0;
    const std::vector<std::string> messages =
        PrintTwiceThrough(test::PrintServerProxy::Holding::EveryAnswerFromTheDocumentOn, documents);
    EXPECT_EQ(documents, 1);
    const std::string text = "The print system took the job for \"zk-label-203\" but did not say whether it will "
                             "print it. The label may have printed; the counters were advanced.";
    // The second print can't even learn the printer's description.
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], text);
    EXPECT_EQ(messages[1], "The print system did not answer in time. Nothing was printed on \"zk-label-203\".");
    EXPECT_EQ(server.Jobs().size(), 1u);
    EXPECT_EQ(Counters[1].Value, "15");
}

// A print server that takes the connection and never answers: the dialog
// shows and closes at once, and a print ends, within the time-outs, with a
// message and no counter advanced.
struct WithSilentServer {
    test::SilentPrintServer silentServer;
};

class SilentServerDriverPrintTest : public WithSilentServer, public test::PrintDialogsTest {
protected:
    SilentServerDriverPrintTest()
    {
        DriverPrintTimeouts.list = 1000ms;
        DriverPrintTimeouts.job = 1000ms;
    }
    ~SilentServerDriverPrintTest() override { DriverPrintTimeouts = {}; }

    TViaDrvDlg& dlg = ViaDrvDlg();
};

TEST_F(SilentServerDriverPrintTest, ThePrintEndsWithAMessageAndNoCounterAdvances)
{
    ASSERT_TRUE(silentServer.Listening());
    test::AddTextAndBarcode();
    Define(Counters[1], "Count", "10", 5);
    dlg.show();
    EXPECT_TRUE(dlg.isVisible());
    std::string message;
    test::WhenModalShows([&message](QWidget* modal) {
        message = modal->property("text").toString().toStdString();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    QElapsedTimer clock;
    clock.start();
    dlg.PrintBt->click();
    // The time-out and its grace, with room for a loaded machine: a hang shows.
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(message, "The print system did not answer in time. Nothing was printed.");
    EXPECT_EQ(Counters[1].Value, "10");
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
}

// A list that didn't come is not an empty list: the dialog keeps the last
// one it got, and Print and Printer Setup stay usable; Variables never
// depends on a printer.
TEST_F(DriverPrintTest, AListThatDidNotComeKeepsTheLastOne)
{
    DriverPrintTimeouts.list = 1000ms;
    MakeLabel(384, 200);
    ShowWithPrinters();
    ChoosePrinter(PrivatePrintServer::LabelQueue);
    dlg.close();
    {
        test::PrintServerProxy proxy(server.Socket(), test::PrintServerProxy::Holding::EveryAnswer,
                                     std::chrono::minutes(10));
        ASSERT_TRUE(proxy.Listening());
        QSignalSpy listed(dlg.findChild<PrintSystemClient*>(), &PrintSystemClient::printersListed);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitFor([&listed] { return listed.count() > 0; }, ListBoundMs));
        EXPECT_EQ(dlg.PrList->count(), PrivatePrintServer::Destinations);
        EXPECT_EQ(dlg.PrList->currentText().toStdString(), PrivatePrintServer::LabelQueue);
        for (QPushButton* button : {dlg.PrSetupBt, dlg.VarBt, dlg.PrintBt}) {
            EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        }
    }
    Print();
    EXPECT_EQ(server.Jobs().size(), 1u);
}

// With a silent print server no list ever comes: a print says so and the
// buttons stay usable, at every showing.
TEST_F(SilentServerDriverPrintTest, TheButtonsStayUsableWhenNoListComes)
{
    test::AddTextAndBarcode();
    QSignalSpy listed(dlg.findChild<PrintSystemClient*>(), &PrintSystemClient::printersListed);
    for (int showing = 1; showing <= 2; ++showing) {
        dlg.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return listed.count() >= showing; }, 10000));
        MessageWatch messages;
        dlg.PrintBt->click();
        EXPECT_EQ(messages.texts.size(), 1u);
        for (QPushButton* button : {dlg.PrSetupBt, dlg.VarBt, dlg.PrintBt}) {
            EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " at showing " << showing;
        }
        dlg.close();
    }
}

// No print server at all: no socket, or a socket nobody listens on. A
// print says the print system can't be reached, and names no printer
// when none was chosen.
class UnreachableServerDriverPrintTest : public test::PrintDialogsTest, public ::testing::WithParamInterface<bool> {
protected:
    TViaDrvDlg& dlg = ViaDrvDlg();
};

TEST_P(UnreachableServerDriverPrintTest, APrintSaysThePrintSystemCantBeReached)
{
    const std::filesystem::path socketPath = TempDir() / "cups.sock";
    if (GetParam()) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        close(fd);
    }
    test::ScopedEnvironment environment;
    environment.Set("CUPS_SERVER", socketPath.string());
    test::AddTextAndBarcode();
    Define(Counters[1], "Count", "10", 5);
    dlg.show();
    MessageWatch messages;
    dlg.PrintBt->click();
    EXPECT_EQ(messages.texts, std::vector<std::string>{"The print system can't be reached. Nothing was printed."});
    EXPECT_EQ(Counters[1].Value, "10");
    EXPECT_TRUE(dlg.PrintBt->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(NoServer, UnreachableServerDriverPrintTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "NobodyListens" : "NoSocket");
});

// The dialog's own fields, which need no print system.
class ViaDrvDlgTest : public test::PrintDialogsTest {
protected:
    TViaDrvDlg& dlg = ViaDrvDlg();
};

TEST_F(ViaDrvDlgTest, SetsAndCopiesStayWithinOneTo999)
{
    for (QSpinBox* box : {dlg.SetsUD, dlg.CopiesUD}) {
        EXPECT_EQ(box->value(), 1);
        EXPECT_EQ(box->minimum(), 1);
        EXPECT_EQ(box->maximum(), 999);
        EXPECT_FALSE(box->wrapping());
        box->setValue(1000);
        EXPECT_EQ(box->value(), 999);
    }
}

TEST_F(ViaDrvDlgTest, VariablesWithNoneDefinedUsesTheStandardBox)
{
    std::string text;
    test::WhenModalShows([&text](QWidget* modal) {
        text = modal->property("text").toString().toStdString();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    dlg.show();
    dlg.VarBt->click();
    EXPECT_EQ(text, "No variables or counters defined");
    EXPECT_TRUE(ui.messageBoxes.empty());
}

}  // namespace
}  // namespace zk
