// A label stored in the printer (as the current label, or as a form file)
// and loaded back comes back with every field the form carries.

#include <gtest/gtest.h>

#include "engine/link/comm_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/payload_codec.h"
#include "engine/model/templates.h"
#include "engine/model/variables.h"
#include "engine/print/form_file.h"
#include "engine/report/reporting.h"
#include "tests/engine/memory/memory_fixture.h"

namespace zk {
namespace {

class FormRoundTripTest : public test::MemoryExchangeTest {
protected:
    FormRoundTripTest()
    {
        BuildLabel();
        for (TFigure* figure : Figures()) original.push_back(figure->Payload);
        originalVariables = Variables;
        originalCounters = Counters;
        originalSetup = LabelSetup;
    }

    static void BuildLabel()
    {
        TTextFigure resident;
        resident.X = 10;
        resident.Y = 20;
        resident.Font = 2;
        resident.HMult = 2;
        resident.VMult = 3;
        resident.Rotation = 1;
        resident.Attributes = 2 | TextAttr::ReverseDirection | TextAttr::UseEnglish;
        resident.Data = "\"Resident\" V00";
        AppendFigure(resident);
        TTextFigure softA;
        softA.X = -5;
        softA.Y = 40;
        softA.Font = 6;
        softA.Data = "\"In A\"";
        AppendFigure(softA);
        TTextFigure softB = softA;
        softB.Y = 80;
        softB.Font = 7;
        softB.Data = "C01";
        AppendFigure(softB);
        // A font the printer did not list when the form was read back last:
        // the text keeps the letter's code, and the letter.
        TTextFigure lacking = softA;
        lacking.Y = 120;
        lacking.Font = 'Q';
        AppendFigure(lacking);

        TBarcodeFigure barcode;
        barcode.X = 30;
        barcode.Y = 100;
        barcode.Type = 28;
        barcode.Narrow = 2;
        barcode.Wide = 5;
        barcode.Height = 80;
        barcode.HumanReadable = 3;
        barcode.Rotation = 2;
        barcode.Data = "\"123456789012\"";
        AppendFigure(barcode);
        AppendFigure(TBarFigure{1, 2, 300, 4, 1});
        AppendFigure(TLineFigure{5, 6, 200, 60, 3, 2});
        AppendFigure(TBoxFigure{7, 8, 350, 190, 4});

        auto rows = std::make_shared<TPictureData>();
        rows->RefCount = 2;
        rows->BytesPerLine = 3;
        rows->Rows = {0xC3, 0xF0, 0xC3, 0x0F};
        TPictureFigure picture;
        picture.X = 100;
        picture.Y = 10;
        picture.Width = 20;
        picture.Height = 2;
        picture.DataLength = static_cast<std::uint16_t>(rows->BlockLength());
        picture.Name = "LOGO";
        picture.Data = rows;
        AppendFigure(picture);
        picture.X = 200;
        AppendFigure(picture);

        TPdf417Figure pdf;
        pdf.X = 40;
        pdf.Y = 120;
        pdf.MaxWidth = 300;
        pdf.MaxHeight = 60;
        pdf.MaxCols = 10;
        pdf.MaxRows = 20;
        pdf.SecurityLevel = 4;
        pdf.Compaction = 1;
        pdf.Position = 0;
        pdf.ModuleWidth = 3;
        pdf.ModuleHeight = 15;
        pdf.Rotation = 1;
        pdf.Data = "\"PDF data\"";
        AppendFigure(pdf);

        for (const char* letter : {"A", "B"}) {
            TSoftFontFigure font;
            const std::string data = test::MakeFontData(letter, 3);
            font.Data = std::make_shared<TFontData>(TFontData{{data.begin(), data.end()}});
            font.CharCount = 1;
            font.Height = 3;
            font.DataLength = static_cast<std::int16_t>(data.size());
            font.Letter = letter;
            AppendFigure(font);
        }

        Variables[0].Defined = 1;
        Variables[0].Length = 12;
        Variables[0].Justification = 3;
        Variables[0].PadChar = '0';
        Variables[0].Prompt = "Weight \"kg\"";
        // The longest the variables dialog makes: 63 characters, a prompt
        // that fills its 27-character field.
        Variables[5].Defined = 1;
        Variables[5].Length = 63;
        Variables[5].PadChar = ' ';
        Variables[5].Prompt = "Net weight of each box \"kg\"";
        Counters[1].Defined = 1;
        Counters[1].Length = 6;
        Counters[1].Justification = 1;
        Counters[1].PadChar = ' ';
        Counters[1].Step = -2;
        Counters[1].Prompt = "Say \"hi\" \\";

        LabelSetup.Darkness = 11;
        LabelSetup.Speed = 2;
        LabelSetup.Language = 3;
        LabelSetup.Orientation = 1;
        LabelSetup.LabelLength = 400;
        LabelSetup.LabelGap = 16;
        LabelSetup.LabelOffset = -8;
        LabelSetup.PaperType = 2;
        LabelSetup.LabelWidth = 400;
        LabelSetup.NormalSpacing = 0;
        LabelSetup.DateFormat = "Y4-MN-DD";
        LabelSetup.TimeFormat = "H:M";
    }

