// The open-picture dialog: its set-up, the header probes behind the
// preview's tool tip, the preview's scaling and centring, and choosing a
// file by double-clicking the preview.

#include <QDateTime>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/support/engine_fixture.h"
#include "tests/support/test_pictures.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "tests/ui/dialogs/file_details_fit.h"
#include "ui/dialogs/info_open.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;

// An 8-bit BMP of one grey, width x height.
Bytes Bmp8Bytes(int width, int height)
{
    const int stride = (width + 3) / 4 * 4;
    const int offset = 14 + 40 + 256 * 4;
    Bytes file(static_cast<std::size_t>(offset + stride * height), 0);
    const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<std::uint32_t>(file.size()), 4);
    put(10, offset, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 8, 2);
    for (int i = 0; i < 256; ++i) {
        put(54 + 4 * i, static_cast<std::uint32_t>(i * 0x010101), 4);
    }
    std::fill(file.begin() + offset, file.end(), 0x80);
    return file;
}

QStringList TipLines(const TInfoOpen& dialog)
{
    return dialog.PreviewImage->toolTip().split('\n');
}

class InfoOpenTest : public test::EngineTest {
protected:
    InfoOpenTest() : dialog(nullptr) { ResetInfoOpenState(); }
    ~InfoOpenTest() override { ResetInfoOpenState(); }

    QString Write(const char* name, const Bytes& bytes)
    {
        const auto path = TempDir() / name;
        test::WriteBytes(path, bytes);
        return QString::fromStdString(path.string());
    }

    TInfoOpen dialog;
};

TEST_F(InfoOpenTest, IsQtsOwnOpenDialogForExistingPictures)
{
    EXPECT_EQ(dialog.windowTitle(), "Open Picture Dialog");
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    ASSERT_EQ(dialog.nameFilters().size(), 1);
    EXPECT_TRUE(dialog.nameFilters()[0].startsWith("Bitmaps and JPEG files"));
    EXPECT_EQ(dialog.PreviewImage->toolTip(), "No picture selected");
    EXPECT_EQ(PreviewSize, 212);
}

TEST_F(InfoOpenTest, SmallBmpIsShownUnscaledAndCentred)
{
    const QString path = Write("small.bmp", Bmp8Bytes(100, 50));
    dialog.DoSelectionChange(path);
    const QStringList lines = TipLines(dialog);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "Bitmap (256 Colors)");
    EXPECT_EQ(lines[1], QString("%1 bytes").arg(14 + 40 + 1024 + 100 * 50));
    EXPECT_EQ(lines[2], QDateTime::fromSecsSinceEpoch(PictureFileDate).toString("dd/MM/yyyy  hh:mm"));
    EXPECT_EQ(lines[2].size(), 17);
    EXPECT_EQ(lines[3], "100 x 50 pixels");
    EXPECT_EQ(dialog.PreviewImage->geometry(), QRect((212 - 100) / 2, (212 - 50) / 2, 100, 50));
    EXPECT_EQ(PictureBitsPerPixel, 8);
}

TEST_F(InfoOpenTest, BigJpegIsDecodedSmallerAndFittedToThePreview)
{
    PreviewSize = 200;
    const QString path = Write("big.JPG", test::JpegBytes(test::QuarteredImage(2400, 1600), {.Quality = 30}));
    dialog.DoSelectionChange(path);
    const QStringList lines = TipLines(dialog);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "JPEG file (Color)");
    // 8 x 200 < 2400: decoded at one eighth (300 x 200), shown 200 x 133.
    EXPECT_EQ(lines[3], "2400 x 1600 pixels");
    EXPECT_EQ(dialog.PreviewImage->size(), QSize(200, 133));
    EXPECT_EQ(dialog.PreviewImage->pixmap().size(), QSize(200, 133));
    EXPECT_EQ(dialog.PreviewImage->pos(), QPoint(0, (200 - 133) / 2));
    EXPECT_EQ(PictureMaxSide, 2400);
}

