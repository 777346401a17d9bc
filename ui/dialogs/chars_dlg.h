#pragma once
// The character-set viewer: the printer's glyphs for codes 32..255 of any
// code table in any font of the label, drawn as the label renderer draws
// them, in a 16 x 14 grid with hexadecimal headings.

#include <QDialog>
#include <QImage>
#include <QStringList>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;

namespace zk {

// The grid picture's size and the cell that a point of it lies in.
inline constexpr int CharTableWidth = 728;
inline constexpr int CharTableHeight = 890;
inline constexpr int CharCellWidth = 42;
inline constexpr int CharCellHeight = 60;
// Top left corner of the cell of column 0, row 0 (code 32).
inline constexpr int CharGridLeft = 48;
inline constexpr int CharGridTop = 42;
inline constexpr int CharGridColumns = 16;
inline constexpr int CharGridRows = 14;
inline constexpr int FirstTableCode = 32;

// The code shown at point (x, y) of the grid picture, or -1 outside the cells.
int CharCodeAt(int x, int y);

// The font list the viewer offers: the six resident fonts, then one item
// per soft-font figure of the label in list order, as the text dialog lists them.
QStringList ViewerFontItems();

class TCharsDlg : public QDialog {
    Q_OBJECT

public:
    explicit TCharsDlg(QWidget* parent = nullptr);

    void FillViewerLists();
    void DrawCharacterTable();
    // Draws the glyph of code centred in the cell whose top left corner is
    // (cellX, cellY); font is the first character of a font list item.
    void DrawCharCell(int cellX, int cellY, char font, int code);

    // The grid picture as drawn last.
    const QImage& Picture() const { return m_picture; }

    QFrame* CtlPanel;
    QFrame* FltPanel;
    QLabel* Label1;
    QComboBox* TableBox;
    QLabel* Label2;
    QComboBox* FontBox;
    QLabel* AsciiLb;
    QLabel* Label3;
    QLineEdit* HB;
    QPushButton* OkBt;
    QPushButton* CanBt;
    QScrollArea* ViewBox;
    QLabel* FontImg;
    QMenu* CharsMenu;
    QAction* CopyM;
    QAction* CloseM;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormCanResize();
    void FontBoxChange();
    void TableBoxChange();
    void FontImgMouseMove(int x, int y);
    void CopyMClick();
    void CloseMClick();
    void OkBtClick();
    void CanBtClick();

    void BuildControls();
    void AttachMenu(QWidget* widget);

    QImage m_picture;
};

}  // namespace zk