    void ExpectSameLabel() const
    {
        std::vector<const TFigure*> loaded;
        for (const TFigure* figure : Figures()) loaded.push_back(figure);
        ASSERT_EQ(loaded.size(), original.size());
        for (std::size_t i = 0; i < original.size(); ++i) {
            SCOPED_TRACE(i);
            const TFigurePayload& was = original[i];
            const TFigurePayload& now = loaded[i]->Payload;
            ASSERT_EQ(KindOf(now), KindOf(was));
            EXPECT_EQ(EncodePayload(now), EncodePayload(was));
            if (const auto* picture = std::get_if<TPictureFigure>(&now)) {
                ASSERT_NE(picture->Data, nullptr);
                EXPECT_EQ(picture->Data->Rows, std::get<TPictureFigure>(was).Data->Rows);
                EXPECT_EQ(picture->Data->BytesPerLine, 3);
                EXPECT_EQ(picture->Data->RefCount, 2u);
            } else if (const auto* font = std::get_if<TSoftFontFigure>(&now)) {
                ASSERT_NE(font->Data, nullptr);
                EXPECT_EQ(font->Data->Bytes, std::get<TSoftFontFigure>(was).Data->Bytes);
            } else if (const auto* pdf = std::get_if<TPdf417Figure>(&now)) {
                EXPECT_EQ(pdf->Data, std::get<TPdf417Figure>(was).Data);
            }
        }
        // One block for both pictures.
        EXPECT_EQ(loaded[8]->Picture().Data, loaded[9]->Picture().Data);

        for (std::size_t i = 0; i < VariableCount; ++i) ExpectSameDefinition(Variables[i], originalVariables[i]);
        for (std::size_t i = 0; i < CounterCount; ++i) ExpectSameDefinition(Counters[i], originalCounters[i]);

        EXPECT_EQ(LabelSetup.Darkness, originalSetup.Darkness);
        EXPECT_EQ(LabelSetup.Speed, originalSetup.Speed);
        EXPECT_EQ(LabelSetup.Language, originalSetup.Language);
        EXPECT_EQ(LabelSetup.Orientation, originalSetup.Orientation);
        EXPECT_EQ(LabelSetup.LabelLength, originalSetup.LabelLength);
        EXPECT_EQ(LabelSetup.LabelGap, originalSetup.LabelGap);
        EXPECT_EQ(LabelSetup.LabelOffset, originalSetup.LabelOffset);
        EXPECT_EQ(LabelSetup.PaperType, originalSetup.PaperType);
        EXPECT_EQ(LabelSetup.LabelWidth, originalSetup.LabelWidth);
        EXPECT_EQ(LabelSetup.NormalSpacing, originalSetup.NormalSpacing);
        EXPECT_EQ(LabelSetup.DateFormat, originalSetup.DateFormat);
        EXPECT_EQ(LabelSetup.TimeFormat, originalSetup.TimeFormat);
    }

    static void ExpectSameDefinition(const TVariable& now, const TVariable& was)
    {
        EXPECT_EQ(now.Defined, was.Defined);
        if (was.Defined == 0) return;
        EXPECT_EQ(now.Length, was.Length);
        EXPECT_EQ(now.Justification, was.Justification);
        EXPECT_EQ(now.PadChar, was.PadChar);
        EXPECT_EQ(now.Step, was.Step);
        EXPECT_EQ(now.Prompt, was.Prompt);
    }

    static void ForgetLabel()
    {
        ClearFigureList();
        Variables = {};
        Counters = {};
        LabelSetup = TLabelSetup{};
    }

    std::vector<TFigurePayload> original;
    std::array<TVariable, VariableCount> originalVariables;
    std::array<TVariable, CounterCount> originalCounters;
    TLabelSetup originalSetup;
};

TEST_F(FormRoundTripTest, TheStoredCurrentLabelLoadsBackTheSame)
{
    ui.storeAsUser = [] {
        StoreAsDlg.ObjName = "ROUND";
        StoreAsConfirm();
    };
    StoreCurrentLabelDialog();
    ASSERT_TRUE(WaitUntil([&] { return memory.Fonts().size() == 2; }));
    EXPECT_EQ(memory.Graphics().size(), 1u);
    EXPECT_EQ(memory.ActiveForm(), "ROUND");
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"ROUND"}));

    ForgetLabel();
    LoadFormFromPrinter("ROUND");
    ExpectSameLabel();
    // The list under the dialog, the store, the refreshed list, the load.
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "close"), 4);
    EXPECT_FALSE(SawEvent("error:Error:No printer response"));
}

