#pragma once
// The figure list "Object List": one grid row per figure but the soft fonts,
// in drawing order, to edit, delete, select and reorder figures without the
// mouse on the canvas. The grid's title row is its header; grid row r >= 1
// is table row r - 1. Every operation finds its figure by counting again and
// rebuilds the rows after a change.

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace zk {

class TFigListDlg : public QDialog {
    Q_OBJECT

public:
    explicit TFigListDlg(QWidget* parent = nullptr);

    QTableWidget* Obj = nullptr;
    QPushButton* SelBt = nullptr;
    QPushButton* EditBt = nullptr;
    QPushButton* DelBt = nullptr;
    QPushButton* UpBt = nullptr;
    QPushButton* DownBt = nullptr;
    QCheckBox* SureDel = nullptr;
    QPushButton* CanBt = nullptr;

    // Rows of the grid, the title row included.
    int GridRowCount() const;
    // The selected figure row, 0 when none is selected.
    int SelectedRow() const;
    // Makes figure row r the grid's selection and scrolls it into view.
    void SelectRow(int row);

    void FillFigureListRows();
    void SetupFigureListGrid();
    void EditFigureFromList(int row);
    void DeleteFigureFromList(int row);
    void ToggleSelectionFromList(int row);
    void MoveFigureUpInList(int row);
    void MoveFigureDownInList(int row);

public slots:
    void EditBtClick();
    void SelBtClick();
    void DelBtClick();
    void UpBtClick();
    void DownBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    // A double click on a figure row toggles the selected row; the title
    // row is the header and sends none.
    void ObjDblClick();
    // A right press on a figure row selects it and edits its figure; true
    // when the press was used.
    bool ObjMouseDown(Qt::MouseButton button, QPoint position);
    // Repaints the main window's canvas after its frames were redrawn.
    void RepaintCanvas();
};

}  // namespace zk
