// The colour converter form: its controls, loading through the picture
// dialog, sizes and rotation, the rubber band and Cut, large pictures, the
// test print over the printer emulator and saving a 1-bit BMP that the
// picture loader reads back.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/image/grey_kernels.h"
#include "tests/support/image_geometry.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/picture/pcx_row_decoder.h"
#include "engine/picture/picture_file.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/printer_emulator.h"
#include "tests/support/test_pictures.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "ui/dialogs/color_to_bw.h"
#include "ui/dialogs/color_to_bw_image.h"
#include "ui/dialogs/info_open.h"

namespace zk {
namespace {

using namespace std::string_literals;

class ColorToBWTest : public test::EngineTest {
protected:
    ColorToBWTest()
    {
        ResetInfoOpenState();
        form.show();
    }
    ~ColorToBWTest() override { ResetInfoOpenState(); }

    std::string WritePicture(const char* name, const std::vector<std::uint8_t>& bytes)
    {
        const auto path = TempDir() / name;
        test::WriteBytes(path, bytes);
        return path.string();
    }
    std::string WriteBmp(const char* name, const TColourImage& image)
    {
        return WritePicture(name, test::Bmp24Bytes(image));
    }
    void Load(const TColourImage& image)
    {
        ASSERT_TRUE(form.OpenPicture(WriteBmp("picture.bmp", image)));
    }
    // Loads through the Load button and the open-picture dialog.
    void LoadThroughDialog(const std::string& path)
    {
        test::WhenModal([](QWidget* w) { return qobject_cast<TInfoOpen*>(w) != nullptr; },
                        [path](QWidget* w) {
                            auto* dialog = static_cast<TInfoOpen*>(w);
                            dialog->selectFile(QString::fromStdString(path));
                            // The file name field keeps what it shows while it has the focus.
                            if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) {
                                name->setText(QString::fromStdString(path));
                            }
                            static_cast<QDialog*>(dialog)->accept();
                        });
        form.LoadBtClick();
    }
    void Mouse(QEvent::Type type, int x, int y)
    {
        QMouseEvent event(type, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        if (type == QEvent::MouseButtonPress) {
            form.ColorBmpMouseDown(&event);
        } else if (type == QEvent::MouseMove) {
            form.ColorBmpMouseMove(&event);
        } else {
            form.ColorBmpMouseUp(&event);
        }
    }
    void Band(int x0, int y0, int x1, int y1)
    {
        Mouse(QEvent::MouseButtonPress, x0, y0);
        Mouse(QEvent::MouseMove, x1, y1);
        Mouse(QEvent::MouseButtonRelease, x1, y1);
    }
    int BlackDots()
    {
        const TMonoImage16& bw = form.BlackWhiteImage();
        int count = 0;
        for (int y = 0; y < bw.Height; ++y) {
            for (int x = 0; x < bw.Width; ++x) {
                count += bw.IsWhite(x, y) ? 0 : 1;
            }
        }
        return count;
    }

    TColorToBW form;
};

TEST_F(ColorToBWTest, ShowsItsControlsWithTheirNamesAndCaptions)
{
    EXPECT_EQ(form.objectName(), "ColorToBW");
    EXPECT_EQ(form.windowTitle(), "Color to Black & White Converter");
    EXPECT_EQ(form.minimumSize(), QSize(635, 482));
    const std::pair<const char*, const char*> buttons[] = {
        {"LoadBt", "Load"}, {"SaveBt", "Save"},   {"TestBt", "Test"}, {"ConvertBt", "Convert"},
        {"ResetBt", "Reset"}, {"CutBt", "Cut"}, {"CanBt", "C"},
    };
    for (const auto& [name, caption] : buttons) {
        auto* button = form.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), caption) << name;
    }
    EXPECT_FALSE(form.CanBt->isVisible());
    for (const char* name : {"CtlPanel", "PanelA", "PanelB", "PanelC", "PanelD", "PictPanel", "SelSize", "SizeX",
                             "SizeY", "Rotation", "Brightness", "Contrast", "Proportions", "Threshold", "CtlReset1",
                             "Red", "Green", "Blue", "CtlReset2", "ColorBox", "BWBox", "BWsplitter", "ColorBmp",
                             "BWBmp"}) {
        EXPECT_NE(form.findChild<QWidget*>(name), nullptr) << name;
    }
    EXPECT_EQ(form.Proportions->text(), "Constrain proportions");
    EXPECT_TRUE(form.Proportions->isChecked());
    EXPECT_EQ(form.Threshold->text(), "50 % Threshold");
    ASSERT_EQ(form.Rotation->count(), 4);
    EXPECT_EQ(form.Rotation->itemText(1), "90 deg");
    EXPECT_EQ(form.Rotation->itemText(3), "270 deg");
    EXPECT_EQ(form.Red->maximum(), 32);
    EXPECT_EQ(form.Contrast->maximum(), 250);
    EXPECT_EQ(form.Brightness->minimum(), -100);
}

