// The picture dialog: its checks of OK, loading from disk into the waiting
// block, and what happens to that block on OK, on Cancel and on reload.

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/labelfile/label_file_format.h"
#include "engine/model/label_setup.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "engine/picture/picture_data.h"
#include "ui/dialogs/picture_dlg.h"

namespace zk::test {
namespace {

// A monochrome PCX file 16 dots wide and height dots high.
std::vector<char> MakePcx(int height)
{
    constexpr int bytesPerLine = 2;
    std::vector<char> file(128 + static_cast<std::size_t>(height) * bytesPerLine, 0);
    file[0] = 10;  // manufacturer
    file[1] = 5;   // version
    file[2] = 1;   // run-length encoding
    file[3] = 1;   // bits per pixel
    file[8] = 15;  // Xmax
    file[10] = static_cast<char>(height - 1);  // Ymax
    file[65] = 1;  // planes
    file[66] = bytesPerLine;
    return file;
}

class PictureDlgTest : public FigureDialogTest {
protected:
    PictureDlgTest()
    {
        for (int height = 1; height <= 2; ++height) {
            const std::string path = (TempDir() / ("logo" + std::to_string(height) + ".pcx")).string();
            const std::vector<char> pcx = MakePcx(height);
            std::ofstream(path, std::ios::binary).write(pcx.data(), static_cast<std::streamsize>(pcx.size()));
            m_files.push_back(path);
        }
    }

    // Answers the file dialog with a picture file height dots high (a file
    // that is no picture for height 0), then notes the block it built.
    void ChooseFileWhenAsked(int height = 1)
    {
        std::string path = height == 0 ? (TempDir() / "notes.pcx").string() : m_files[static_cast<std::size_t>(height - 1)];
        if (height == 0) {
            std::ofstream(path) << "no picture";
        }
        WhenModalNamed("OpenPictDlg", [path](QWidget* dialog) {
            // Typed into the name field, as a user would.
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept checks the choice
        });
    }

    void Load(int height = 1)
    {
        ChooseFileWhenAsked(height);
        PictureDlg->LoadBt->click();
        lastBlock = NewPictureData;
    }

    // Clicks OK and answers the error box it shows; returns the box's text.
    static QString OkRefusedWith(QWidget* dialog)
    {
        QString text = "<no message>";
        WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                  [&text](QWidget* w) {
                      auto* box = static_cast<QMessageBox*>(w);
                      text = box->windowTitle() + ": " + box->text();
                      box->accept();
                  });
        ClickOk(dialog);
        return text;
    }

    static TFigure* AddPicture(const char* name, std::shared_ptr<TPictureData> data)
    {
        TPictureFigure picture;
        picture.X = 5;
        picture.Name = name;
        picture.Width = 8;
        picture.Height = 4;
        picture.Data = std::move(data);
        return Add(picture);
    }

    std::weak_ptr<TPictureData> lastBlock;

private:
    std::vector<std::string> m_files;
};

TEST_F(PictureDlgTest, ShowsItsButtonsAndTakesUpperCaseNamesOfEightCharacters)
{
    PreparePictureDialog(false, {3, 4});
    TPictureDlg* d = PictureDlg;
    EXPECT_EQ(d->windowTitle(), "Draw Picture");
    EXPECT_EQ(d->LoadBt->text(), "From Disk");
    EXPECT_EQ(d->ExtractBt->text(), "From Printer");
    EXPECT_TRUE(d->LoadBt->isEnabled());
    EXPECT_TRUE(d->ExtractBt->isEnabled());
    EXPECT_EQ(d->OpenPictDlg->defaultSuffix(), "pcx");
    EXPECT_EQ(d->PictName->text(), "PICT0001");
    EXPECT_EQ(d->StartX->text(), "3");
    d->PictName->clear();
    QTest::keyClicks(d->PictName, "logo 2abcdefg");
    EXPECT_EQ(d->PictName->text(), "LOGO 2AB");
}

struct RefusalCase {
    const char* name;
    bool load;
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << '"' << c.name << "\" -> " << c.message;
}

class PictureRefusal : public PictureDlgTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PictureRefusal, KeepsTheDialogOpenAndChangesNothing)
{
    AddPicture("TAKEN", std::make_shared<TPictureData>());
    const RefusalCase& c = GetParam();
    QString message;
    bool stillOpen = false;
    WhenModalNamed("PictureDlg", [&](QWidget* dialog) {
        if (c.load) {
            Load();
        }
        SetText(dialog, "PictName", c.name);
        SetText(dialog, "StartX", "77");
        message = OkRefusedWith(dialog);
        stillOpen = dialog->isVisible();
        ClickCancel(dialog);
    });
    DrawFigureWithDialog(5, {10, 10}, {10, 10});
    EXPECT_EQ(message.toStdString(), std::string("Error: ") + c.message);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(CountFigures(), 1u);
    EXPECT_EQ(PictureTemplate.X, 10);
    EXPECT_EQ(PictureTemplate.Name, "PICT0001");
    EXPECT_EQ(PictureTemplate.Data, nullptr);
    EXPECT_TRUE(lastBlock.expired());  // a loaded block went with the cancel
}