TEST_F(InfoOpenTest, TallGreyJpegKeepsItsHeightToThePreview)
{
    const QString path = Write("tall.jpeg", test::JpegBytes(TColourImage(100, 400), {.Greyscale = true}));
    dialog.DoSelectionChange(path);
    EXPECT_EQ(TipLines(dialog)[0], "JPEG file (Greyscale)");
    EXPECT_EQ(dialog.PreviewImage->size(), QSize(212 * 100 / 400, 212));
}

TEST_F(InfoOpenTest, UnreadablePicturesSayNoPictureAndOtherFilesChangeNothing)
{
    dialog.DoSelectionChange(Write("good.bmp", Bmp8Bytes(10, 10)));
    const QString goodTip = dialog.PreviewImage->toolTip();
    dialog.DoSelectionChange(Write("notes.txt", {1, 2, 3}));
    EXPECT_EQ(dialog.PreviewImage->toolTip(), goodTip);

    const Bytes jpeg = test::JpegBytes(TColourImage(16, 16));
    for (const auto& [name, bytes] : {std::pair{"cut.jpg", Bytes(jpeg.begin(), jpeg.begin() + 30)},
                                      std::pair{"nojpeg.jpg", Bytes{1, 2, 3, 4}},
                                      std::pair{"zero.bmp", Bytes(40, 0)}}) {
        dialog.DoSelectionChange(Write(name, bytes));
        EXPECT_EQ(dialog.PreviewImage->toolTip(), "No picture selected") << name;
    }
}

TEST_F(InfoOpenTest, DamagedPictureKeepsOnlyTheFirstTipLine)
{
    Bytes bmp = Bmp8Bytes(10, 10);
    bmp.resize(200);  // header intact, rows missing
    dialog.DoSelectionChange(Write("damaged.bmp", bmp));
    EXPECT_EQ(dialog.PreviewImage->toolTip(), "Bitmap (256 Colors)");
}

TEST_F(InfoOpenTest, TheFileDetailsShowWholeInTheirColumns)
{
    Write("photo.bmp", Bytes(11800, 0));
    dialog.setDirectory(QString::fromStdString(TempDir().string()));
    dialog.show();
    test::ExpectFileDetailsShowWhole(dialog, "photo.bmp");
    dialog.hide();
}

// A name typed into the name field is previewed as a clicked one is, with
// the size it has now: here a file the list showed empty, written since.
TEST_F(InfoOpenTest, ATypedNameIsPreviewedWithItsSizeOfNow)
{
    Write("late.bmp", {});
    dialog.setDirectory(QString::fromStdString(TempDir().string()));
    const Bytes lateBytes = Bmp8Bytes(60, 10);
    struct Seen {
        QStringList tip;
        QSize shown;
    } relative;
    test::WhenModal([this](QWidget* w) { return w == &dialog; },
                    [&](QWidget*) {
                        Write("late.bmp", lateBytes);
                        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
                        ASSERT_NE(name, nullptr);
                        name->setFocus();
                        QTest::keyClicks(name, "late.bmp");
                        relative = {TipLines(dialog), dialog.PreviewImage->size()};
                        dialog.reject();
                    });
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(relative.tip.size(), 4);
    EXPECT_EQ(relative.tip[0], "Bitmap (256 Colors)");
    EXPECT_EQ(relative.tip[1], QString("%1 bytes").arg(lateBytes.size()));
    EXPECT_EQ(relative.tip[3], "60 x 10 pixels");
    EXPECT_EQ(relative.shown, QSize(60, 10));
}

// Each showing starts with no picture in the tip: the file the last showing
// previewed is previewed again when chosen again.
TEST_F(InfoOpenTest, AFileChosenAgainInALaterShowingIsPreviewedAgain)
{
    const QString path = Write("again.bmp", Bmp8Bytes(30, 20));
    dialog.setDirectory(QString::fromStdString(TempDir().string()));
    for (int showing = 0; showing < 2; ++showing) {
        SCOPED_TRACE(showing);
        QStringList tip;
        test::WhenModal([this](QWidget* w) { return w == &dialog; },
                        [&](QWidget*) {
                            dialog.DoSelectionChange(path);
                            tip = TipLines(dialog);
                            dialog.reject();
                        });
        EXPECT_FALSE(dialog.Execute());
        ASSERT_EQ(tip.size(), 4);
        EXPECT_EQ(tip[3], "30 x 20 pixels");
    }
}