TEST_F(ColorToBWTest, BeforeTheFirstLoadOnlyLoadWorksAndBothImagesAreWhite)
{
    EXPECT_EQ(form.SizeX->text(), "256");
    EXPECT_EQ(form.SizeY->text(), "192");
    EXPECT_TRUE(form.LoadBt->isEnabled());
    for (QWidget* control : std::initializer_list<QWidget*>{form.SaveBt, form.TestBt, form.ConvertBt, form.CutBt,
                                                            form.ResetBt, form.SizeX, form.Rotation, form.Red,
                                                            form.Brightness, form.Threshold}) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    EXPECT_EQ(form.ColorBmp->Image().size(), QSize(256, 192));
    EXPECT_EQ(form.BWBmp->Image().size(), QSize(256, 192));
    EXPECT_EQ(form.BWBmp->Image().pixel(100, 100), qRgb(255, 255, 255));
    EXPECT_NE(form.PictureDialog, nullptr);
}

TEST_F(ColorToBWTest, LoadingThroughThePictureDialogConvertsAtOnce)
{
    const std::string path = WritePicture("photo.jpg", test::JpegBytes(test::QuarteredImage(60, 40)));
    LoadThroughDialog(path);
    EXPECT_EQ(form.windowTitle().toStdString(), "Color to B&W Converter - " + path);
    EXPECT_EQ(form.SizeX->text(), "60");
    EXPECT_EQ(form.SizeY->text(), "40");
    EXPECT_EQ(form.BlackWhiteImage().Width, 60);
    EXPECT_TRUE(form.TestBt->isEnabled());
    EXPECT_TRUE(form.SaveBt->isEnabled());
    EXPECT_TRUE(form.Rotation->isEnabled());
    EXPECT_EQ(form.Contrast->value(), 128);
    // The white quarter (bottom right) stays white, the blue one turns black.
    EXPECT_TRUE(form.BlackWhiteImage().IsWhite(50, 35));
    EXPECT_FALSE(form.BlackWhiteImage().IsWhite(5, 35));
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(ColorToBWTest, BadFilesGiveTheirMessagesAndLoadNothing)
{
    EXPECT_FALSE(form.LoadPicturePath(WritePicture("notes.txt", {1, 2, 3})));
    EXPECT_EQ(ui.OnlyMessage(), "Unknown file extension");
    ui.messageBoxes.clear();
    EXPECT_FALSE(form.LoadPicturePath(WritePicture("broken.jpg", {0xFF, 0xD8, 0xFF, 0xC0, 0, 2})));
    EXPECT_EQ(ui.OnlyMessage(), "Can't open graphics file");
    EXPECT_FALSE(form.SourcePicture.has_value());
    ui.messageBoxes.clear();
    EXPECT_FALSE(form.LoadPicturePath(WritePicture("short.bmp", {'B', 'M', 0, 0})));
    EXPECT_EQ(ui.OnlyMessage(), "Can't open graphics file");
    EXPECT_FALSE(form.ConvertBt->isEnabled());
}

TEST_F(ColorToBWTest, FailedLoadKeepsTheEarlierPictureAndState)
{
    const TColourImage first = test::QuarteredImage(40, 30);
    std::vector<std::uint8_t> truncated = test::Bmp24Bytes(test::QuarteredImage(40, 30));
    truncated.resize(truncated.size() / 2);
    const struct {
        std::string path;
        const char* message;
    } rows[] = {
        {WritePicture("truncated.bmp", truncated), "Can't open graphics file"},
        {WritePicture("broken.jpg", {0xFF, 0xD8, 0xFF, 0xC0, 0, 2}), "Can't open graphics file"},
        {WritePicture("notes.txt", {1, 2, 3}), "Unknown file extension"},
    };
    LoadThroughDialog(WriteBmp("good.bmp", first));
    form.Rotation->setCurrentIndex(2);
    form.Red->setValue(24);
    Band(5, 5, 20, 20);
    ASSERT_TRUE(form.CutBt->isEnabled());
    const QString title = form.windowTitle();
    const std::vector<std::uint32_t> colour = form.ColourImage().Pixels;
    const std::vector<std::uint16_t> result = form.BlackWhiteImage().Words;

    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        ui.messageBoxes.clear();
        LoadThroughDialog(row.path);
        EXPECT_EQ(ui.OnlyMessage(), row.message);
        ASSERT_TRUE(form.SourcePicture.has_value());
        EXPECT_EQ(form.SourcePicture->Pixels, first.Pixels);
        EXPECT_EQ(form.windowTitle(), title);
        EXPECT_EQ(form.Rotation->currentIndex(), 2);
        EXPECT_EQ(form.Red->value(), 24);
        EXPECT_EQ(form.SizeX->text(), "40");
        EXPECT_TRUE(form.CutBt->isEnabled());
        EXPECT_EQ(form.SelectionShown, 1);
        EXPECT_EQ(form.ColourImage().Pixels, colour);
        EXPECT_EQ(form.BlackWhiteImage().Words, result);
        EXPECT_TRUE(form.SaveBt->isEnabled());
    }

    // The kept picture still converts: back to neutral gains it is the
    // first picture turned half a turn.
    form.Red->setValue(16);
    EXPECT_EQ(form.ColourImage().At(39, 29), first.At(0, 0));
    const std::string target = (TempDir() / "kept.bmp").string();
    ui.saveFileChoices.push_back(target);
    form.SaveBtClick();
    ASSERT_EQ(LoadPictureFile(target), PictureLoadedBmp);
    EXPECT_EQ(PcxWidth(PcxImageBuffer.Image()), 40);
    EXPECT_GT(BlackDots(), 0);
}