INSTANTIATE_TEST_SUITE_P(Checks, PictureRefusal,
                         ::testing::Values(RefusalCase{"", true, "No picture name"},
                                           RefusalCase{"   ", true, "No picture name"},
                                           RefusalCase{"LO GO", true, "Invalid picture name"},
                                           RefusalCase{"LO-GO", true, "Invalid picture name"},
                                           RefusalCase{"LOGO", false, "No picture loaded"},
                                           RefusalCase{"TAKEN", true, "Picture name already exists"},
                                           RefusalCase{" TAKEN ", true, "Picture name already exists"}));

TEST_F(PictureDlgTest, DrawingWithALoadedPictureAppendsItsOnlyOwner)
{
    Settings.PictureNumber = 7;
    WhenModalNamed("PictureDlg", [this](QWidget* dialog) {
        Load();
        SetText(dialog, "PictName", " LOGO ");
        ClickOk(dialog);
    });
    DrawFigureWithDialog(5, {30, 40}, {90, 90});
    EXPECT_EQ(PictureDlg->PictureFilePath, (TempDir() / "logo1.pcx").string());
    ASSERT_EQ(CountFigures(), 1u);
    const TPictureFigure& p = FigureList.FigureTail->Picture();
    EXPECT_EQ(p.X, 30);
    EXPECT_EQ(p.Y, 40);
    EXPECT_EQ(p.Name, "LOGO");
    EXPECT_EQ(p.Width, 16);
    EXPECT_EQ(p.Height, 1);
    EXPECT_EQ(p.DataLength, 4);  // 2 row bytes + 2
    ASSERT_NE(p.Data, nullptr);
    EXPECT_EQ(p.Data, lastBlock.lock());
    EXPECT_EQ(p.Data->RefCount, 1u);
    EXPECT_EQ(Settings.PictureNumber, 8);
    EXPECT_EQ(NewPictureData, nullptr);
    EXPECT_EQ(redraws, 1);
}

// A picture is a figure like the others: a full label opens no picture
// dialog, and OK on a label that filled up meanwhile appends nothing and
// keeps the dialog open.
TEST_F(PictureDlgTest, AFullLabelTakesNoNewPicture)
{
    FillLabel(MaxLabelFigures);
    QSignalSpy closed(PictureDlg, &QDialog::finished);
    CloseModalsForTheRestOfTheTest(::testing::UnitTest::GetInstance()->current_test_info());
    DrawFigureWithDialog(5, {30, 40}, {90, 90});
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(ui.OnlyMessage(), "Label can't hold more than 500 figures");
    EXPECT_EQ(CountFigures(), MaxLabelFigures);
}