TEST_F(FormRoundTripTest, AFormFileStoredLoadsBackTheSame)
{
    // Pictures and fonts reach the printer with the current label; the form
    // file carries only the command lines.
    ui.storeAsUser = [] {
        StoreAsDlg.ObjName = "ROUND";
        StoreAsConfirm();
    };
    StoreCurrentLabelDialog();
    ASSERT_TRUE(WaitUntil([&] { return memory.Fonts().size() == 2; }));

    const std::string path = (TempDir() / "round.ejf").string();
    ui.saveFileChoices = {path};
    SaveAsForm();
    StoreFormFile(path, "FILED");
    ASSERT_TRUE(WaitUntil([&] { return memory.ActiveForm() == "FILED"; }));

    ForgetLabel();
    LoadFormFromPrinter("FILED");
    ExpectSameLabel();
}

// A PDF417 data text as long as its dialog takes, with quotes and
// backslashes inside.
std::string LongestPdf417Text()
{
    std::string text = "\"";
    for (int i = 0; text.size() < Pdf417DataBufferSize - 2; ++i) {
        text += i % 3 == 0 ? "\\\"" : i % 3 == 1 ? "\\\\" : "Ab9";
    }
    text.resize(Pdf417DataBufferSize - 2);
    return text + "\"";
}

class LongestPdf417RoundTripTest : public FormRoundTripTest {
protected:
    LongestPdf417RoundTripTest()
    {
        for (std::size_t i = 0; TFigure* figure : Figures()) {
            if (figure->Is(TFigureKind::Pdf417)) {
                figure->Pdf417().Data = LongestPdf417Text();
                original[i] = figure->Payload;
            }
            ++i;
        }
    }

    void StoreCurrentLabelAs(const std::string& name)
    {
        ui.storeAsUser = [name] {
            StoreAsDlg.ObjName = name;
            StoreAsConfirm();
        };
        StoreCurrentLabelDialog();
        ASSERT_TRUE(WaitUntil([&] { return memory.Fonts().size() == 2; }));
    }
};

TEST_F(LongestPdf417RoundTripTest, LoadsBackFromThePrinterTheSame)
{
    ASSERT_EQ(LongestPdf417Text().size(), Pdf417DataBufferSize - 1);
    StoreCurrentLabelAs("ROUND");
    ForgetLabel();
    LoadFormFromPrinter("ROUND");
    ExpectSameLabel();
    EXPECT_EQ(ui.events.back(), "close");
}

TEST_F(LongestPdf417RoundTripTest, ExtractedToAFileStoresAndLoadsBackTheSame)
{
    StoreCurrentLabelAs("ROUND");
    const std::string path = (TempDir() / "round.ejf").string();
    ExtractFormToFile("ROUND", path);
    ASSERT_TRUE(SawEvent("error:Form \"ROUND\" successfully extracted:" +
                         std::to_string(memory.Forms().at("ROUND").size()) + " lines saved to " + path));
    StoreFormFile(path, "FILED");
    ASSERT_TRUE(WaitUntil([&] { return memory.ActiveForm() == "FILED"; }));
    // Behind the file's header line, the stored form line for line.
    const std::vector<std::string> filed = memory.Forms().at("FILED");
    ASSERT_FALSE(filed.empty());
    EXPECT_EQ(std::vector<std::string>(filed.begin() + 1, filed.end()), memory.Forms().at("ROUND"));

    ForgetLabel();
    LoadFormFromPrinter("FILED");
    ExpectSameLabel();
}

TEST_F(FormRoundTripTest, ARefusedWriteStopsTheStoreBeforeTheListIsAskedFor)
{
    auto rows = std::make_shared<TPictureData>();
    rows->RefCount = 1;
    rows->BytesPerLine = 100;
    rows->Rows.assign(40000, 0x55);
    TPictureFigure big;
    big.Width = 800;
    big.Height = 400;
    big.DataLength = static_cast<std::uint16_t>(rows->BlockLength());
    big.Name = "BIG";
    big.Data = rows;
    AppendFigure(big);
    ui.storeAsUser = [this] {
        printer.Stall();
        StoreAsDlg.ObjName = "ROUND";
        StoreAsConfirm();
    };
    StoreCurrentLabelDialog();
    printer.Resume();
    EXPECT_EQ(ui.messageBoxes.back().text, "Can't write to comm. port. Retry ?");
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "busy:Receiving form list"), 1);
    EXPECT_TRUE(SawEvent("error:Error:No printer response"));
    EXPECT_EQ(StatusBoxEnabled, 1);
    EXPECT_EQ(CommLink.PortHandle, -1);
}

}  // namespace
}  // namespace zk
