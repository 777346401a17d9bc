#pragma once
// The colour to black-and-white converter: loads a colour BMP or JPEG,
// scales, turns and crops it, applies channel gains, brightness and
// contrast, and makes a one-bit picture by error diffusion or a 50 %
// threshold, which it test-prints as one graphic or saves as a 1-bit BMP.

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/image/colour_image.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;
class QScrollArea;
class QSlider;
class QSplitter;

namespace zk {

class TConverterImage;
class TInfoOpen;

class TColorToBW : public QDialog {
    Q_OBJECT

public:
    explicit TColorToBW(QWidget* parent = nullptr);
    ~TColorToBW() override;

    static constexpr int LargePictureDots = 250000;

    QWidget* CtlPanel;
    QWidget* PanelA;
    QWidget* PanelB;
    QWidget* PanelC;
    QWidget* PanelD;
    QWidget* PictPanel;
    QLabel* SelSize;
    QPushButton* LoadBt;
    QPushButton* SaveBt;
    QPushButton* TestBt;
    QPushButton* ConvertBt;
    QPushButton* ResetBt;
    QPushButton* CutBt;
    QPushButton* CanBt;
    QLineEdit* SizeX;
    QLineEdit* SizeY;
    QComboBox* Rotation;
    QSlider* Brightness;
    QSlider* Contrast;
    QCheckBox* Proportions;
    QCheckBox* Threshold;
    QFrame* CtlReset1;
    QSlider* Red;
    QSlider* Green;
    QSlider* Blue;
    QFrame* CtlReset2;
    QScrollArea* ColorBox;
    QScrollArea* BWBox;
    QSplitter* BWsplitter;
    TConverterImage* ColorBmp;
    TConverterImage* BWBmp;

    // Created by each showing, freed when the form closes.
    std::unique_ptr<TInfoOpen> PictureDialog;
    std::optional<TColourImage> SourcePicture;
    std::optional<TColourImage> RotatedPicture;
    int TargetWidth = 0;
    int TargetHeight = 0;
    int LastRotation = 0;
    int SavedClientWidth = 0;
    int SelStartX = 0;
    int SelStartY = 0;
    int SelEndX = 0;
    int SelEndY = 0;
    std::uint8_t Dragging = 0;
    std::uint8_t SelectionShown = 0;
    std::uint8_t LargePicture = 0;

    // What the two image controls show.
    const TColourImage& ColourImage() const { return m_colourImage; }
    const TMonoImage16& BlackWhiteImage() const { return m_bwImage; }

    // Load after its dialog: reads the file, starts the controls afresh and
    // converts; false after a message.
    bool OpenPicture(const std::string& path);
    // Only reads the file into SourcePicture and RotatedPicture.
    bool LoadPicturePath(const std::string& path);

public slots:
    void LoadBtClick();
    void ResetBtClick();
    void ConvertBtClick();
    void SizeXChange();
    void SizeYChange();
    // Leaving either size edit, or Enter in it.
    void SizeXExit();
    void ProportionsClick();
    void RotationChange(int index);
    void RedChange();
    void GreenChange();
    void BlueChange();
    void BrightnessChange();
    void ContrastChange();
    void ThresholdClick();
    void CtlReset1DblClick();
    void CtlReset2DblClick();
    void ColorBmpMouseDown(QMouseEvent* event);
    void ColorBmpMouseMove(QMouseEvent* event);
    void ColorBmpMouseUp(QMouseEvent* event);
    void ColorBoxClick();
    void CutBtClick();
    void ColorBoxDblClick();
    void BWBoxDblClick();
    void TestBtClick();
    void SaveBtClick();
    void CanBtClick();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FormShow();
    void FormClose();
    void FormResize();
    void BWsplitterMoved();

    bool LoadConverterPicture();
    void PictureLoaded();
    void MakeRotatedCopy();
    void DrawColourImage(int width, int height);
    void ApplyGainsToColourImage();
    void RebuildImages();
    void ConvertToBlackWhite();
    void ResetConverterControls();
    void EnableConverterControls(bool enabled);
    void DropSelection();
    void ClearSelection();
    void DrawSelectionRect(int x, int y);
    void ShowSizes();
    void BalanceBoxes();
    // The picture the rotation uses for proportions.
    const TColourImage* ProportionPicture() const;

    TColourImage m_colourImage;
    TMonoImage16 m_bwImage;
};

// The one converter form of the program, owned by the main window.
TColorToBW& ColorToBW();

}  // namespace zk
