// The driver print dialog: sets x copies pages printed to a PDF file, the
// counters advanced once per set with the second set drawn with the new
// values, and its buttons.

#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "tests/ui/dialogs/pdf_image_geometry.h"
#include "tests/ui/dialogs/print_dialogs_fixture.h"
#include "tests/ui/dialogs/print_stream_helpers.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/via_drv_dlg.h"

namespace zk {
namespace {

class ViaDrvDlgTest : public test::PrintDialogsTest {
protected:
    ViaDrvDlgTest() { PrintToThePdfFile(); }

    // The jobs from now on go to the PDF file.
    void PrintToThePdfFile()
    {
        DriverPrinterHook = [this](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdfPath));
            ++jobs;
        };
    }

    // The pages of the PDF file written.
    int PdfPages() const
    {
        QFile file(QString::fromStdString(pdfPath));
        if (!file.open(QIODevice::ReadOnly)) {
            return -1;
        }
        return static_cast<int>(file.readAll().count("/Type /Page\n"));
    }

    std::string pdfPath = (TempDir() / "label.pdf").string();
    int jobs = 0;
    TViaDrvDlg& dlg = ViaDrvDlg();
};

TEST_F(ViaDrvDlgTest, SetsTimesCopiesPagesAndOneCounterStepPerSet)
{
    test::AddTextAndBarcode();
    Define(Counters[1], "Count", "10", 5);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Print using Windows driver");
    dlg.SetsUD->setValue(2);
    dlg.CopiesUD->setValue(3);
    dlg.PrintBt->click();
    EXPECT_EQ(jobs, 1);
    EXPECT_EQ(PdfPages(), 6);
    EXPECT_EQ(Counters[1].Value, "20");
    EXPECT_EQ(RedrawMode, RedrawDriverPrint);
    EXPECT_TRUE(dlg.PrintBt->isEnabled());
    EXPECT_TRUE(dlg.VarBt->isEnabled());
    EXPECT_TRUE(dlg.PrSetupBt->isEnabled());
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(ViaDrvDlgTest, OneLabelDotIsOnePixelOfThePrinter)
{
    // A PDF file stands in for a 203-dpi label printer: like the printer's
    // driver, it offers its own resolution to a job that asks for the
    // printer's resolution, and the screen's to any other.
    constexpr int PrinterDpi = 203;
    DriverPrinterHook = [this](QPrinter& printer) {
        const bool printerResolution = printer.resolution() != QPrinter(QPrinter::ScreenResolution).resolution();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdfPath));
        if (printerResolution) {
            printer.setResolution(PrinterDpi);
        }
    };
    LabelSetup.LabelWidth = 384;
    LabelSetup.LabelLength = 200;
    // The image the main window sizes for the label.
    LabelImage.Resize(LabelSetup.LabelWidth, LabelSetup.LabelLength);
    test::AddTextAndBarcode();
    dlg.show();
    dlg.PrintBt->click();
    QFile file(QString::fromStdString(pdfPath));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    const std::vector<double> widths = test::PdfImageWidthsMm(pdf);
    ASSERT_EQ(widths.size(), 1u);
    // 384 dots at 203 dpi: 48.05 mm.
    EXPECT_NEAR(widths[0], 48.0, 0.2);
    RecordProperty("LabelWidthMm", std::to_string(widths[0]));
    // Bars and text edges reach the printer as drawn, not blurred by JPEG.
    EXPECT_FALSE(pdf.contains("/DCTDecode"));
}

// Print systems that refuse a job: one whose file can't be made, and one
// asked for a printer it doesn't know (as for the default printer of a
// desktop without printers), after which Qt holds the job's printer as busy
// for good.
struct RefusalCase {
    const char* name;
    std::function<void(QPrinter&, const std::filesystem::path& folder)> refuse;
};

void PrintTo(const RefusalCase& row, std::ostream* out) { *out << row.name; }

class ViaDrvRefusalTest : public ViaDrvDlgTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ViaDrvRefusalTest, ARefusedJobLeavesTheDialogWorkingForTheNext)
{
    DriverPrinterHook = [this](QPrinter& printer) {
        GetParam().refuse(printer, TempDir());
        ++jobs;
    };
    test::AddTextAndBarcode();
    std::string reported;
    test::WhenModalShows([&reported](QWidget* modal) {
        reported = modal->property("text").toString().toStdString();
        QTest::keyClick(modal, Qt::Key_Return);
        // A second refusal would be told by a box too: closed, the counts tell.
        test::CloseModalsForTheRestOfTheTest(::testing::UnitTest::GetInstance()->current_test_info());
    });
    dlg.show();
    dlg.PrintBt->click();
    EXPECT_EQ(reported, "Can't start printing");
    dlg.close();
    dlg.show();
    for (QPushButton* button : {dlg.PrSetupBt, dlg.VarBt, dlg.PrintBt}) {
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    }
    // And the next print goes out.
    PrintToThePdfFile();
    dlg.PrintBt->click();
    EXPECT_EQ(jobs, 2);
    EXPECT_EQ(PdfPages(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ViaDrvRefusalTest,
    ::testing::Values(RefusalCase{"FileThatCantBeMade",
                                  [](QPrinter& printer, const std::filesystem::path& folder) {
                                      printer.setOutputFormat(QPrinter::PdfFormat);
                                      printer.setOutputFileName(
                                          QString::fromStdString((folder / "gone" / "label.pdf").string()));
                                  }},
                      RefusalCase{"UnknownPrinter",
                                  [](QPrinter& printer, const std::filesystem::path&) {
                                      printer.setOutputFormat(QPrinter::NativeFormat);
                                      printer.setPrinterName("zk-no-such-printer");
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

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

TEST_F(ViaDrvDlgTest, PrintFromTheNewValuesGoesThroughTheDriver)
{
    test::AddTextAndBarcode();
    Define(Counters[1], "Count", "10", 1);
    std::string cellAfterPrint;
    test::WhenModalShows([&cellAfterPrint](QWidget* modal) {
        auto* grid = modal->findChild<QTableWidget*>("VarGrid");
        grid->item(0, 1)->setText("40");
        modal->findChild<QPushButton*>("PrintBt")->click();
        cellAfterPrint = grid->item(0, 1)->text().toStdString();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    dlg.show();
    dlg.CopiesUD->setValue(2);
    dlg.VarBt->click();
    EXPECT_EQ(DriverPrintMode, 1);
    EXPECT_EQ(TestPrintMode, 1);
    EXPECT_EQ(jobs, 1);
    EXPECT_EQ(PdfPages(), 2);
    EXPECT_EQ(Counters[1].Value, "41");
    EXPECT_EQ(cellAfterPrint, "41");
}

}  // namespace
}  // namespace zk