TEST_F(ColorToBWTest, PicturesBeyondTheSizeFieldsOrTheReadersAreRefusedAsTooLarge)
{
    Load(test::QuarteredImage(40, 30));
    const TColourImage first = *form.SourcePicture;
    // A JPEG whose frame header says 9000 x 9000: the reader stops there.
    std::vector<std::uint8_t> hugeJpeg = test::JpegBytes(test::QuarteredImage(16, 16));
    for (std::size_t i = 0; i + 8 < hugeJpeg.size(); ++i) {
        if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {
            hugeJpeg[i + 5] = 9000 >> 8;
            hugeJpeg[i + 6] = 9000 & 0xFF;
            hugeJpeg[i + 7] = 9000 >> 8;
            hugeJpeg[i + 8] = 9000 & 0xFF;
            break;
        }
    }
    // A BMP header saying 40000 x 2; the pixels never get read.
    std::vector<std::uint8_t> wideBmp = test::Bmp24Bytes(TColourImage(4, 2));
    wideBmp[18] = 40000 & 0xFF;
    wideBmp[19] = 40000 >> 8;
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* message;
    } rows[] = {
        {"wide.bmp", test::Bmp24Bytes(TColourImage(10001, 2)),
         "Picture too large: 10001 x 2 dots (the converter takes at most 9999 x 9999)"},
        {"tall.bmp", test::Bmp24Bytes(TColourImage(3, 12000)),
         "Picture too large: 3 x 12000 dots (the converter takes at most 9999 x 9999)"},
        {"wider.bmp", wideBmp, "Picture too large: 40000 x 2 dots (the converter takes at most 9999 x 9999)"},
        {"huge.jpg", hugeJpeg, "Picture too large: 9000 x 9000 dots (the converter takes at most 67108864 dots)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ui.messageBoxes.clear();
        EXPECT_FALSE(form.OpenPicture(WritePicture(row.name, row.bytes)));
        EXPECT_EQ(ui.OnlyMessage(), row.message);
        EXPECT_EQ(form.SourcePicture->Pixels, first.Pixels);
        EXPECT_EQ(form.SizeX->text(), "40");
        EXPECT_EQ(form.TargetWidth, 40);
    }

    // The widest picture the fields hold shows its whole size.
    ui.messageBoxes.clear();
    ASSERT_TRUE(form.OpenPicture(WritePicture("widest.bmp", test::Bmp24Bytes(TColourImage(9999, 2)))));
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(form.SizeX->text(), "9999");
    EXPECT_EQ(form.TargetWidth, 9999);
    EXPECT_EQ(form.ColourImage().Width, 9999);
}

