// Listing, selecting and deleting printer objects over the emulator.

#include <gtest/gtest.h>

#include "engine/formread/variable_reply.h"
#include "engine/link/comm_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/variables.h"
#include "engine/report/reporting.h"
#include "tests/engine/memory/memory_fixture.h"

namespace zk {
namespace {

using ObjectListTest = test::MemoryExchangeTest;

TEST_F(ObjectListTest, StoreAsListIsFilledSortedForEachKind)
{
    memory.StoreForm("ZETA", {"N"});
    memory.StoreForm("ALPHA", {"N"});
    memory.StoreGraphics("LOGO", "x");
    memory.StoreFont("B", "x");
    StoreAsDlg.ObjName = "OLD";

    ASSERT_TRUE(ReceiveObjectList(ObjectKindCurrentLabel));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"ALPHA", "ZETA"}));
    EXPECT_EQ(StoreAsDlg.PresentMsg, "Existing forms:");
    EXPECT_TRUE(StoreAsDlg.ObjName.empty());
    EXPECT_EQ(PrinterObjectKind, ObjectKindCurrentLabel);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"busy:Receiving form list", "close"}));

    ASSERT_TRUE(ReceiveObjectList(ObjectKindGraphics));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"LOGO"}));
    EXPECT_EQ(StoreAsDlg.PresentMsg, "Existing graphics:");
    ASSERT_TRUE(ReceiveObjectList(ObjectKindFont));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"B"}));
    EXPECT_EQ(StoreAsDlg.PresentMsg, "Existing fonts:");
    EXPECT_EQ(PrinterObjectKind, ObjectKindFont);
    EXPECT_EQ(printer.Lines(), (std::vector<std::string>{"", "UF", "", "UG", "", "UE"}));
}

TEST_F(ObjectListTest, ObjectListCaptionCountsObjects)
{
    memory.StoreGraphics("ONE", std::string(100, 'g'));
    memory.StoreFont("A", std::string(30, 'f'));
    memory.StoreFont("B", std::string(20, 'f'));
    memory.StoreForm("F", {"A0", "B00"});  // 4 + 5 bytes with their line ends

    ASSERT_TRUE(ReceiveObjectListDialog(ObjectKindForm));
    EXPECT_EQ(ObjListDlg.Caption, "Form list - 1 object");
    EXPECT_EQ(ObjListDlg.MemInfo, "9 bytes , " + std::to_string(test::PrinterMemory::TotalBytes - 159) + " free");
    EXPECT_TRUE(ObjListDlg.EditBtVisible);

    ASSERT_TRUE(ReceiveObjectListDialog(ObjectKindGraphics));
    EXPECT_EQ(ObjListDlg.Caption, "Graphics list - 1 object");
    EXPECT_TRUE(ObjListDlg.MemInfo.starts_with("100 bytes , "));
    EXPECT_FALSE(ObjListDlg.EditBtVisible);

    ASSERT_TRUE(ReceiveObjectListDialog(ObjectKindFont));
    EXPECT_EQ(ObjListDlg.Caption, "Font list - 2 objects");
    EXPECT_EQ(ObjListDlg.FList.Items, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(PrinterObjectKind, ObjectKindFont);
}

TEST_F(ObjectListTest, AnEmptyListIsPlural)
{
    ASSERT_TRUE(ReceiveObjectListDialog(ObjectKindGraphics));
    EXPECT_EQ(ObjListDlg.Caption, "Graphics list - 0 objects");
    EXPECT_TRUE(ObjListDlg.FList.Items.empty());
}

TEST_F(ObjectListTest, SilenceFailsTheListAndReports)
{
    printer.SetSilent(true);
    PrinterObjectKind = ObjectKindGraphics;
    EXPECT_FALSE(ReceiveObjectListDialog(ObjectKindForm));
    EXPECT_FALSE(ReceiveObjectList(ObjectKindForm));
    EXPECT_EQ(PrinterObjectKind, ObjectKindGraphics);
    EXPECT_TRUE(SawEvent("error:Error:No printer response"));
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(ObjectListTest, ACountWithoutItsNamesTimesOut)
{
    printer.ReplyTo("UF", "3\r\nONE\r\n");
    EXPECT_FALSE(ReceiveObjectList(ObjectKindForm));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"ONE"}));
}

TEST_F(ObjectListTest, DeleteSendsTheKindsCommandAndRefreshesTheList)
{
    memory.StoreForm("KEEP", {"N"});
    memory.StoreForm("GONE", {"N"});
    memory.StoreGraphics("PIC", "x");
    ASSERT_TRUE(ReceiveObjectListDialog(ObjectKindForm));

    ASSERT_TRUE(OpenPort());
    EXPECT_TRUE(DeleteObject("GONE"));
    ClosePort();
    EXPECT_EQ(ObjListDlg.FList.Items, (std::vector<std::string>{"KEEP"}));
    EXPECT_EQ(memory.Forms().size(), 1u);

    ASSERT_TRUE(ReceiveObjectListDialog(ObjectKindGraphics));
    ASSERT_TRUE(OpenPort());
    EXPECT_TRUE(DeleteObject("PIC"));
    ClosePort();
    EXPECT_TRUE(memory.Graphics().empty());
    const auto lines = printer.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "FK\"GONE\""), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "GK\"PIC\""), lines.end());
}

TEST_F(ObjectListTest, ActiveFormNameCaptionsThePrintDialog)
{
    memory.StoreForm("SHIP", {"N"});
    memory.SetActiveForm("SHIP");
    ReceiveActiveFormName();
    EXPECT_EQ(ActiveFormName.view(), "SHIP");
    EXPECT_EQ(PrintDialogCaption, "Print - SHIP");

    memory.SetActiveForm("");
    ReceiveActiveFormName();
    EXPECT_TRUE(ActiveFormName.empty());
    EXPECT_EQ(PrintDialogCaption, "Print");
}

