#pragma once
// "TrueType to Label Printer Font Converter": picks an installed font, its
// style and script, and builds the map of printer codes 32..255 to the
// font's characters by copying from a source grid, every edit undoable.
// "Preview" opens the font preview, which writes the font file.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zk
{

class TFPreviewDlg;

class TTtfDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TTtfDlg(QWidget* parent = nullptr);

    QComboBox* Fonts = nullptr;
    QComboBox* Styles = nullptr;
    QComboBox* Scripts = nullptr;
    QTableWidget* HCap1 = nullptr;
    QTableWidget* VCap1 = nullptr;
    QTableWidget* FontSel = nullptr;
    QTableWidget* HCap2 = nullptr;
    QTableWidget* VCap2 = nullptr;
    QTableWidget* FontTo = nullptr;
    QLabel* PreviewFld = nullptr;
    QPushButton* ClearBt = nullptr;
    QPushButton* ClrOneBt = nullptr;
    QPushButton* CopyBt = nullptr;
    QPushButton* UndoBt = nullptr;
    QPushButton* PreviewBt = nullptr;
    QPushButton* CanBt = nullptr;
    TFPreviewDlg* FPreviewDlg = nullptr;

public slots:
    void FontsChange();
    void StylesChange();
    void ScriptsClick();
    void FontSelClick();
    void FontToClick();
    void FontSelDblClick(int row, int column);
    void CopyBtClick();
    void ClearBtClick();
    void ClrOneBtClick();
    void UndoBtClick();
    void PreviewBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void InitConverter();
    void FillTrueTypeFontList();
    void SelectConverterFont(int index);
    void FillScriptList(const QString& fontName);
    void ApplyStyleAndCharset();
    void ShowCellPreview(bool fromMap);
    void InitCharacterGrids();
    // The grids in the converter's font; the map and both selections as
    // the engine holds them.
    void ApplyGridFont();
    void ShowMap();
    // The grids' selections into the engine's map state.
    void TakeSelections();
};

}  // namespace zk
