// The printer-memory and font forms on their own: what each shows from the
// engine's dialog data, the choice it hands back, and Esc through the
// hidden "C" button.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "engine/link/exchange_guard.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/model/figure_list.h"
#include "engine/softfont/font_lists.h"
#include "tests/ui/dialogs/memory_dialogs_fixture.h"
#include "ui/dialogs/files_dlg.h"
#include "ui/dialogs/font_from_dlg.h"
#include "ui/dialogs/fonts_dlg.h"
#include "ui/dialogs/obj_list_dlg.h"
#include "ui/dialogs/store_as_dlg.h"
#include "ui/qt_ui_services.h"

namespace zk {
namespace {

using test::WhenModalNamed;

class MemoryFormsTest : public test::MemoryDialogsTest {
protected:
    static void FillObjectList()
    {
        ObjListDlg.Caption = "Graphics list - 3 objects";
        ObjListDlg.MemInfo = "1200 bytes , 523088 free";
        ObjListDlg.EditBtVisible = false;
        for (const char* name : {"SEAL", "LOGO", "ARROW"}) {
            ObjListDlg.FList.Add(name);
        }
    }
    static void FillStoreAs()
    {
        StoreAsDlg.Caption = "Store current label";
        StoreAsDlg.PresentMsg = "Existing forms:";
        for (const char* name : {"SHIP", "BOX"}) {
            StoreAsDlg.FList.Add(name);
        }
    }
    static void FillFonts(const std::string& caption)
    {
        FontsDlgList.Caption = caption;
        FontsDlgList.Items = {"A  Height=24 Chars=95", "C  Height=16 Chars=10"};
        FontsDlgList.Selected = 0;
    }
    // Clicks a list entry, as the mouse does.
    static void ClickEntry(QListWidget* list, const QString& text)
    {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
    }

    QtUiServices services;
};

TEST_F(MemoryFormsTest, ObjectListShowsTheEngineListInItsNormalMode)
{
    FillObjectList();
    bool checked = false;
    WhenModalNamed("ObjListDlg", [&](QWidget* modal) {
        auto* d = static_cast<TObjListDlg*>(modal);
        EXPECT_EQ(d->windowTitle(), "Graphics list - 3 objects");
        EXPECT_EQ(d->MemInfo->text(), "1200 bytes , 523088 free");
        EXPECT_TRUE(d->MemInfo->alignment() & Qt::AlignRight);
        EXPECT_EQ(Entries(d), (QStringList{"ARROW", "LOGO", "SEAL"}));
        EXPECT_EQ(d->SaveBt->text(), "Save");
        EXPECT_TRUE(d->DelBt->isVisible());
        EXPECT_EQ(d->DelBt->text(), "Delete");
        EXPECT_FALSE(d->EditBt->isVisible());
        EXPECT_EQ(d->EditBt->text(), "Edit");
        EXPECT_EQ(d->property("HelpContext").toInt(), 120);
        EXPECT_EQ(ObjListPictureMode, 0);
        EXPECT_EQ(ObjListNameMode, 0);
        checked = true;
        d->reject();
    });
    services.ShowObjectListDialog();
    EXPECT_TRUE(checked);
}

TEST_F(MemoryFormsTest, ObjectListInNamePickModeHandsBackTheSelectedName)
{
    struct Case {
        const char* select;  // "" for no selection
        const char* chosen;
    };
    for (const Case& c : {Case{"LOGO", "LOGO"}, Case{"", ""}}) {
        SCOPED_TRACE(c.select);
        FillObjectList();
        ObjListPickName = 1;
        ObjListChosenName = "OLD";
        WhenModalNamed("ObjListDlg", [&](QWidget* d) {
            EXPECT_FALSE(d->findChild<QPushButton*>("DelBt")->isVisible());
            EXPECT_EQ(d->findChild<QPushButton*>("SaveBt")->text(), "Extract");
            EXPECT_EQ(ObjListNameMode, 1);
            EXPECT_EQ(ObjListPickName, 0) << "the request lasts one showing";
            if (*c.select != '\0') {
                SelectEntry(d, c.select);
            }
            Click(d, "SaveBt");
        });
        services.ShowObjectListDialog();
        EXPECT_FALSE(ObjListForm->isVisible());
        EXPECT_EQ(ObjListChosenName, c.chosen);
        ObjListDlg.FList.Clear();
    }
}

TEST_F(MemoryFormsTest, ObjectListDoubleClickPicksAndAClickOnNoEntryClearsTheSelection)
{
    FillObjectList();
    ObjListPickName = 1;
    WhenModalNamed("ObjListDlg", [&](QWidget* modal) {
        auto* list = static_cast<TObjListDlg*>(modal)->FList;
        ClickEntry(list, "SEAL");
        EXPECT_EQ(list->selectedItems().size(), 1);
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(last.center().x(), last.bottom() + 20));
        EXPECT_TRUE(list->selectedItems().isEmpty());
        const QPoint seal = list->visualItemRect(list->findItems("SEAL", Qt::MatchExactly).front()).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, seal);
    });
    services.ShowObjectListDialog();
    EXPECT_EQ(ObjListChosenName, "SEAL");
}

