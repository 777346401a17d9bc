// The font preview: its controls, the build each setting change runs, the
// rows to cut, and saving the font file.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>

#include <filesystem>
#include <memory>

#include "engine/softfont/font_file.h"
#include "engine/ttf/converter_state.h"
#include "engine/ttf/font_preview.h"
#include "tests/support/engine_fixture.h"
#include "ui/dialogs/fpreview_dlg.h"

namespace zk
{
namespace
{

class FPreviewDlgTest : public test::EngineTest
{
protected:
    FPreviewDlgTest()
    {
        Converter.ConverterFont = {.Name = "DejaVu Sans", .Style = {}, .Charset = 0};
        for (int column = 1; column <= 10; ++column)
            Converter.Map.Cells[static_cast<std::size_t>(32 + column)] = static_cast<std::uint8_t>(64 + column);
    }
    TFPreviewDlg& Open()
    {
        dialog = std::make_unique<TFPreviewDlg>();
        dialog->show();
        return *dialog;
    }
    std::unique_ptr<TFPreviewDlg> dialog;
};

TEST_F(FPreviewDlgTest, FormCarriesItsNamedControlsAndCaptions)
{
    TFPreviewDlg& d = Open();
    EXPECT_EQ(d.objectName().toStdString(), "FPreviewDlg");
    EXPECT_EQ(d.windowTitle().toStdString(), "Font Preview");
    EXPECT_EQ(d.findChild<QComboBox*>("FntSize"), d.FntSize);
    EXPECT_EQ(d.FntSize->count(), 19);
    EXPECT_EQ(d.FntSize->currentText().toStdString(), "20");
    EXPECT_EQ(d.FntSize->lineEdit()->maxLength(), 3);
    EXPECT_EQ(d.findChild<QSlider*>("WideCtl")->maximum(), 20);
    EXPECT_EQ(d.WideCtl->value(), 10);
    EXPECT_EQ(d.findChild<QSpinBox*>("SpsMore")->minimum(), -16);
    EXPECT_EQ(d.SpsMore->maximum(), 16);
    for (const char* name : {"SpcText", "TopRem", "BotRem"}) EXPECT_NE(d.findChild<QLineEdit*>(name), nullptr) << name;
    for (const char* name : {"TopCtl", "BotCtl"}) EXPECT_NE(d.findChild<QSpinBox*>(name), nullptr) << name;
    EXPECT_EQ(d.RemoveBox->title().toStdString(), " Remove blank lines ");
    EXPECT_NE(d.findChild<QCheckBox*>("Auto"), nullptr);
    EXPECT_NE(d.findChild<QScrollArea*>("PrevBox"), nullptr);
    EXPECT_NE(d.findChild<QLabel*>("FntImg"), nullptr);
    for (const char* name : {"CharsMsg", "HeightMsg", "WidthMsg", "MemoryMsg"}) {
        EXPECT_NE(d.findChild<QLabel*>(name), nullptr) << name;
    }
    EXPECT_EQ(d.OkBt->text().toStdString(), "Save");
    EXPECT_EQ(d.CanBt->text().toStdString(), "C");
    EXPECT_FALSE(d.rect().intersects(d.CanBt->geometry()));
}

TEST_F(FPreviewDlgTest, ShowingBuildsThePreviewAndItsFigures)
{
    TFPreviewDlg& d = Open();
    EXPECT_EQ(d.CharsMsg->text().toStdString(), "Characters: 10");
    EXPECT_EQ(d.HeightMsg->text().toStdString(), "Height: " + std::to_string(PreviewResults.FontHeight) + " pixels");
    EXPECT_EQ(d.MemoryMsg->text().toStdString(), "Bytes: " + std::to_string(PreviewResults.FontBytes));
    EXPECT_TRUE(d.WidthMsg->text().startsWith("Mean width: "));
    EXPECT_TRUE(d.WidthMsg->text().endsWith(" pixels"));
    EXPECT_GT(PreviewResults.FontHeight, 20);
    EXPECT_EQ(d.FntImg->width(), d.PrevBox->viewport()->width());
    EXPECT_EQ(d.FntImg->height(), FontPreviewImage.Height);
    EXPECT_EQ(d.TopCtl->maximum(), FontPreviewSettings.LineHeight / 2);
}

TEST_F(FPreviewDlgTest, SizeChangesClampAndResetTheRowsToCut)
{
    TFPreviewDlg& d = Open();
    d.TopCtl->setValue(3);
    EXPECT_EQ(FontPreviewSettings.TopRemove, 3);
    EXPECT_EQ(d.BotCtl->maximum(), FontPreviewSettings.LineHeight - 3 - 1);
    d.FntSize->setEditText("3");
    EXPECT_EQ(FontPreviewSettings.FontSize, 6);
    EXPECT_EQ(FontPreviewSettings.TopRemove, 0);
    EXPECT_EQ(d.TopCtl->value(), 0);
    d.FntSize->setEditText("300");
    EXPECT_EQ(FontPreviewSettings.FontSize, 240);
}

TEST_F(FPreviewDlgTest, WidthFactorRebuildsOnlyOnANewPosition)
{
    TFPreviewDlg& d = Open();
    const int normalBytes = PreviewResults.FontBytes;
    d.WideCtl->setValue(20);
    EXPECT_DOUBLE_EQ(FontPreviewSettings.WidthFactor, 2.0);
    EXPECT_GT(PreviewResults.FontBytes, normalBytes);
    d.WideCtl->setValue(0);
    EXPECT_DOUBLE_EQ(FontPreviewSettings.WidthFactor, 0.5);
    EXPECT_LT(PreviewResults.FontBytes, normalBytes);
}

TEST_F(FPreviewDlgTest, AutoCutsRowsAndDisablesTheCounters)
{
    TFPreviewDlg& d = Open();
    const int fullHeight = PreviewResults.FontHeight;
    d.Auto->click();
    EXPECT_FALSE(d.TopCtl->isEnabled());
    EXPECT_FALSE(d.BotRem->isEnabled());
    EXPECT_LT(PreviewResults.FontHeight, fullHeight);
    EXPECT_EQ(d.TopCtl->value(), FontPreviewSettings.TopRemove);
    EXPECT_EQ(d.BotCtl->value(), FontPreviewSettings.BottomRemove);
    d.Auto->click();
    EXPECT_TRUE(d.TopCtl->isEnabled());
}

TEST_F(FPreviewDlgTest, SaveWritesAFontThatReadsBack)
{
    TFPreviewDlg& d = Open();
    d.SpsMore->setValue(2);
    const std::string path = (TempDir() / "converted.zft").string();
    ui.saveFileChoices.push_back(path);
    d.OkBt->click();
    EXPECT_TRUE(ui.messageBoxes.empty());
    const auto font = ReadFontFile(path);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Bytes[0], 10);
    EXPECT_EQ(font->Bytes[2], PreviewResults.FontHeight);
    EXPECT_EQ(font->Bytes[3], 65);  // map cell 33 is printer code 65
    EXPECT_EQ(static_cast<std::int32_t>(std::filesystem::file_size(path)), PreviewResults.FontBytes);
}

TEST_F(FPreviewDlgTest, SaveOfAFontTooLargeIsRefused)
{
    TFPreviewDlg& d = Open();
    for (int i = 0; i < MapCells; ++i) Converter.Map.Cells[static_cast<std::size_t>(i)] = 'W';
    d.FntSize->setEditText("120");
    d.OkBt->click();
    EXPECT_EQ(ui.OnlyMessage(), "File too big");
    EXPECT_TRUE(ui.saveFileDialogs.empty());
}

}  // namespace
}  // namespace zk
