// A drag on the canvas while the label is replaced under it: a label handed
// over by a later start waits for the release, and whatever else replaces
// the label (an open, a new label, a form read back from the printer) ends
// the drag, which then touches nothing of the new label. Built to run under
// AddressSanitizer: a drag that kept the old label's figure would read and
// write freed memory.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/config/configuration.h"
#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file.h"
#include "engine/labelfile/label_writer.h"
#include "engine/link/serial_link.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "tests/support/printer_emulator.h"
#include "tests/support/printer_memory.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/files_dlg.h"
#include "ui/editing/editor_state.h"
#include "ui/editor_hooks.h"
#include "ui/label_canvas.h"
#include "ui/single_instance.h"

namespace zk::test {
namespace {

// The bar every label of these tests has, old and new alike, so that a
// drag that went on with the new label would find a figure to work on.
constexpr TBarFigure TheBar{10, 10, 40, 20, 0};

struct DragCase {
    const char* name;
    const char* tool;  // menu item choosing a drawing tool, or nullptr for selection
    QPoint press;
};

const DragCase Drags[] = {
    {"Resize", nullptr, {50, 30}},  // the bar's bottom right corner
    {"Move", nullptr, {30, 20}},    // inside the bar
    {"Band", nullptr, {200, 100}},  // an empty place
    {"Draw", "RectangleM", {200, 100}},
};
constexpr QPoint DragBy{15, 12};

void PrintTo(const DragCase& row, std::ostream* out) { *out << row.name; }

// A bar's place, size and flags; every figure of these labels is a bar.
struct Shape {
    int x, y, width, height;
    std::uint8_t flags;
    friend bool operator==(const Shape&, const Shape&) = default;
};
constexpr Shape TheBarUnselected{TheBar.X, TheBar.Y, TheBar.Width, TheBar.Height, 0};

std::vector<Shape> Shapes()
{
    std::vector<Shape> shapes;
    for (const TFigure* figure : Figures()) {
        const TBarFigure& bar = figure->Bar();
        shapes.push_back({bar.X, bar.Y, bar.Width, bar.Height, figure->Flags});
    }
    return shapes;
}

class LabelReplacedDuringDragTest : public MainWindowTest {
protected:
    LabelReplacedDuringDragTest()
    {
        LinkTimeouts.ReplySilenceMs = 300;
        LinkTimeouts.WriteTimeoutMs = 200;
    }

    // The started window showing a label with the bar, grid off.
    void Start()
    {
        TZKedit& w = StartWindow();
        canvas = w.Label();
        ProgramPaths.SerialPortList = {printer.SlavePath()};
        Settings.Port = 0;
        Settings.ShowGrid = 0;
        LabelSetup.LeftMargin = 0;
        LabelSetup.TopMargin = 0;
        ASSERT_EQ(AppendFigure(TheBar), 0);
        RedrawLabel(RedrawEditor);
        EditingHooks.DrawFigure = [this](std::uint8_t tool, TPoint, TPoint) { drawnTools.push_back(tool); };
    }

    // A label file holding the bar.
    std::string WriteLabelWithTheBar()
    {
        const std::vector<Shape> current = Shapes();
        ClearFigureList();
        EXPECT_EQ(AppendFigure(TheBar), 0);
        const auto bytes = EncodeLabelFile();
        const std::string path = (TempDir() / "new.zlb").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ClearFigureList();
        for (const Shape& shape : current) {
            const TBarFigure bar{static_cast<std::int16_t>(shape.x), static_cast<std::int16_t>(shape.y),
                                 static_cast<std::int16_t>(shape.width), static_cast<std::int16_t>(shape.height), 0};
            EXPECT_EQ(AppendFigure(bar), 0);
            FigureList.FigureTail->Flags = shape.flags;
        }
        return path;
    }