// Picking a picture takes it from the printer: while an exchange runs, Extract
// and a double click beep and leave the list open, with nothing picked.
TEST_F(MemoryFormsTest, ThePicturePickRefusesWhileAnExchangeRuns)
{
    FillObjectList();
    for (const bool doubleClick : {false, true}) {
        SCOPED_TRACE(doubleClick);
        ObjListPicturePick = 1;
        bool stayedOpen = false;
        WhenModalNamed("ObjListDlg", [&](QWidget* modal) {
            auto* list = static_cast<TObjListDlg*>(modal)->FList;
            ClickEntry(list, "SEAL");
            {
                TExchangeGuard running;
                if (doubleClick) {
                    const QPoint seal = list->visualItemRect(list->findItems("SEAL", Qt::MatchExactly).front()).center();
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, seal);
                } else {
                    Click(modal, "SaveBt");
                }
            }
            stayedOpen = modal->isVisible();
            Click(modal, "CanBt");
        });
        dialogUi.events.clear();
        services.ShowObjectListDialog();
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(dialogUi.events, std::vector<std::string>{"beep"});
    }
}

TEST_F(MemoryFormsTest, StoreAsShowsTheListAndTakesAnUpperCaseNameOfEightCharacters)
{
    FillStoreAs();
    bool checked = false;
    WhenModalNamed("StoreAsDlg", [&](QWidget* modal) {
        auto* d = static_cast<TStoreAsDlg*>(modal);
        EXPECT_EQ(d->windowTitle(), "Store current label");
        EXPECT_EQ(d->PresentMsg->text(), "Existing forms:");
        EXPECT_EQ(d->Label1->text(), "Store as:");
        EXPECT_EQ(d->OkBt->text(), "Store");
        EXPECT_TRUE(d->OkBt->isDefault());
        EXPECT_EQ(Entries(d), (QStringList{"BOX", "SHIP"}));
        QTest::keyClicks(d->ObjName, "label12345");
        EXPECT_EQ(d->ObjName->text(), "LABEL123");
        // An entry clicked is copied into the name field.
        ClickEntry(d->FList, "SHIP");
        EXPECT_EQ(d->ObjName->text(), "SHIP");
        // Store with an empty name does nothing.
        d->ObjName->clear();
        d->OkBt->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(printer.Received().empty());
        checked = true;
        d->reject();
    });
    services.ShowStoreAsDialog();
    EXPECT_TRUE(checked);
}

TEST_F(MemoryFormsTest, StoreAsInSelectModeIgnoresANameNotInTheListAndEndsTheModeOnClose)
{
    FillStoreAs();
    StoreAsSelectMode = 1;
    bool checked = false;
    WhenModalNamed("StoreAsDlg", [&](QWidget* modal) {
        auto* d = static_cast<TStoreAsDlg*>(modal);
        EXPECT_EQ(d->windowTitle(), "SelectFirst new active form");
        EXPECT_EQ(d->Label1->text(), "Form name:");
        EXPECT_EQ(d->OkBt->text(), "Select");
        d->ObjName->setText("NOSUCH");
        d->OkBt->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(printer.Received().empty());
        checked = true;
        QTest::keyClick(d, Qt::Key_Escape);
    });
    services.ShowStoreAsDialog();
    EXPECT_TRUE(checked);
    EXPECT_EQ(StoreAsSelectMode, 0);
    EXPECT_EQ(StoreAsForm->ObjName->maxLength(), 8);
}

