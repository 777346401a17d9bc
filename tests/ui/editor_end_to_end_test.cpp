// The editor used as a user would use it: every figure kind drawn with the
// toolbar or the Draw menu and a drag on the canvas, each dialog filled in
// and accepted, a figure edited with a right click, figures moved by
// dragging, the label saved, cleared, reopened and printed to the printer
// emulator, whose command lines show what the user made.

#include <gtest/gtest.h>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/labelfile/label_file.h"
#include "engine/link/serial_link.h"
#include "engine/model/figure_list.h"
#include "engine/print/printing.h"
#include "engine/render/label_image.h"
#include "tests/support/printer_emulator.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/label_canvas.h"
#include "ui/toolbar.h"

namespace zk
{
namespace
{

// A monochrome PCX file of 16 x 16 dots: a frame around a white inside.
std::vector<char> MakeLogoPcx()
{
    constexpr int side = 16;
    constexpr int bytesPerLine = 2;
    std::vector<char> file(128, 0);
    file[0] = 10;         // manufacturer
    file[1] = 5;          // version
    file[2] = 1;          // run-length encoding
    file[3] = 1;          // bits per pixel
    file[8] = side - 1;   // Xmax
    file[10] = side - 1;  // Ymax
    file[65] = 1;         // planes
    file[66] = bytesPerLine;
    for (int row = 0; row < side; ++row) {
        const bool edge = row == 0 || row == side - 1;
        // Bytes below 0xC0 stand for themselves in the run-length code.
        file.push_back(static_cast<char>(edge ? 0x00 : 0x7F));
        file.push_back(static_cast<char>(edge ? 0x00 : 0xFE));
    }
    return file;
}

void SetField(QWidget* dialog, const char* name, const QString& text)
{
    auto* edit = dialog->findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->clear();
    QTest::keyClicks(edit, text);
}

void ChooseItem(QWidget* dialog, const char* name, int index)
{
    auto* box = dialog->findChild<QComboBox*>(name);
    ASSERT_NE(box, nullptr) << name;
    box->setCurrentIndex(index);
}

void ClickButton(QWidget* dialog, const char* name)
{
    auto* button = dialog->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

class EditorEndToEndTest : public test::MainWindowTest
{
protected:
    // The window with its toolbar, started as the program starts it.
    TZKedit& Start()
    {
        TZKedit& w = MakeWindow();
        toolbar = new TZKToolbar(w);  // owned by the window
        window->show();
        auto* timer = w.findChild<QTimer*>("StartTimer");
        EXPECT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }));
        canvas = w.Label();
        return w;
    }

    void ClickTool(const char* name)
    {
        auto* button = toolbar->findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // A left-button drag on the canvas; a drawing tool's dialog opens at
    // the release and is answered by whatever the test scheduled.
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, (from + to) / 2);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
    }

    void RightClick(QPoint at)
    {
        QTest::mousePress(canvas, Qt::RightButton, {}, at);
        QTest::mouseRelease(canvas, Qt::RightButton, {}, at);
    }

    // Answers the figure dialog of that name: fill runs on it, then OK.
    static void AcceptDialog(const char* name, std::function<void(QWidget*)> fill)
    {
        test::WhenModalNamed(name, [fill = std::move(fill)](QWidget* dialog) {
            fill(dialog);
            ClickButton(dialog, "OkBt");
        });
    }

    // The command lines received up to the one that prints the label.
    static std::vector<std::string> LinesUpToPrintCommand(const test::PrinterEmulator& printer)
    {
        for (std::size_t count = 1; printer.WaitForLines(count); ++count) {
            const std::vector<std::string> lines = printer.Lines();
            if (lines.size() >= count && lines[count - 1] == "P1") {
                return std::vector<std::string>(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(count));
            }
        }
        ADD_FAILURE() << "the print command never came: " << printer.Received();
        return {};
    }

    std::string WriteLogo() const
    {
        const std::string path = (TempDir() / "logo.pcx").string();
        const std::vector<char> pcx = MakeLogoPcx();
        std::ofstream(path, std::ios::binary).write(pcx.data(), static_cast<std::streamsize>(pcx.size()));
        return path;
    }

    TZKToolbar* toolbar = nullptr;
    TLabelCanvas* canvas = nullptr;
};