    void PressFor(const DragCase& drag)
    {
        if (drag.tool != nullptr) {
            window->MenuItem(drag.tool)->trigger();
        }
        QTest::mousePress(canvas, Qt::LeftButton, {}, drag.press);
    }
    void MoveAndRelease(const DragCase& drag)
    {
        QTest::mouseMove(canvas, drag.press + DragBy / 2);
        QTest::mouseMove(canvas, drag.press + DragBy);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, drag.press + DragBy);
    }

    static bool DragUnderWay()
    {
        const TEditorState& s = EditorState;
        return s.Drawing != 0 || s.Moving != 0 || s.RubberBand != 0 || s.ResizeHandle != 0;
    }

    // The canvas shows the label image and nothing else: no frame of a
    // drag is left on it.
    bool CanvasShowsTheLabel() const
    {
        const TLabelImage& shown = canvas->Image();
        if (shown.Width() != LabelImage.Width() || shown.Height() != LabelImage.Height()) {
            return false;
        }
        for (int y = 0; y < shown.Height(); ++y) {
            for (int x = 0; x < shown.Width(); ++x) {
                if (shown.Pixel(x, y) != LabelImage.Pixel(x, y)) {
                    ADD_FAILURE() << "pixel " << x << "," << y;
                    return false;
                }
            }
        }
        return true;
    }

    PrinterEmulator printer;
    PrinterMemory memory{printer};
    TLabelCanvas* canvas = nullptr;
    std::vector<int> drawnTools;
};

// The hand-over: a later start's label opens once the drag is over, and
// the drag ends on the label it began on.
class HandOverDuringDragTest : public LabelReplacedDuringDragTest,
                               public ::testing::WithParamInterface<DragCase> {
protected:
    HandOverDuringDragTest() : serverName(QString::fromStdString((TempDir() / "handover").string())) {}
    ~HandOverDuringDragTest() override
    {
        window.reset();
        server.reset();
    }

    const QString serverName;
    std::optional<THandOverServer> server;
};

TEST_P(HandOverDuringDragTest, TheLabelOpensAfterTheRelease)
{
    server.emplace();
    ASSERT_TRUE(server->Listen(serverName));
    HandOverServer = &*server;
    Start();
    const std::string handedOver = WriteLabelWithTheBar();
    // What the editor held when the handed-over label came to be opened.
    std::optional<std::vector<Shape>> before;
    std::vector<int> drawnBefore;
    EditorHooks.LoadLabelFile = [&](const std::string& path) {
        before = Shapes();
        drawnBefore = drawnTools;
        LoadLabelFile(path);
    };

    PressFor(GetParam());
    ASSERT_TRUE(HandOverToRunningInstance(serverName, handedOver));
    ASSERT_TRUE(QTest::qWaitFor([&] { return before || !server->Pending().empty(); }));
    EXPECT_FALSE(before) << "opened in the middle of the drag";
    MoveAndRelease(GetParam());
    ASSERT_TRUE(QTest::qWaitFor([&] { return before.has_value(); }));

    // The drag was applied to the label it began on.
    ASSERT_EQ(before->size(), 1u);
    const Shape& bar = before->front();
    const std::string name = GetParam().name;
    if (name == "Resize") {
        EXPECT_EQ(bar.width, TheBar.Width + DragBy.x());
        EXPECT_EQ(bar.height, TheBar.Height + DragBy.y());
    } else if (name == "Move") {
        EXPECT_EQ(bar.x, TheBar.X + DragBy.x());
        EXPECT_EQ(bar.y, TheBar.Y + DragBy.y());
    } else {
        EXPECT_EQ(bar.x, TheBar.X);
        EXPECT_EQ(bar.width, TheBar.Width);
    }
    EXPECT_EQ(drawnBefore, name == "Draw" ? std::vector<int>{2} : std::vector<int>{});
    // And the handed-over label is what the editor shows now.
    EXPECT_EQ(Shapes(), std::vector<Shape>{TheBarUnselected});
    EXPECT_TRUE(server->Pending().empty());
    EXPECT_TRUE(CanvasShowsTheLabel());
}

// A modal window that opens in the middle of a drag takes the release;
// the next move over the canvas, with the button up, ends the drag as the
// release would, and the label waiting for it opens.
TEST_P(HandOverDuringDragTest, ADragWhoseReleaseWentElsewhereEndsAtTheNextMove)
{
    server.emplace();
    ASSERT_TRUE(server->Listen(serverName));
    HandOverServer = &*server;
    Start();
    const std::string handedOver = WriteLabelWithTheBar();
    bool opened = false;
    EditorHooks.LoadLabelFile = [&opened](const std::string& path) {
        opened = true;
        LoadLabelFile(path);
    };

    PressFor(GetParam());
    ASSERT_TRUE(HandOverToRunningInstance(serverName, handedOver));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server->Pending().empty(); }));
    test::WhenModalShows([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    window->MenuItem("AlignM")->trigger();
    const QPoint at = GetParam().press + DragBy;
    QMouseEvent buttonUp(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &buttonUp);

    EXPECT_FALSE(DragUnderWay());
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened; }));
    EXPECT_TRUE(CanvasShowsTheLabel());
    // QTest's own record of the button.
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, at);
}

