#include "ui/editing/figure_commands.h"

#include <gtest/gtest.h>

#include "engine/model/payload_codec.h"
#include "tests/ui/editing/editor_fixture.h"

namespace zk {
namespace {

class FigureCommandsTest : public test::EditorTest {
protected:
    static void CheckLinks()
    {
        const TFigure* prev = nullptr;
        for (const TFigure* f = FigureList.FigureHead; f != nullptr; f = f->Next) {
            EXPECT_EQ(f->Prev, prev);
            prev = f;
        }
        EXPECT_EQ(FigureList.FigureTail, prev);
    }
    static std::vector<int> BarXs()
    {
        std::vector<int> xs;
        for (const TFigure* f : Figures()) {
            xs.push_back(f->Bar().X);
        }
        return xs;
    }
};

TEST_F(FigureCommandsTest, MoveSelectedMovesEveryKindAndSaturates)
{
    TTextFigure text;
    text.X = 1;
    text.Y = 2;
    TFigure* t = Add(text, FigureFlag::Selected);
    TFigure* line = Add(Line(10, 20, 30, 40), FigureFlag::Selected);
    TFigure* box = Add(Box(-10, -20, 32760, 5), FigureFlag::Selected);
    TFigure* high = Add(Bar(32760, -32760, 5, 5), FigureFlag::Selected);
    TFigure* still = Add(Bar(0, 0, 5, 5));
    TFigure* font = Add(SoftFont("A", 20), FigureFlag::Selected);
    const auto fontBytes = EncodePayload(font->Payload);

    MoveSelected(20, -20);
    EXPECT_EQ(t->Text().X, 21);
    EXPECT_EQ(t->Text().Y, -18);
    EXPECT_EQ(EncodePayload(line->Payload), EncodePayload(TLineFigure{30, 0, 50, 20, 2, 0}));
    EXPECT_EQ(EncodePayload(box->Payload), EncodePayload(TBoxFigure{10, -40, 32767, -15, 2}));
    EXPECT_EQ(high->Bar().X, 32767);
    EXPECT_EQ(high->Bar().Y, -32768);
    EXPECT_EQ(still->Bar().X, 0);
    EXPECT_EQ(EncodePayload(font->Payload), fontBytes);
}

TEST_F(FigureCommandsTest, CopyMarksTheSelectionAndSaysWhetherThereIsALabel)
{
    EXPECT_FALSE(MarkFiguresForPaste());
    TFigure* font = Add(SoftFont("A", 20), FigureFlag::Selected);
    EXPECT_FALSE(MarkFiguresForPaste());
    EXPECT_EQ(font->PasteMark, 0);
    TFigure* selected = Add(Bar(0, 0, 5, 5), FigureFlag::Selected);
    TFigure* other = Add(Bar(9, 0, 5, 5));
    other->PasteMark = 1;
    EXPECT_TRUE(MarkFiguresForPaste());
    EXPECT_EQ(selected->PasteMark, 1);
    EXPECT_EQ(other->PasteMark, 0);
}

TEST_F(FigureCommandsTest, PasteTwiceLeavesTwoCopiesAndMovesTheOriginals48)
{
    TFigure* bar = Add(Bar(10, 20, 5, 5), FigureFlag::Selected);
    TPictureFigure picture;
    picture.X = 100;
    picture.Name = "LOGO";
    picture.Data = std::make_shared<TPictureData>();
    picture.Data->RefCount = 1;
    TFigure* pict = Add(picture, FigureFlag::Selected);
    TPdf417Figure pdf;
    pdf.X = 200;
    pdf.Data = "\"SECRET\"";
    TFigure* symbol = Add(pdf, FigureFlag::Selected);
    TFigure* unmarked = Add(Bar(300, 0, 5, 5));
    ASSERT_TRUE(MarkFiguresForPaste());

    PasteFigures();
    PasteFigures();

    ASSERT_EQ(CountFigures(), 10u);
    CheckLinks();
    const std::vector<const TFigure*> nodes = Nodes();
    // Each paste puts its copies at the head: the second paste's in front.
    const TFigure* copies[2][3] = {{nodes[5], nodes[4], nodes[3]}, {nodes[2], nodes[1], nodes[0]}};
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const std::int16_t offset = static_cast<std::int16_t>(24 * round);
        EXPECT_EQ(copies[round][0]->Bar().X, 10 + offset);
        EXPECT_EQ(copies[round][0]->Bar().Y, 20 + offset);
        EXPECT_EQ(copies[round][1]->Picture().X, 100 + offset);
        EXPECT_EQ(copies[round][1]->Picture().Data, pict->Picture().Data);
        EXPECT_EQ(copies[round][2]->Pdf417().X, 200 + offset);
        EXPECT_EQ(copies[round][2]->Pdf417().Data, "\"SECRET\"");
        for (const TFigure* copy : copies[round]) {
            EXPECT_EQ(copy->Flags, 0);
            EXPECT_EQ(copy->PasteMark, 0);
        }
    }
    EXPECT_EQ(nodes[6], bar);
    EXPECT_EQ(bar->Bar().X, 58);
    EXPECT_EQ(bar->Bar().Y, 68);
    EXPECT_EQ(pict->Picture().X, 148);
    EXPECT_EQ(symbol->Pdf417().X, 248);
    EXPECT_EQ(pict->Picture().Data->RefCount, 3u);
    for (const TFigure* original : {bar, pict, symbol}) {
        EXPECT_TRUE(original->IsSelected());
        EXPECT_EQ(original->PasteMark, 1);
    }
    EXPECT_EQ(unmarked->Bar().X, 300);
    EXPECT_EQ(redraws, 2);