TEST_F(ObjectListTest, SelectingAFormTakesItsVariables)
{
    memory.StoreForm("SHIP", {"V00,10,N,\"Name\"", "V05,04,R0,\"Qty\"", "C01,06,R0,+2,\"Serial\"", "A0,0,0,1,1,1,N,V00"});
    memory.SetValue("V00", "Bob");
    memory.SetValue("V05", "12");
    memory.SetValue("C01", "000100");
    Variables[9].Defined = 1;
    StoreAsDlg.ObjName = "SHIP";

    SelectFormAndReceiveVariables();
    EXPECT_EQ(memory.ActiveForm(), "SHIP");
    EXPECT_EQ(ActiveFormName.view(), "SHIP");
    EXPECT_EQ(Variables[0].Value.view(), "Bob");
    EXPECT_EQ(Variables[0].Prompt.view(), "Name");
    EXPECT_EQ(Variables[5].Justification, 3);
    EXPECT_EQ(Variables[5].PadChar, '0');
    EXPECT_EQ(Variables[9].Defined, 0);
    EXPECT_EQ(Counters[1].Step, 2);
    EXPECT_EQ(Counters[1].Value.view(), "000100");
    EXPECT_EQ(StatusBoxEnabled, 1);
    // One busy window, retitled, closed once.
    EXPECT_EQ(ui.events, (std::vector<std::string>{"busy:Receiving active form name", "pause:50",
                                                   "text:Receiving active form name", "text:Receiving variables",
                                                   "close"}));
}

TEST_F(ObjectListTest, VariablesForTheDialogLeaveTheLabelAlone)
{
    memory.StoreForm("F", {"V01,10,N,\"Name\""});
    memory.SetActiveForm("F");
    memory.SetValue("V01", "x");
    EXPECT_EQ(ReceiveVariables(VariablesTargetDialog), 1);
    EXPECT_EQ(VarCntDialogVariables[1].Value.view(), "x");
    EXPECT_EQ(Variables[1].Defined, 0);
}

TEST_F(ObjectListTest, VariablesThatTimeOutLeaveTheTablesUnchanged)
{
    Variables[3].Defined = 1;
    Variables[3].Value = "keep";
    printer.SetSilent(true);
    EXPECT_EQ(ReceiveVariables(VariablesTargetLabel), 0);
    EXPECT_EQ(Variables[3].Defined, 1);
    EXPECT_EQ(Variables[3].Value.view(), "keep");
}

TEST_F(ObjectListTest, VariablesEndAtTheFirstOtherLine)
{
    printer.ReplyTo("VI", "V00,05,N ,\"A\",\"1\"\r\nC00,03,N ,+1,\"B\",\"2\"\r\nOK\r\nV01,05,N ,\"late\",\"3\"\r\n");
    EXPECT_EQ(ReceiveVariables(VariablesTargetLabel), 2);
    EXPECT_EQ(Variables[0].Value.view(), "1");
    EXPECT_EQ(Counters[0].Value.view(), "2");
    EXPECT_EQ(Variables[1].Defined, 0);
}

// A printer that sends variable lines without end: the reply is taken as
// far as a line per variable and counter, and the rest read within bounds.
TEST_F(ObjectListTest, VariablesThatNeverEndAreReadAsFarAsTheTablesHold)
{
    LinkTimeouts.ReplyDrainMs = 200;
    printer.OnCommand("VI", [](test::PrinterEmulator& p, const std::string&) {
        p.SendWhileTaken([] { return std::string("V07,05,N ,\"A\",\"1\"\r\n"); });
    });
    EXPECT_EQ(ReceiveVariables(VariablesTargetLabel), static_cast<int>(VariableCount + CounterCount));
    EXPECT_EQ(Variables[7].Value.view(), "1");
    EXPECT_EQ(CommLink.PortHandle, -1);
}

// Reply lines as long as their buffers hold come whole; a longer name or
// variable line is left out, and the lines after it are read in step.
TEST_F(ObjectListTest, LinesAsLongAsTheirBuffersComeWholeLongerOnesAreLeftOut)
{
    const std::string name31(31, 'N');
    printer.ReplyTo("UF", "3\r\n" + name31 + "\r\n" + name31 + "X\r\nSHORT\r\n");
    ASSERT_TRUE(ReceiveObjectList(ObjectKindForm));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{name31, "SHORT"}));

    const std::string form15(15, 'F');
    for (const auto& [reply, name] : std::vector<std::pair<std::string, std::string>>{
             {form15, form15}, {form15 + "X", ""}, {"SHIP", "SHIP"}}) {
        printer.ReplyTo("FA", reply + "\r\n");
        ReceiveActiveFormName();
        EXPECT_EQ(ActiveFormName.view(), name);
    }

    // 126 characters: "V00,05,N ," and the quoted prompt and value.
    const std::string value(61, 'v');
    const std::string full = "V00,05,N ,\"" + std::string(50, 'p') + "\",\"" + value + "\"";
    ASSERT_EQ(full.size(), 126u);
    const std::string over = "V01,05,N ,\"" + std::string(51, 'p') + "\",\"" + value + "\"";
    printer.ReplyTo("VI", full + "\r\n" + over + "\r\nV02,05,N ,\"B\",\"2\"\r\n" + std::string(1, '\0'));
    EXPECT_EQ(ReceiveVariables(VariablesTargetLabel), 2);
    EXPECT_EQ(Variables[0].Value.view(), value);
    EXPECT_EQ(Variables[1].Defined, 0);
    EXPECT_EQ(Variables[2].Value.view(), "2");
}

}  // namespace
}  // namespace zk
