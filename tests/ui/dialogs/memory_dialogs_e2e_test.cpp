// The printer-memory and font forms end to end over the printer emulator:
// listing, extracting, deleting and storing objects from the files panel,
// loading a form into the editor, adding soft fonts and taking a picture
// from the printer into the picture dialog.

#include <QLabel>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <QListWidget>
#include <QTest>
#include <QLineEdit>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/picture/picture_data.h"
#include "tests/ui/dialogs/memory_dialogs_fixture.h"
#include "ui/dialogs/files_dlg.h"
#include "ui/dialogs/font_from_dlg.h"
#include "ui/dialogs/obj_list_dlg.h"
#include "ui/dialogs/picture_dlg.h"
#include "ui/dialogs/store_as_dlg.h"

namespace zk {
namespace {

using test::WhenModal;
using test::WhenModalNamed;

class MemoryDialogsEndToEndTest : public test::MemoryDialogsTest {
protected:
    MemoryDialogsEndToEndTest()
    {
        memory.StoreForm("SHIP", {"N", "q384", "A10,10,0,1,1,1,N,\"x\"", "P1"});
        memory.StoreForm("BOX", {"N", "LO0,0,100,4", "P1"});
        memory.StoreGraphics("LOGO", logo);
        memory.StoreFont("A", fontA);
    }

    static std::vector<const TFigure*> Figures(TFigureKind kind)
    {
        std::vector<const TFigure*> found;
        for (const TFigure* f = FigureList.FigureHead; f != nullptr; f = f->Next) {
            if (f->Is(kind)) {
                found.push_back(f);
            }
        }
        return found;
    }

    // Runs the files panel until the script closes it (or it closes itself).
    static void RunFilesPanel(std::function<void(QWidget*)> script)
    {
        WhenModalNamed("FilesDlg", std::move(script));
        ShowFilesForm();
    }

    std::size_t LinesSoFar() const { return printer.Lines().size(); }

    const std::string logo = test::MakePcxFile(16, 2, 2, std::string("\xC2\x00\xC2\xFF", 4));
    const std::string fontA = test::MakeFontData("AB", 4);
};

TEST_F(MemoryDialogsEndToEndTest, FormsInPrinterListsTheStoredForms)
{
    bool listed = false;
    WhenModalNamed("ObjListDlg", [&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "Form list - 2 objects");
        EXPECT_EQ(Entries(d), (QStringList{"BOX", "SHIP"}));
        EXPECT_TRUE(d->findChild<QPushButton*>("EditBt")->isVisible());
        EXPECT_TRUE(d->findChild<QLabel*>("MemInfo")->text().endsWith(" free"));
        listed = true;
        Click(d, "CanBt");
    });
    EXPECT_TRUE(ShowPrinterObjects(ObjectKindForm));
    EXPECT_TRUE(listed);
}

TEST_F(MemoryDialogsEndToEndTest, AGraphicSavedFromTheListIsThePrintersPcxFile)
{
    const std::string path = (TempDir() / "logo.pcx").string();
    dialogUi.saveFileChoices = {path};
    RunFilesPanel([this](QWidget* panel) {
        WhenModalNamed("ObjListDlg", [panel](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), "Graphics list - 1 object");
            EXPECT_FALSE(d->findChild<QPushButton*>("EditBt")->isVisible());
            SelectEntry(d, "LOGO");
            Click(d, "SaveBt");
            EXPECT_TRUE(d->isVisible()) << "the list stays open after a save";
            Click(d, "CanBt");
            WhenModalNamed("FilesDlg", [](QWidget* p) { Click(p, "CanBt"); });
            (void)panel;
        });
        Click(panel, "GraphicsBt");
        EXPECT_TRUE(panel->isVisible()) << "the graphics list never closes the panel";
    });
    ASSERT_EQ(dialogUi.saveFileDialogs.size(), 1u);
    EXPECT_EQ(dialogUi.saveFileDialogs[0].title, "Save graphics as");
    EXPECT_EQ(ReadFile(path), logo);
}