    // Every PDF417 figure owns its text: changing one leaves the copies.
    symbol->Pdf417().Data = "\"OTHER\"";
    EXPECT_EQ(copies[1][2]->Pdf417().Data, "\"SECRET\"");
    // Deleting the original picture leaves the block to its two copies.
    DeleteFigure(pict);
    EXPECT_EQ(copies[1][1]->Picture().Data->RefCount, 2u);
}

TEST_F(FigureCommandsTest, PasteSaturatesAtTheFieldLimits)
{
    Add(Bar(32750, -5, 5, 5), FigureFlag::Selected);
    Add(Line(32760, 0, 32767, 32767), FigureFlag::Selected);
    Add(SoftFont("A", 20))->PasteMark = 1;
    MarkFiguresForPaste();
    PasteFigures();
    ASSERT_EQ(CountFigures(), 5u);
    const TFigure* bar = Nodes()[2];
    EXPECT_EQ(bar->Bar().X, 32767);
    EXPECT_EQ(bar->Bar().Y, 19);
    const TFigure* line = Nodes()[3];
    EXPECT_EQ(EncodePayload(line->Payload), EncodePayload(TLineFigure{32767, 24, 32767, 32767, 2, 0}));
}

// Paste adds all its copies or none: the label never holds more figures
// than it can save.
TEST_F(FigureCommandsTest, PastePastTheFigureLimitIsRefusedWhole)
{
    for (std::int16_t x = 0; x < 250; ++x) {
        Add(Bar(x, 0, 5, 5), FigureFlag::Selected);
    }
    ASSERT_TRUE(MarkFiguresForPaste());
    PasteFigures();
    ASSERT_EQ(CountFigures(), 500u);
    EXPECT_TRUE(ui.messageBoxes.empty());
    const std::vector<int> before = BarXs();

    PasteFigures();
    EXPECT_EQ(CountFigures(), 500u);
    EXPECT_EQ(BarXs(), before);  // the marked figures did not move either
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[0].text, "Label can't hold more than 500 figures");
    EXPECT_EQ(redraws, 1);
    CheckLinks();
}

TEST_F(FigureCommandsTest, DeleteWithNothingSelectedReports)
{
    Add(Bar(0, 0, 5, 5));
    Add(SoftFont("A", 20), FigureFlag::Selected);
    DeleteSelected();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[0].text, "Nothing is selected");
    EXPECT_FALSE(ui.messageBoxes[0].yesNo);
    EXPECT_EQ(CountFigures(), 2u);
}