// A name clicked in the list reaches the command whole, also when it is
// longer than a typed name may be.
TEST_F(MemoryFormsTest, StoreAsTakesAClickedNameWhole)
{
    struct Case {
        const char* name;
        std::uint8_t selectMode;
        const char* clicked;
        const char* sent;     // command line the printer gets, or nullptr
        const char* message;  // box the user sees, or nullptr
    };
    const Case cases[] = {
        {"SelectModeSelectsTheLongName", 1, "LONGNAME12", "FR\"LONGNAME12\"", nullptr},
        // Storing goes through the name rules: the long name is refused by
        // name, not stored under a cut one.
        {"StoreModeRefusesTheLongNameByName", 0, "LONGNAME12", nullptr, "Invalid name: LONGNAME12"},
        {"StoreModeAsksBeforeOverwriting", 0, "SHIP", nullptr, "Form exists. Overwrite ?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillStoreAs();
        StoreAsDlg.FList.Add("LONGNAME12");
        StoreAsSelectMode = c.selectMode;
        PrinterObjectKind = ObjectKindForm;
        dialogUi.messageBoxes.clear();
        const std::size_t linesBefore = printer.Lines().size();
        WhenModalNamed("StoreAsDlg", [&](QWidget* modal) {
            auto* d = static_cast<TStoreAsDlg*>(modal);
            ClickEntry(d->FList, c.clicked);
            EXPECT_EQ(d->ObjName->text(), c.clicked);
            if (std::string_view(c.clicked).size() > ObjectNameMaxLength) {
                // The long name is kept, but typing makes it no longer.
                QTest::keyClick(d->ObjName, Qt::Key_End);
                QTest::keyClicks(d->ObjName, "x");
                EXPECT_EQ(d->ObjName->text(), c.clicked);
            }
            d->OkBt->click();
            if (d->isVisible()) {
                d->reject();
            }
        });
        services.ShowStoreAsDialog();
        if (c.sent != nullptr) {
            ASSERT_TRUE(WaitUntil([&] {
                const std::vector<std::string> lines = printer.Lines();
                return std::find(lines.begin() + static_cast<std::ptrdiff_t>(linesBefore), lines.end(), c.sent) !=
                       lines.end();
            }));
        } else {
            EXPECT_EQ(printer.Lines().size(), linesBefore);
        }
        if (c.message != nullptr) {
            ASSERT_EQ(dialogUi.messageBoxes.size(), 1u);
            EXPECT_EQ(dialogUi.messageBoxes[0].text, c.message);
        }
        StoreAsDlg.FList.Clear();
    }
}

TEST_F(MemoryFormsTest, StoreAsTakesOneLetterWhileAFontIsStored)
{
    FillStoreAs();
    StoreAsDlg.ObjNameMaxLength = FontNameMaxLength;
    WhenModalNamed("StoreAsDlg", [](QWidget* modal) {
        auto* d = static_cast<TStoreAsDlg*>(modal);
        QTest::keyClicks(d->ObjName, "xy");
        EXPECT_EQ(d->ObjName->text(), "X");
        d->reject();
    });
    services.ShowStoreAsDialog();
    EXPECT_EQ(StoreAsDlg.ObjNameMaxLength, ObjectNameMaxLength);
    EXPECT_EQ(StoreAsForm->ObjName->maxLength(), 8);
}

TEST_F(MemoryFormsTest, FontNamingRefusesAnythingButALetter)
{
    FillFonts("Name for /tmp/x.zft");
    WhenModalNamed("FontsDlg", [](QWidget* modal) {
        auto* d = static_cast<TFontsDlg*>(modal);
        EXPECT_EQ(d->windowTitle(), "Name for /tmp/x.zft");
        EXPECT_EQ(d->Label1->text(), "Loaded fonts:");
        EXPECT_EQ(d->Label2->text(), "Name:");
        EXPECT_TRUE(d->FntName->isVisible());
        EXPECT_TRUE(d->FntName->text().isEmpty());
        EXPECT_EQ(d->FntList->count(), 2);
        EXPECT_EQ(d->FntList->currentIndex(), 0);
        EXPECT_EQ(d->OkBt->text(), "OK");
        EXPECT_TRUE(d->OkBt->isDefault());
        QTest::keyClicks(d->FntName, "7");
        d->OkBt->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(d->FntName->text().isEmpty());
        QTest::keyClicks(d->FntName, "kz");
        EXPECT_EQ(d->FntName->text(), "K");
        d->OkBt->click();
    });
    EXPECT_EQ(services.ShowFontsDialog(true), 'K');
}

TEST_F(MemoryFormsTest, FontChoosingTakesTheLetterOfTheListEntry)
{
    FillFonts("Select font to remove");
    WhenModalNamed("FontsDlg", [](QWidget* modal) {
        auto* d = static_cast<TFontsDlg*>(modal);
        EXPECT_FALSE(d->FntName->isVisible());
        d->FntList->setCurrentIndex(1);
        emit d->FntList->activated(1);
        EXPECT_EQ(d->FntName->text(), "C");
        d->OkBt->click();
    });
    EXPECT_EQ(services.ShowFontsDialog(false), 'C');
}

TEST_F(MemoryFormsTest, FontChoosingOverAnEmptyListStaysOpenAndCancelGivesNoLetter)
{
    FontsDlgList = {};
    WhenModalNamed("FontsDlg", [](QWidget* modal) {
        auto* d = static_cast<TFontsDlg*>(modal);
        d->OkBt->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->FontsDlgLetter, 0);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(services.ShowFontsDialog(false), 0);
}

TEST_F(MemoryFormsTest, FilesPanelHasItsGroupsAndButtons)
{
    TFilesDlg& d = *FilesDlg;
    EXPECT_EQ(d.windowTitle(), "Files and Forms");
    EXPECT_EQ(d.property("HelpContext").toInt(), 128);
    const std::pair<QGroupBox*, const char*> groups[] = {
        {d.LoadGroup, " Load "}, {d.SaveGroup, " Save "}, {d.InPrinterGroup, " In Printer "},
        {d.ToPrinterGroup, " To Printer "}};
    for (const auto& [group, title] : groups) {
        EXPECT_EQ(group->title(), title);
    }
    const std::pair<const char*, const char*> buttons[] = {
        {"NewLabelBt", "New Label"},        {"LoadLabelBt", "Open Label"}, {"SaveAsLabelBt", "Save as Label"},
        {"SaveAsFormBt", "Save as Form"},   {"FormsBt", "Forms"},          {"GraphicsBt", "Graphics"},
        {"FontsBt", "Fonts"},               {"CurLabelBt", "Current Label"}, {"StoreFormBt", "Store Form"},
        {"StorePictBt", "Store Graphics"}, {"StoreFontBt", "Store Font"}};
    for (const auto& [name, caption] : buttons) {
        auto* button = d.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), caption);
    }
    const auto* fontFrom = FontFromDlg;
    EXPECT_EQ(fontFrom->windowTitle(), "Add New Font");
    EXPECT_EQ(fontFrom->PrinterBt->text(), "From Printer");
    EXPECT_EQ(fontFrom->DiskBt->text(), "From Disk");
    EXPECT_TRUE(fontFrom->DiskBt->isDefault());
}

