#pragma once
// "Font Preview": renders every mapped glyph of the converter at a chosen
// size, width correction and spacing, with the rows to cut at the top and
// bottom of every glyph, shows the font's figures and saves the font file.

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;
class QSpinBox;

namespace zk
{

class TGlyphSource;

class TFPreviewDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TFPreviewDlg(QWidget* parent = nullptr);
    ~TFPreviewDlg() override;

    QComboBox* FntSize = nullptr;
    QSlider* WideCtl = nullptr;
    QLineEdit* SpcText = nullptr;  // the text field of SpsMore
    QSpinBox* SpsMore = nullptr;
    QGroupBox* RemoveBox = nullptr;
    QLineEdit* TopRem = nullptr;  // the text field of TopCtl
    QSpinBox* TopCtl = nullptr;
    QLineEdit* BotRem = nullptr;  // the text field of BotCtl
    QSpinBox* BotCtl = nullptr;
    QCheckBox* Auto = nullptr;
    QScrollArea* PrevBox = nullptr;
    QLabel* FntImg = nullptr;
    QLabel* CharsMsg = nullptr;
    QLabel* HeightMsg = nullptr;
    QLabel* WidthMsg = nullptr;
    QLabel* MemoryMsg = nullptr;
    QPushButton* OkBt = nullptr;
    QPushButton* CanBt = nullptr;

    void BuildFontPreview();

public slots:
    void FntSizeChange();
    void WideCtlChange();
    void SpsMoreClick();
    void TopCtlClick();
    void BotCtlClick();
    void AutoClick();
    void OkBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    // The glyphs of the last build, which Save writes.
    std::unique_ptr<TGlyphSource> m_glyphs;
};

}  // namespace zk