TEST_F(MemoryDialogsEndToEndTest, DeletingAFormAsksFirstAndRefreshesTheList)
{
    dialogUi.answers = {1};
    bool refreshed = false;
    WhenModalNamed("ObjListDlg", [&](QWidget* d) {
        SelectEntry(d, "BOX");
        Click(d, "DelBt");
        EXPECT_EQ(dialogUi.OnlyMessage(), "Are You sure ?");
        EXPECT_EQ(dialogUi.messageBoxes[0].caption, "Delete confirm");
        EXPECT_EQ(d->windowTitle(), "Form list - 1 object");
        EXPECT_EQ(Entries(d), QStringList{"SHIP"});
        refreshed = true;
        Click(d, "CanBt");
    });
    ShowPrinterObjects(ObjectKindForm);
    EXPECT_TRUE(refreshed);
    EXPECT_EQ(memory.Forms().count("BOX"), 0u);
    EXPECT_EQ(memory.Forms().count("SHIP"), 1u);
}

TEST_F(MemoryDialogsEndToEndTest, TheDeleteKeyAsksBeforeAnythingIsSent)
{
    dialogUi.answers = {0};
    WhenModalNamed("ObjListDlg", [this](QWidget* d) {
        SelectEntry(d, "SHIP");
        const std::size_t before = LinesSoFar();
        for (const char* target : {"FList", "SaveBt"}) {
            QTest::keyClick(d->findChild<QWidget*>(target), Qt::Key_Delete);
        }
        ASSERT_EQ(dialogUi.messageBoxes.size(), 2u);
        EXPECT_EQ(dialogUi.messageBoxes[1].text, "Are You sure ?");
        EXPECT_EQ(LinesSoFar(), before);
        Click(d, "CanBt");
    });
    ShowPrinterObjects(ObjectKindForm);
    EXPECT_EQ(memory.Forms().size(), 2u);
}

// The printer holds the line while the list saves SHIP, and the user goes on
// in the list (the wait lets the clicks through): Save, Delete, Edit and a
// double click on BOX are each refused with a beep before anything is asked
// or sent, so SHIP's extraction ends whole and nothing of BOX is touched.
TEST_F(MemoryDialogsEndToEndTest, TheListRefusesEveryPrinterActionWhileASaveHoldsTheLine)
{
    const std::string ship = (TempDir() / "ship.ejf").string();
    const std::string box = (TempDir() / "box.ejf").string();
    dialogUi.saveFileChoices = {ship, box};
    dialogUi.answers = {1};
    std::size_t linesBefore = 0;
    WhenModalNamed("ObjListDlg", [&](QWidget* d) {
        auto* list = d->findChild<QListWidget*>("FList");
        const std::vector<std::function<void()>> actions = {
            [&] { Click(d, "SaveBt"); },
            [&] { QTest::keyClick(list, Qt::Key_Delete); },
            [&] { Click(d, "EditBt"); },
            [&] {
                const QRect row = list->visualItemRect(list->currentItem());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
            },
        };
        std::size_t pumps = 0;
        dialogUi.onProcessMessages = [&] {
            ++pumps;
            if (pumps == 2) {
                SelectEntry(d, "BOX");
                for (const auto& action : actions) {
                    action();
                }
            } else if (pumps == 4) {
                printer.Resume();
            }
        };
        SelectEntry(d, "SHIP");
        linesBefore = LinesSoFar();
        printer.BlockWrites();
        Click(d, "SaveBt");
        dialogUi.onProcessMessages = nullptr;
        Click(d, "CanBt");
    });
    ShowPrinterObjects(ObjectKindForm);
    EXPECT_EQ(std::count(dialogUi.events.begin(), dialogUi.events.end(), "beep"), 4);
    ASSERT_EQ(dialogUi.saveFileDialogs.size(), 1u);
    EXPECT_TRUE(dialogUi.messageBoxes.empty()) << dialogUi.messageBoxes[0].text;
    ASSERT_TRUE(WaitUntil([&] { return LinesSoFar() > linesBefore; }));
    const std::vector<std::string> lines = printer.Lines();
    EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(linesBefore), lines.end()),
              (std::vector<std::string>{"", "FI\"SHIP\""}));
    const std::string saved = "error:Form \"SHIP\" successfully extracted:";
    EXPECT_EQ(std::count_if(dialogUi.events.begin(), dialogUi.events.end(),
                            [&](const std::string& e) { return e.starts_with(saved) && e.ends_with(ship); }),
              1);
    EXPECT_TRUE(std::filesystem::exists(ship));
    EXPECT_FALSE(std::filesystem::exists(box));
    EXPECT_EQ(memory.Forms().size(), 2u);
    EXPECT_TRUE(FigureList.FigureHead == nullptr);
}