INSTANTIATE_TEST_SUITE_P(Drags, HandOverDuringDragTest, ::testing::ValuesIn(Drags),
                         [](const auto& info) { return std::string(info.param.name); });

// Everything else that replaces the label in the middle of a drag.
struct ReplaceCase {
    const char* name;
    void (*replace)(LabelReplacedDuringDragTest& test, const std::string& labelFile);
};

void PrintTo(const ReplaceCase& row, std::ostream* out) { *out << row.name; }

const ReplaceCase Replacements[] = {
    {"Open", [](LabelReplacedDuringDragTest&, const std::string& file) { LoadLabelFile(file); }},
    {"NewLabelFromTheMenu",
     [](LabelReplacedDuringDragTest&, const std::string&) { ZKedit->MenuItem("NewLabelM")->trigger(); }},
    {"NewLabelFromTheFilesPanel", [](LabelReplacedDuringDragTest&, const std::string&) { FilesDlg->NewLabelBtClick(); }},
    {"FormReadBack", [](LabelReplacedDuringDragTest&, const std::string&) { LoadFormFromPrinter("SHIP"); }},
};

class ReplacedDuringDragTest : public LabelReplacedDuringDragTest,
                               public ::testing::WithParamInterface<std::tuple<ReplaceCase, DragCase>> {};

TEST_P(ReplacedDuringDragTest, TheDragEndsAndLeavesTheNewLabelAlone)
{
    const auto& [replacement, drag] = GetParam();
    memory.StoreForm("SHIP", {"N", "q608", "LO10,10,40,20", "P1"});
    Start();
    const std::string labelFile = WriteLabelWithTheBar();

    PressFor(drag);
    replacement.replace(*this, labelFile);
    const std::vector<Shape> replaced = Shapes();
    if (std::string(replacement.name).starts_with("NewLabel")) {
        EXPECT_TRUE(replaced.empty());
    } else {
        EXPECT_EQ(replaced, std::vector<Shape>{TheBarUnselected});
    }
    MoveAndRelease(drag);

    EXPECT_FALSE(DragUnderWay());
    EXPECT_EQ(EditorState.DrawingTool, SelectionTool);
    EXPECT_TRUE(drawnTools.empty()) << "a figure dialog opened for the new label";
    EXPECT_EQ(Shapes(), replaced);
    EXPECT_TRUE(CanvasShowsTheLabel());
}

INSTANTIATE_TEST_SUITE_P(Replacements, ReplacedDuringDragTest,
                         ::testing::Combine(::testing::ValuesIn(Replacements), ::testing::ValuesIn(Drags)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "During" +
                                    std::get<1>(info.param).name;
                         });

}  // namespace
}  // namespace zk::test