TEST_F(PictureDlgTest, OkOnALabelFilledMeanwhileAppendsNoPicture)
{
    Settings.PictureNumber = 7;
    FillLabel(MaxLabelFigures - 1);
    bool stillOpen = false;
    WhenModalNamed("PictureDlg", [&](QWidget* dialog) {
        Load();
        SetText(dialog, "PictName", "LOGO");
        FillLabel(MaxLabelFigures);
        ClickOk(dialog);
        stillOpen = dialog->isVisible();
        ClickCancel(dialog);
    });
    DrawFigureWithDialog(5, {30, 40}, {90, 90});
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(ui.OnlyMessage(), "Label can't hold more than 500 figures");
    EXPECT_EQ(CountFigures(), MaxLabelFigures);
    EXPECT_EQ(Settings.PictureNumber, 7);
    EXPECT_TRUE(lastBlock.expired());  // the loaded block went with the cancel
}

TEST_F(PictureDlgTest, ASecondLoadReplacesTheFirstBlock)
{
    std::weak_ptr<TPictureData> first;
    WhenModalNamed("PictureDlg", [&](QWidget* dialog) {
        Load(1);
        first = lastBlock;
        Load(2);
        ClickOk(dialog);
    });
    DrawFigureWithDialog(5, {0, 0}, {0, 0});
    EXPECT_TRUE(first.expired());
    ASSERT_EQ(CountFigures(), 1u);
    EXPECT_EQ(FigureList.FigureTail->Picture().Height, 2);
}

TEST_F(PictureDlgTest, ACancelledFileChoiceLoadsNothing)
{
    WhenModalNamed("PictureDlg", [](QWidget* dialog) {
        WhenModalNamed("OpenPictDlg", [](QWidget* files) { static_cast<QFileDialog*>(files)->reject(); });
        PictureDlg->LoadBt->click();
        EXPECT_EQ(PictureDlg->PictureLoaded, 0);
        OkRefusedWith(dialog);
        ClickCancel(dialog);
    });
    DrawFigureWithDialog(5, {0, 0}, {0, 0});
    EXPECT_EQ(NewPictureData, nullptr);
    EXPECT_EQ(CountFigures(), 0u);
}

TEST_F(PictureDlgTest, AFailedLoadLeavesNothingLoaded)
{
    WhenModalNamed("PictureDlg", [this](QWidget* dialog) {
        Load(0);
        EXPECT_EQ(PictureDlg->PictureLoaded, 0);
        EXPECT_EQ(OkRefusedWith(dialog), "Error: No picture loaded");
        ClickCancel(dialog);
    });
    DrawFigureWithDialog(5, {0, 0}, {0, 0});
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Invalid graphics format");
    EXPECT_EQ(CountFigures(), 0u);
}

TEST_F(PictureDlgTest, TheSecondDrawingProposesTheFirstNameAndRefusesIt)
{
    auto draw = [this](const char* name) {
        QString refused;
        WhenModalNamed("PictureDlg", [&, name](QWidget* dialog) {
            Load();
            if (name != nullptr) {
                refused = OkRefusedWith(dialog);
                SetText(dialog, "PictName", name);
            }
            ClickOk(dialog);
        });
        DrawFigureWithDialog(5, {0, 0}, {0, 0});
        return refused;
    };
    draw(nullptr);
    EXPECT_EQ(draw("PICT2"), "Error: Picture name already exists");
    ASSERT_EQ(CountFigures(), 2u);
    EXPECT_EQ(FigureList.FigureHead->Picture().Name, "PICT0001");
    EXPECT_EQ(FigureList.FigureTail->Picture().Name, "PICT2");
    EXPECT_NE(FigureList.FigureHead->Picture().Data, FigureList.FigureTail->Picture().Data);
}

TEST_F(PictureDlgTest, EditingKeepsItsOwnNameAndRenamesTheGroup)
{
    auto block = std::make_shared<TPictureData>();
    block->RefCount = 2;
    TFigure* a = AddPicture("OLD", block);
    TFigure* b = AddPicture("OLD", block);
    TFigure* other = AddPicture("OTHER", std::make_shared<TPictureData>());
    block.reset();

    WhenModalNamed("PictureDlg", [](QWidget* dialog) { ClickOk(dialog); });
    EXPECT_TRUE(EditFigureWithDialog(*a));  // its own name is no clash

    WhenModalNamed("PictureDlg", [](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Edit Picture");
        SetText(dialog, "PictName", "NEW");
        ClickOk(dialog);
    });
    EXPECT_TRUE(EditFigureWithDialog(*a));
    EXPECT_EQ(a->Picture().Name, "NEW");
    EXPECT_EQ(b->Picture().Name, "NEW");
    EXPECT_EQ(other->Picture().Name, "OTHER");
    EXPECT_EQ(a->Picture().Data, b->Picture().Data);
    EXPECT_EQ(a->Picture().Data->RefCount, 2u);
    EXPECT_EQ(CountFigures(), 3u);
}