TEST_F(MemoryDialogsEndToEndTest, EditingAFormLoadsItAndClosesThePanel)
{
    RunFilesPanel([](QWidget* panel) {
        WhenModalNamed("ObjListDlg", [](QWidget* d) {
            SelectEntry(d, "SHIP");
            Click(d, "EditBt");
        });
        Click(panel, "FormsBt");
    });
    EXPECT_FALSE(FilesDlg->isVisible());
    EXPECT_EQ(ObjListFormLoaded, 1);
    ASSERT_EQ(Figures(TFigureKind::Text).size(), 1u);
    EXPECT_EQ(memory.ActiveForm(), "SHIP");
}

TEST_F(MemoryDialogsEndToEndTest, AFormFileIsStoredUnderTheTypedName)
{
    const std::string file = WriteFile("label.ejf", "N\r\nA5,5,0,2,1,1,N,\"hi\"\r\nP1\r\n");
    dialogUi.openFileChoices = {file};
    bool stored = false;
    RunFilesPanel([&](QWidget* panel) {
        WhenModalNamed("StoreAsDlg", [&](QWidget* d) {
            EXPECT_EQ(d->windowTitle().toStdString(), "Store " + file);
            EXPECT_EQ(d->findChild<QLabel*>("PresentMsg")->text(), "Existing forms:");
            EXPECT_EQ(Entries(d), (QStringList{"BOX", "SHIP"}));
            QTest::keyClicks(d->findChild<QLineEdit*>("ObjName"), "newform");
            Click(d, "OkBt");
            EXPECT_TRUE(d->isVisible()) << "the store-as dialog stays open";
            EXPECT_EQ(Entries(d), (QStringList{"BOX", "NEWFORM", "SHIP"}));
            stored = true;
            Click(d, "CanBt");
            WhenModalNamed("FilesDlg", [](QWidget* p) { Click(p, "CanBt"); });
        });
        Click(panel, "StoreFormBt");
    });
    EXPECT_TRUE(stored);
    ASSERT_EQ(memory.Forms().count("NEWFORM"), 1u);
    EXPECT_EQ(memory.Forms().at("NEWFORM"), (std::vector<std::string>{"N", "A5,5,0,2,1,1,N,\"hi\"", "P1"}));
    EXPECT_EQ(ProgramPaths.WorkDir, TempDir().string() + "/");
}

TEST_F(MemoryDialogsEndToEndTest, AnExistingNameIsOverwrittenOnlyOnYes)
{
    const std::string file = WriteFile("label.ejf", "N\r\nP1\r\n");
    dialogUi.openFileChoices = {file};
    dialogUi.answers = {0};
    WhenModalNamed("StoreAsDlg", [this](QWidget* d) {
        QTest::keyClicks(d->findChild<QLineEdit*>("ObjName"), "SHIP");
        Click(d, "OkBt");
        EXPECT_EQ(dialogUi.OnlyMessage(), "Form exists. Overwrite ?");
        Click(d, "CanBt");
    });
    StoreFormFileDialog();
    EXPECT_EQ(memory.Forms().at("SHIP").size(), 4u);
}

TEST_F(MemoryDialogsEndToEndTest, AddNewFontFromAFileNamesItInTheFontDialog)
{
    const std::string file = WriteFile("big.zft", test::MakeFontData("XYZ", 6));
    dialogUi.openFileChoices = {file};
    WhenModalNamed("FontFromDlg", [](QWidget* from) {
        WhenModalNamed("FontsDlg", [](QWidget* d) {
            EXPECT_TRUE(d->windowTitle().startsWith("Name for "));
            auto* name = d->findChild<QLineEdit*>("FntName");
            EXPECT_TRUE(name->isVisible());
            QTest::keyClicks(name, "f");
            Click(d, "OkBt");
        });
        Click(from, "DiskBt");
    });
    ShowFontFromForm();
    EXPECT_EQ(dialogUi.dialogs, std::vector<std::string>{"Fonts"});
    const auto fonts = Figures(TFigureKind::Font);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->SoftFont().Letter.view(), "F");
    EXPECT_EQ(fonts[0]->SoftFont().Height, 6);
    EXPECT_EQ(fonts[0]->SoftFont().CharCount, 3);
    EXPECT_FALSE(FontFromDlg->isVisible());
}