TEST_F(FigureCommandsTest, DeleteAsksAndNoChangesNothing)
{
    for (std::int16_t x = 0; x < 4; ++x) {
        Add(Bar(x, 0, 5, 5), x == 2 ? 0 : FigureFlag::Selected);
    }
    Add(SoftFont("A", 20), FigureFlag::Selected);
    DeleteSelected();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Delete 3 objects");
    EXPECT_EQ(ui.messageBoxes[0].text, "Are you sure ?");
    EXPECT_TRUE(ui.messageBoxes[0].yesNo);
    EXPECT_EQ(CountFigures(), 5u);
    EXPECT_EQ(redraws, 0);
}

TEST_F(FigureCommandsTest, DeleteOnYesRemovesTheSelectedFigures)
{
    int fontListFills = 0;
    EditingHooks.FillFontList = [&] { ++fontListFills; };
    for (std::int16_t x = 0; x < 4; ++x) {
        Add(Bar(x, 0, 5, 5), x == 2 ? 0 : FigureFlag::Selected);
    }
    TFigure* font = Add(SoftFont("A", 20), FigureFlag::Selected);
    ui.answers = {1};
    DeleteSelected();
    ASSERT_EQ(CountFigures(), 2u);
    EXPECT_EQ(FigureList.FigureHead->Bar().X, 2);
    EXPECT_EQ(FigureList.FigureTail, font);
    CheckLinks();
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(fontListFills, 1);
}

TEST_F(FigureCommandsTest, SingleSelectionCheck)
{
    struct Case {
        const char* name;
        std::uint8_t mask;
        bool result;
        const char* message;
    };
    const Case cases[] = {
        {"none", 0b000, false, "Nothing is selected"},
        {"one", 0b010, true, nullptr},
        {"two", 0b011, false, "Too many objects selected"},
        {"three", 0b111, false, "Too many objects selected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        ui.messageBoxes.clear();
        for (int i = 0; i < 3; ++i) {
            Add(Bar(0, 0, 1, 1), (c.mask >> i) & 1 ? FigureFlag::Selected : 0);
        }
        EXPECT_EQ(CheckSingleSelection(), c.result);
        if (c.message == nullptr) {
            EXPECT_TRUE(ui.messageBoxes.empty());
        } else {
            ASSERT_EQ(ui.messageBoxes.size(), 1u);
            EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
            EXPECT_EQ(ui.messageBoxes[0].text, c.message);
        }
    }
}

TEST_F(FigureCommandsTest, ZOrderMoves)
{
    struct Case {
        const char* name;
        bool toTop;
        int selected;  // index of the selected bar, -1 for two selected
        std::vector<int> order;
        int redraws;
    };
    const Case cases[] = {
        {"middle to top", true, 1, {0, 2, 1}, 1},
        {"head to top", true, 0, {1, 2, 0}, 1},
        {"already on top", true, 2, {0, 1, 2}, 0},
        {"middle to bottom", false, 1, {1, 0, 2}, 1},
        {"tail to bottom", false, 2, {2, 0, 1}, 1},
        {"already at the bottom", false, 0, {0, 1, 2}, 0},
        {"two selected", true, -1, {0, 1, 2}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        redraws = 0;
        for (std::int16_t x = 0; x < 3; ++x) {
            const bool selected = c.selected < 0 ? x < 2 : x == c.selected;
            Add(Bar(x, 0, 1, 1), selected ? FigureFlag::Selected : 0);
        }
        if (c.toTop) {
            MoveSelectedToTop();
        } else {
            MoveSelectedToBottom();
        }
        EXPECT_EQ(BarXs(), c.order);
        CheckLinks();
        EXPECT_EQ(redraws, c.redraws);
    }
}

TEST_F(FigureCommandsTest, ZOrderMoveOfTheOnlyFigure)
{
    Add(Bar(0, 0, 1, 1), FigureFlag::Selected);
    MoveSelectedToTop();
    MoveSelectedToBottom();
    EXPECT_EQ(CountFigures(), 1u);
    CheckLinks();
}

}  // namespace
}  // namespace zk