TEST_F(EditorEndToEndTest, DrawEditMoveSaveReopenAndPrintEveryFigureKind)
{
    TZKedit& w = Start();
    const std::string logo = WriteLogo();

    ClickTool("TextBt");
    AcceptDialog("TextDlg", [](QWidget* d) { SetField(d, "TextData", "\"HELLO\""); });
    Drag({10, 10}, {12, 11});
    ASSERT_EQ(CountFigures(), 1u);

    ClickTool("BarcBt");
    AcceptDialog("BarcodeDlg", [](QWidget* d) { SetField(d, "BHeight", "50"); });
    Drag({10, 40}, {10, 40});
    ASSERT_EQ(CountFigures(), 2u);

    ClickTool("RectBt");
    AcceptDialog("BarDlg", [](QWidget*) {});
    Drag({250, 10}, {310, 30});
    ASSERT_EQ(CountFigures(), 3u);

    ClickTool("LineBt");
    AcceptDialog("LineDlg", [](QWidget* d) { SetField(d, "LineThickness", "3"); });
    Drag({250, 50}, {310, 80});
    ASSERT_EQ(CountFigures(), 4u);

    ClickTool("BoxBt");
    AcceptDialog("BoxDlg", [](QWidget*) {});
    Drag({378, 60}, {320, 10});
    ASSERT_EQ(CountFigures(), 5u);

    ClickTool("PictBt");
    AcceptDialog("PictureDlg", [logo](QWidget* d) {
        test::WhenModalNamed("OpenPictDlg", [logo](QWidget* files) {
            auto* name = files->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromStdString(logo));
            static_cast<QDialog*>(files)->accept();  // QFileDialog::accept checks the choice
        });
        ClickButton(d, "LoadBt");
        SetField(d, "PictName", "logo");
    });
    Drag({330, 100}, {331, 100});
    ASSERT_EQ(CountFigures(), 6u);
    EXPECT_EQ(FigureList.FigureTail->Picture().Width, 16);

    w.MenuItem("Pdf417M")->trigger();
    AcceptDialog("Pdf417Dlg", [](QWidget* d) { SetField(d, "DataStr", "\"End to end\""); });
    Drag({10, 130}, {200, 190});
    ASSERT_EQ(CountFigures(), 7u);

    // Edited through its dialog: bigger and with new data.
    AcceptDialog("TextDlg", [](QWidget* d) {
        ChooseItem(d, "SizeX", 1);
        SetField(d, "TextData", "\"EDITED\"");
    });
    RightClick({20, 18});

    // The bar goes down by 100 dots, the picture by 40.
    Drag({280, 20}, {280, 120});
    Drag({338, 108}, {338, 148});

    const std::string saved = (TempDir() / "everything.zlb").string();
    ui.saveFileChoices = {saved};
    w.MenuItem("SaveAsLabelM")->trigger();
    ASSERT_TRUE(std::filesystem::exists(saved));

    w.MenuItem("NewLabelM")->trigger();
    EXPECT_EQ(CountFigures(), 0u);

    ASSERT_TRUE(LoadLabelFile(saved));
    ASSERT_EQ(CountFigures(), 7u);
    EXPECT_EQ(canvas->Picture().pixel(330, 140), Black);  // the reopened logo's frame is on the canvas

    test::PrinterEmulator printer;
    LinkTimeouts.ReplySilenceMs = 200;
    LinkTimeouts.WriteTimeoutMs = 100;
    ASSERT_TRUE(PrintLabel());
    const std::vector<std::string> lines = LinesUpToPrintCommand(printer);
    ASSERT_GE(lines.size(), 8u);
    const std::vector<std::string> figureLines(lines.end() - 8, lines.end());
    EXPECT_EQ(figureLines, (std::vector<std::string>{
                               "A10,10,0,3,2,1,N,\"EDITED\"",
                               "B10,40,0,E30,2,3,50,BC,\"123456789012\"",
                               "LO250,110,60,20",
                               "LS250,50,3,310,80",
                               "X320,10,4,378,60",
                               "GG330,140,\"LOGO\"",
                               "b10,130,P,190,60,r30,l16,\"End to end\"",
                               "P1",
                           }));
    EXPECT_TRUE(ui.messageBoxes.empty()) << ui.messageBoxes.front().text;
}

}  // namespace
}  // namespace zk