TEST_F(MemoryFormsTest, NewLabelEmptiesTheLabelAndClosesThePanel)
{
    AppendFigure(TFigurePayload{TextTemplate});
    WhenModalNamed("FilesDlg", [](QWidget* d) { Click(d, "NewLabelBt"); });
    ShowFilesForm();
    EXPECT_EQ(FigureList.FigureHead, nullptr);
    EXPECT_FALSE(FilesDlg->isVisible());
}

TEST_F(MemoryFormsTest, AddNewFontStaysOpenWhenTheFileChoiceIsCancelled)
{
    WhenModalNamed("FontFromDlg", [this](QWidget* d) {
        Click(d, "DiskBt");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(dialogUi.openFileDialogs.size(), 1u);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    ShowFontFromForm();
    EXPECT_FALSE(FontFromDlg->isVisible());
}

TEST_F(MemoryFormsTest, EscapeClosesEveryFormThroughItsHiddenCancelButton)
{
    const std::pair<const char*, std::function<void()>> forms[] = {
        {"FilesDlg", [] { ShowFilesForm(); }},
        {"ObjListDlg", [] { ShowObjectListForm(); }},
        {"StoreAsDlg", [] { ShowStoreAsForm(); }},
        {"FontsDlg", [] { ShowFontsForm(true); }},
        {"FontFromDlg", [] { ShowFontFromForm(); }},
    };
    for (const auto& [name, show] : forms) {
        SCOPED_TRACE(name);
        bool sawHiddenButton = false;
        int cancelClicks = 0;
        QMetaObject::Connection counting;
        WhenModalNamed(name, [&](QWidget* d) {
            auto* cancel = d->findChild<QPushButton*>("CanBt");
            ASSERT_NE(cancel, nullptr);
            EXPECT_EQ(cancel->text(), "C");
            sawHiddenButton = !d->rect().intersects(cancel->geometry());
            counting = QObject::connect(cancel, &QPushButton::clicked, [&] { ++cancelClicks; });
            QTest::keyClick(d, Qt::Key_Escape);
        });
        show();
        QObject::disconnect(counting);
        EXPECT_TRUE(sawHiddenButton);
        EXPECT_EQ(cancelClicks, 1);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

}  // namespace
}  // namespace zk
