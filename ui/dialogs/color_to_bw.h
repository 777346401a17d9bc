#pragma once
// The colour to black-and-white converter: loads a colour BMP or JPEG,
// scales, turns and crops it, applies channel gains, brightness and
// contrast, and makes a one-bit picture by error diffusion or a 50 %
// threshold, which it test-prints as one graphic or saves as a 1-bit BMP.

#include <QDialog>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/image/colour_image.h"
#include "engine/image/displayed_picture.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;
class QRect;
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

    // What the two image controls show, after any rebuild still waiting
    // for its turn of the event loop. The colour image is worked out whole
    // here; the window itself only ever works out the part it shows.
    TColourImage ColourImage();
    const TMonoImage16& BlackWhiteImage();

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
    void RebuildImages();
    // A slider's change: one rebuild at the next turn of the event loop,
    // however many changes come before it.
    void ScheduleRebuild();
    void RunPendingRebuild();
    // The picture as ColorBmp shows it, and the part of it in rect.
    TDisplayedPicture Displayed() const;
    QImage RenderShown(const QRect& rect) const;
    // Shows image in BWBmp without a copy of its pixels.
    void ShowBlackWhite(TMonoImage16 image);
    void ConvertToBlackWhite();
    void ResetConverterControls();
    void EnableConverterControls(bool enabled);
    void DropSelection();
    void ClearSelection();
    void DrawSelectionRect(int x, int y);
    void ShowSizes();
    void BalanceBoxes();
    // Width and height of the picture as the rotation turns it, for
    // proportions; none without a picture.
    std::optional<QSize> ProportionSize() const;

    // What ColorBmp shows: the displayed size, turn and gains of the last
    // rebuild, drawn from SourcePicture when painted.
    int m_shownWidth = 0;
    int m_shownHeight = 0;
    int m_shownRotation = 0;
    int m_shownGains[3] = {NeutralGain, NeutralGain, NeutralGain};
    bool m_rebuildPending = false;
    TMonoImage16 m_bwImage;
    bool m_bwWhite = false;  // m_bwImage is the white result of a rebuild
};

// The one converter form of the program, owned by the main window.
TColorToBW& ColorToBW();

}  // namespace zk