TEST_F(MemoryDialogsEndToEndTest, AddNewFontFromThePrinterPicksItInTheFontList)
{
    WhenModalNamed("FontFromDlg", [](QWidget* from) {
        WhenModalNamed("ObjListDlg", [](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), "Font list - 1 object");
            EXPECT_EQ(d->findChild<QPushButton*>("SaveBt")->text(), "Extract");
            EXPECT_FALSE(d->findChild<QPushButton*>("DelBt")->isVisible());
            SelectEntry(d, "A");
            Click(d, "SaveBt");
        });
        Click(from, "PrinterBt");
    });
    ShowFontFromForm();
    const auto fonts = Figures(TFigureKind::Font);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->SoftFont().Letter.view(), "A");
    ASSERT_NE(fonts[0]->SoftFont().Data, nullptr);
    EXPECT_EQ(std::string(fonts[0]->SoftFont().Data->Bytes.begin(), fonts[0]->SoftFont().Data->Bytes.end()), fontA);
}

TEST_F(MemoryDialogsEndToEndTest, ThePictureDialogTakesAGraphicFromThePrinter)
{
    PreparePictureDialog(false, {0, 0});
    PictureDlg->PictName->setText("PICT0001");
    WhenModalNamed("ObjListDlg", [](QWidget* d) {
        EXPECT_EQ(d->findChild<QPushButton*>("SaveBt")->text(), "Extract");
        EXPECT_FALSE(d->findChild<QPushButton*>("DelBt")->isVisible());
        SelectEntry(d, "LOGO");
        Click(d, "SaveBt");
    });
    PictureDlg->ExtractBt->click();
    EXPECT_EQ(ObjListPictureMode, 1);
    EXPECT_EQ(PictureDlg->PictName->text(), "LOGO");
    EXPECT_EQ(PictureDlg->PictureLoaded, 1);
    ASSERT_NE(NewPictureData, nullptr);
    EXPECT_EQ(NewPictureWidth, 16);
    EXPECT_EQ(NewPictureHeight, 2);
}

// A graphic the printer lists under a long name comes into the name field
// whole: one a picture figure can hold is drawn under it, a longer one is
// refused by name instead of drawn under a cut one.
TEST_F(MemoryDialogsEndToEndTest, AGraphicWithALongNameIsTakenWholeOrRefused)
{
    struct Case {
        const char* name;
        const char* refusal;  // nullptr when drawn
    };
    const Case cases[] = {{"LONGNAME12", nullptr},
                          {"ABCDEFGHIJKLMNO", nullptr},
                          {"ABCDEFGHIJKLMNOPQRSTU", "Error: Invalid picture name"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        memory.StoreGraphics(c.name, logo);
        AddNewFigure = 1;
        PreparePictureDialog(false, {0, 0});
        WhenModalNamed("ObjListDlg", [&](QWidget* d) {
            SelectEntry(d, c.name);
            Click(d, "SaveBt");
        });
        PictureDlg->ExtractBt->click();
        EXPECT_EQ(PictureDlg->PictName->text().toStdString(), c.name);
        QString refusal;
        if (c.refusal != nullptr) {
            WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                      [&refusal](QWidget* w) {
                          auto* box = static_cast<QMessageBox*>(w);
                          refusal = box->windowTitle() + ": " + box->text();
                          box->accept();
                      });
        }
        const std::size_t before = Figures(TFigureKind::Picture).size();
        PictureDlg->OkBt()->click();
        const std::vector<const TFigure*> pictures = Figures(TFigureKind::Picture);
        if (c.refusal == nullptr) {
            ASSERT_EQ(pictures.size(), before + 1);
            EXPECT_EQ(pictures.back()->Picture().Name, c.name);
        } else {
            EXPECT_EQ(refusal.toStdString(), c.refusal);
            EXPECT_EQ(pictures.size(), before);
            PictureDlg->reject();
        }
    }
}

TEST_F(MemoryDialogsEndToEndTest, FromPrinterWithoutAnAnswerShowsNoList)
{
    printer.SetSilent(true);
    PreparePictureDialog(false, {0, 0});
    PictureDlg->ExtractBt->click();
    EXPECT_EQ(dialogUi.dialogs, std::vector<std::string>{});
    EXPECT_FALSE(ObjListForm->isVisible());
    EXPECT_EQ(PictureDlg->PictureLoaded, 0);
    EXPECT_NE(std::find(dialogUi.events.begin(), dialogUi.events.end(), "error:Error:No printer response"),
              dialogUi.events.end());
}

}  // namespace
}  // namespace zk