// Label files and printer forms name pictures with up to 15 characters,
// longer than a user types: editing such a figure shows its name whole and
// keeps it; typing can shorten it, not lengthen it.
TEST_F(PictureDlgTest, ANameLongerThanTypedOnesShowsWholeAndIsKept)
{
    for (const char* name : {"LONGNAME12", "ABCDEFGHIJKLMNO"}) {
        SCOPED_TRACE(name);
        TFigure* figure = AddPicture(name, std::make_shared<TPictureData>());
        WhenModalNamed("PictureDlg", [name](QWidget* dialog) {
            auto* field = dialog->findChild<QLineEdit*>("PictName");
            EXPECT_EQ(field->text().toStdString(), name);
            QTest::keyClick(field, Qt::Key_End);
            QTest::keyClicks(field, "x");
            EXPECT_EQ(field->text().toStdString(), name);
            ClickOk(dialog);
        });
        EXPECT_TRUE(EditFigureWithDialog(*figure));
        EXPECT_EQ(figure->Picture().Name, name);
    }
    // A short name gives the field its typing limit back.
    PreparePictureDialog(false, {0, 0});
    PictureDlg->PictName->clear();
    QTest::keyClicks(PictureDlg->PictName, "ABCDEFGHIJ");
    EXPECT_EQ(PictureDlg->PictName->text(), "ABCDEFGH");
}

TEST_F(PictureDlgTest, ReloadingASharedPictureRepointsTheGroupAndFreesTheOldBlockOnce)
{
    auto block = std::make_shared<TPictureData>();
    block->RefCount = 2;
    const std::weak_ptr<TPictureData> oldBlock = block;
    TFigure* a = AddPicture("OLD", block);
    TFigure* b = AddPicture("OLD", block);
    block.reset();

    WhenModalNamed("PictureDlg", [this](QWidget* dialog) {
        Load();
        SetText(dialog, "PictName", "FRESH");
        ClickOk(dialog);
    });
    EXPECT_TRUE(EditFigureWithDialog(*b));
    // The template still holds the new block for the next opening; the old
    // one is gone.
    EXPECT_TRUE(oldBlock.expired());
    for (const TFigure* f : {a, b}) {
        const TPictureFigure& p = f->Picture();
        EXPECT_EQ(p.Data, lastBlock.lock());
        EXPECT_EQ(p.Name, "FRESH");
        EXPECT_EQ(p.Width, 16);
        EXPECT_EQ(p.Height, 1);
        EXPECT_EQ(p.DataLength, 4);
        EXPECT_EQ(p.X, 5);
    }
    EXPECT_EQ(a->Picture().Data->RefCount, 2u);
    EXPECT_EQ(CountFigures(), 2u);
}

TEST_F(PictureDlgTest, ACancelledReloadLeavesTheFigureAsItWas)
{
    auto block = std::make_shared<TPictureData>();
    block->RefCount = 1;
    TFigure* a = AddPicture("OLD", block);
    const std::string before = Snapshot(*a);
    WhenModalNamed("PictureDlg", [this](QWidget* dialog) {
        Load();
        SetText(dialog, "PictName", "OTHER");
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(EditFigureWithDialog(*a));
    EXPECT_EQ(Snapshot(*a), before);
    EXPECT_EQ(a->Picture().Data, block);
    EXPECT_EQ(block->RefCount, 1u);
    EXPECT_TRUE(lastBlock.expired());
}

}  // namespace
}  // namespace zk::test