TEST_F(ColorToBWTest, RotationSwapsTheSizesOnlyWhenTheParityChanges)
{
    Load(test::QuarteredImage(300, 200));
    form.Rotation->setCurrentIndex(1);
    EXPECT_EQ(form.SizeX->text(), "200");
    EXPECT_EQ(form.SizeY->text(), "300");
    EXPECT_EQ(form.ColourImage().Width, 200);
    form.Rotation->setCurrentIndex(3);
    EXPECT_EQ(form.SizeX->text(), "200");
    EXPECT_EQ(form.LastRotation, 3);
    form.Rotation->setCurrentIndex(2);
    EXPECT_EQ(form.SizeX->text(), "300");
    // Half a turn: the red top-left quarter is now at the bottom right.
    EXPECT_EQ(form.ColourImage().At(290, 190), MakePixel(255, 0, 0));
}

TEST_F(ColorToBWTest, TypedWidthKeepsProportionsAndTinySizesDrawFourDots)
{
    Load(test::QuarteredImage(300, 200));
    form.SizeX->clear();
    QTest::keyClicks(form.SizeX, "150");
    EXPECT_EQ(form.SizeY->text(), "100");
    form.SizeXExit();
    EXPECT_EQ(form.ColourImage().Width, 150);
    EXPECT_EQ(form.BlackWhiteImage().Height, 100);

    form.SizeX->clear();
    QTest::keyClicks(form.SizeX, "2");
    EXPECT_EQ(form.TargetWidth, 2);
    EXPECT_EQ(form.TargetHeight, 1);
    form.SizeXExit();
    EXPECT_EQ(form.ColourImage().Width, 4);
    EXPECT_EQ(form.BlackWhiteImage().Width, 4);
    EXPECT_EQ(form.BlackWhiteImage().Height, 4);
}

TEST_F(ColorToBWTest, GainsShowOnTheColourImage)
{
    Load(TColourImage(8, 8, MakePixel(200, 100, 40)));
    form.Red->setValue(0);
    form.Blue->setValue(32);
    EXPECT_EQ(form.ColourImage().At(3, 3) & 0xFFFFFF, 0x006450u);
    form.CtlReset2DblClick();
    EXPECT_EQ(form.ColourImage().At(3, 3) & 0xFFFFFF, 0xC86428u);
    form.CtlReset1DblClick();
    EXPECT_EQ(form.Contrast->value(), 125);
    EXPECT_EQ(form.Brightness->value(), 0);
}

// However many changes a slider sends before the event loop turns, the
// images are rebuilt once, at that turn, for the last settings.
TEST_F(ColorToBWTest, SliderChangesRebuildOncePerTurnOfTheEventLoop)
{
    const TColourImage picture = test::QuarteredImage(40, 30);
    Load(picture);
    // Copies: the control shows the result's own words.
    const QImage before = form.BWBmp->Image().copy();
    for (int step = 0; step < 10; ++step) {
        form.Red->setValue(step);
        form.Brightness->setValue(-step * 5);
    }
    EXPECT_EQ(form.BWBmp->Image(), before);
    QCoreApplication::processEvents();
    const QImage after = form.BWBmp->Image().copy();
    EXPECT_NE(after, before);

    TColourImage shown = picture;
    ApplyChannelGains(shown.Pixels, 9, NeutralGain, NeutralGain);
    const TMonoImage16 expected = ConvertToMonochrome(shown, -45, form.Contrast->value(), false);
    EXPECT_EQ(form.BlackWhiteImage().Words, expected.Words);
    EXPECT_EQ(form.BWBmp->Image(), after);
}