TEST_F(InfoOpenTest, ShowingAttachesASquarePreviewAndADoubleClickChooses)
{
    const QString path = Write("pick.bmp", Bmp8Bytes(30, 20));
    dialog.setDirectory(QString::fromStdString(TempDir().string()));
    int shownHeight = 0;
    int panelWidth = 0;
    QString okCaption;
    test::WhenModal([this](QWidget* w) { return w == &dialog; },
                    [&](QWidget*) {
                        shownHeight = dialog.height();
                        panelWidth = dialog.PreviewPanel->width();
                        okCaption = dialog.labelText(QFileDialog::Accept);
                        dialog.selectFile(path);
                        dialog.DoSelectionChange(path);
                        dialog.PreviewDblClick();
                    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(PreviewChosen, 1);
    EXPECT_EQ(PictureFileName, path.toStdString());
    EXPECT_EQ(PreviewSetUp, 0);
    EXPECT_EQ(PreviewSize, panelWidth);
    EXPECT_GT(shownHeight, 0);
    EXPECT_EQ(okCaption, "&Open");
}

// A double click on the preview chooses the picture it shows: not a name
// typed or clicked since that shows nothing (a file of another kind, a
// partly typed name), and nothing when no picture shows (one that can't be
// read, or a new showing of the dialog).
TEST_F(InfoOpenTest, ADoubleClickOnThePreviewChoosesThePictureItShows)
{
    const QString good = Write("good.bmp", Bmp8Bytes(10, 10));
    const QString other = Write("notes.txt", {1, 2, 3});
    const QString unreadable = Write("zero.bmp", Bytes(40, 0));
    const QString folder = QString::fromStdString(TempDir().string());
    dialog.setDirectory(folder);
    struct Case {
        const char* name;
        QStringList after;  // chosen after good.bmp was shown
        bool chosen;
    };
    for (const Case& c : {Case{"a file of another kind", {other}, true},
                          Case{"a partly typed name", {folder + "/g"}, true},
                          Case{"a picture that can't be read", {unreadable}, false},
                          Case{"the same one after it", {unreadable, other}, false}}) {
        SCOPED_TRACE(c.name);
        ResetInfoOpenState();
        bool previewEmpty = false;
        test::WhenModal([this](QWidget* w) { return w == &dialog; },
                        [&](QWidget*) {
                            dialog.DoSelectionChange(good);
                            for (const QString& path : c.after) {
                                dialog.DoSelectionChange(path);
                            }
                            previewEmpty = dialog.PreviewImage->pixmap().isNull();
                            dialog.PreviewDblClick();
                            if (dialog.isVisible()) {
                                dialog.reject();
                            }
                        });
        EXPECT_FALSE(dialog.Execute());
        EXPECT_EQ(PreviewChosen, c.chosen ? 1 : 0);
        EXPECT_EQ(PictureFileName, c.chosen ? good.toStdString() : std::string());
        EXPECT_EQ(previewEmpty, !c.chosen);
    }
    // The next showing starts with an empty preview that chooses nothing.
    ResetInfoOpenState();
    bool previewEmpty = false;
    test::WhenModal([this](QWidget* w) { return w == &dialog; },
                    [&](QWidget*) {
                        previewEmpty = dialog.PreviewImage->pixmap().isNull();
                        dialog.PreviewDblClick();
                        if (dialog.isVisible()) {
                            dialog.reject();
                        }
                    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(previewEmpty);
    EXPECT_EQ(PreviewChosen, 0);
}

}  // namespace
}  // namespace zk