// Convert makes what the whole-image steps make of the picture as shown:
// turned, stretched, with its gains, brightness and contrast.
TEST_F(ColorToBWTest, ConvertMakesThePictureOfTheWholeImageSteps)
{
    const TColourImage picture = test::QuarteredImage(640, 420);
    const struct {
        int rotation, width, red, green, blue, brightness, contrast;
        bool threshold;
    } settings[] = {
        {0, 640, 16, 16, 16, 0, 128, false},
        {1, 500, 20, 10, 32, -20, 250, false},
        {2, 777, 0, 16, 30, 40, 60, false},
        {3, 333, 16, 16, 16, 0, 128, true},
    };
    Load(picture);
    for (const auto& s : settings) {
        SCOPED_TRACE(s.rotation);
        form.Rotation->setCurrentIndex(s.rotation);
        form.SizeX->setFocus();
        form.SizeX->setText(QString::number(s.width));
        form.SizeXExit();
        form.Red->setValue(s.red);
        form.Green->setValue(s.green);
        form.Blue->setValue(s.blue);
        form.Brightness->setValue(s.brightness);
        form.Contrast->setValue(s.contrast);
        form.Threshold->setChecked(s.threshold);
        form.ConvertBtClick();

        TColourImage shown = DrawRotatedImage(picture, RotateClockwise(picture), s.rotation, form.TargetWidth,
                                              form.TargetHeight);
        ApplyChannelGains(shown.Pixels, s.red, s.green, s.blue);
        const TMonoImage16 expected = ConvertToMonochrome(shown, s.brightness, s.contrast, s.threshold);
        EXPECT_EQ(form.ColourImage().Pixels, shown.Pixels);
        EXPECT_EQ(form.BlackWhiteImage().Width, expected.Width);
        EXPECT_EQ(form.BlackWhiteImage().Height, expected.Height);
        EXPECT_EQ(form.BlackWhiteImage().Words, expected.Words);
    }
}

TEST_F(ColorToBWTest, GainResetDropsTheSelectionAsAGainChangeDoes)
{
    Load(test::QuarteredImage(40, 40));
    for (const int red : {16, 0}) {
        SCOPED_TRACE(red);
        form.Red->setValue(red);
        Band(5, 5, 30, 30);
        ASSERT_TRUE(form.CutBt->isEnabled());
        QTest::mouseDClick(form.CtlReset2, Qt::LeftButton);
        EXPECT_EQ(form.Red->value(), 16);
        EXPECT_EQ(form.SelectionShown, 0);
        EXPECT_FALSE(form.CutBt->isEnabled());
        EXPECT_TRUE(form.SelSize->text().isEmpty());
    }
}

TEST_F(ColorToBWTest, ThresholdMakesAUniformGreyAllWhiteOrAllBlack)
{
    Load(TColourImage(20, 20, MakePixel(127, 127, 127)));
    form.Threshold->click();
    EXPECT_EQ(BlackDots(), 0);
    form.Brightness->setValue(-1);
    EXPECT_EQ(BlackDots(), 400);
    form.Threshold->click();
    EXPECT_GT(BlackDots(), 100);
    EXPECT_LT(BlackDots(), 300);
}

TEST_F(ColorToBWTest, LargePicturesWaitForConvert)
{
    Load(TColourImage(500, 500, MakePixel(128, 128, 128)));
    EXPECT_EQ(form.LargePicture, 1);
    EXPECT_FALSE(form.TestBt->isEnabled());
    EXPECT_EQ(BlackDots(), 0);  // no result yet
    form.Brightness->setValue(-100);
    EXPECT_EQ(BlackDots(), 0);
    form.ConvertBtClick();
    EXPECT_EQ(BlackDots(), 500 * 500);
    EXPECT_TRUE(form.TestBt->isEnabled());
    EXPECT_TRUE(form.SaveBt->isEnabled());

    Load(TColourImage(499, 500, MakePixel(128, 128, 128)));
    EXPECT_EQ(form.LargePicture, 0);
    EXPECT_TRUE(form.TestBt->isEnabled());
}

TEST_F(ColorToBWTest, RubberBandSelectsAndCutReplacesThePicture)
{
    Load(test::QuarteredImage(40, 40));
    form.CutBtClick();
    EXPECT_EQ(ui.OnlyMessage(), "No area selected");
    ui.messageBoxes.clear();

    Band(10, 10, 13, 60);
    EXPECT_TRUE(form.CutBt->isEnabled());
    EXPECT_EQ(form.SelSize->text(), "3 x 50   ");
    form.CutBtClick();
    EXPECT_EQ(ui.OnlyMessage(), "Too small selected area");
    ui.messageBoxes.clear();

    Band(2, 3, 2, 30);  // no width: no selection
    EXPECT_FALSE(form.CutBt->isEnabled());

    Band(22, 22, 18, 18);  // drawn backwards, over the middle of the quarters
    ASSERT_TRUE(form.CutBt->isEnabled());
    form.CutBtClick();
    EXPECT_TRUE(ui.messageBoxes.empty());
    ASSERT_TRUE(form.SourcePicture.has_value());
    EXPECT_EQ(form.SourcePicture->Width, 4);
    EXPECT_EQ(form.SourcePicture->Height, 4);
    EXPECT_EQ(form.SizeX->text(), "4");
    EXPECT_EQ(form.SourcePicture->At(3, 3), MakePixel(255, 255, 255));
    EXPECT_EQ(form.SourcePicture->At(0, 0), MakePixel(255, 0, 0));
    EXPECT_FALSE(form.CutBt->isEnabled());
}

TEST_F(ColorToBWTest, SavedPictureLoadsBackIntoThePictureLoaderAndClosesTheForm)
{
    Load(test::QuarteredImage(37, 23));
    const std::string target = (TempDir() / "result.bmp").string();
    ui.saveFileChoices.push_back(target);
    ProgramPaths.WorkDir = "/somewhere/";
    form.SaveBtClick();
    ASSERT_EQ(ui.saveFileDialogs.size(), 1u);
    EXPECT_EQ(ui.saveFileDialogs[0].title, "Save picture as");
    EXPECT_EQ(ui.saveFileDialogs[0].defaultExtension, "BMP");
    EXPECT_EQ(ui.saveFileDialogs[0].filter, "Windows Bitmap files (*.bmp)|*.BMP");
    EXPECT_EQ(ui.saveFileDialogs[0].initialDir, "/somewhere/");
    EXPECT_EQ(ProgramPaths.WorkDir, TempDir().string() + "/");
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.SourcePicture.has_value());

    const TMonoImage16& saved = form.BlackWhiteImage();
    ASSERT_EQ(LoadPictureFile(target), PictureLoadedBmp);
    const auto pcx = PcxImageBuffer.Image();
    ASSERT_EQ(PcxWidth(pcx), 37);
    ASSERT_EQ(PcxHeight(pcx), 23);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(PcxBytesPerLine(pcx)));
    std::size_t pos = PcxHeaderSize;
    int black = 0;
    for (int y = 0; y < 23; ++y) {
        ASSERT_TRUE(DecodePcxRow(pcx, pos, row));
        for (int x = 0; x < 37; ++x) {
            const bool paper = (row[x / 8] >> (7 - x % 8)) & 1;
            ASSERT_EQ(paper, saved.IsWhite(x, y)) << x << "," << y;
            black += paper ? 0 : 1;
        }
    }
    EXPECT_GT(black, 0);
}

TEST_F(ColorToBWTest, CancelledSaveKeepsTheFormOpen)
{
    Load(test::QuarteredImage(8, 8));
    form.SaveBtClick();
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ColorToBWTest, TestPrintSendsTheResultAsOneGraphicPaddedToThirtyTwoDots)
{
    test::PrinterEmulator printer;
    LinkTimeouts.ReplySilenceMs = 200;
    LabelSetup.Darkness = 9;
    // Black on the left half, white on the right.
    TColourImage image(100, 2, MakePixel(255, 255, 255));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 50; ++x) {
            image.At(x, y) = MakePixel(0, 0, 0);
        }
    }
    Load(image);
    form.TestBtClick();
    std::string row(16, '\xFF');
    std::fill(row.begin(), row.begin() + 6, '\0');
    row[6] = '\x3F';  // dots 48 and 49 black
    const std::string expected = "\r\nN\r\nQ4,80\r\nq128\r\nD9\r\nGW0,0,16,4,"s + row + row + row + row + "\r\nP1\r\n";
    ASSERT_TRUE(printer.WaitForReceived(expected.size()));
    EXPECT_EQ(printer.Received(), expected);
    EXPECT_EQ(ui.events.front(), "busy:Sending graphics data...");
    EXPECT_EQ(ui.events.back(), "close");
    EXPECT_EQ(CommLink.PortHandle, -1);
}

// Test as a second click while a printer exchange holds the port: a beep,
// and the running exchange keeps its busy window, its link state and the
// printer's line to itself.
TEST_F(ColorToBWTest, TestPrintRefusesWhileAnExchangeRuns)
{
    test::PrinterEmulator printer;
    Load(TColourImage(40, 2, MakePixel(0, 0, 0)));
    const TExchangeGuard running;
    form.TestBtClick();
    EXPECT_EQ(ui.events, std::vector<std::string>{"beep"});
    QTest::qWait(50);
    EXPECT_TRUE(printer.Received().empty());
}

TEST_F(ColorToBWTest, EscapeClosesAndFreesThePictures)
{
    Load(test::QuarteredImage(8, 8));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.SourcePicture.has_value());
    EXPECT_EQ(form.PictureDialog, nullptr);
}

}  // namespace
}  // namespace zk
