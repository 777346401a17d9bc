#pragma once
// TOpenLb, the label browser of Open Label: a folder tree and a list of
// label files at the top, the selected label's preview below (drawn by the
// label renderer into LabelImage), and Open, Cancel and "Shrink to fit".
// The browser never reads a label itself: previews go through
// LoadLabelPreview, and the caller (LoadLabelFile) parks the current label
// before showing it and loads SelectedLabelPath or the parked label after.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSize>
#include <QSplitter>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/shell_link.h"
#include "shell/shell_list.h"
#include "shell/shell_tree.h"

namespace zk {

// State of "Shrink to fit", read when the preview is fitted.
extern std::uint8_t ShrinkToFit;

// The preview's size for a label of width x length dots in a panel of
// panel size: the label with a 4-dot frame, or, when it does not fit and
// shrink is set, shrunk to the panel by its tighter side.
QSize PreviewFitSize(int width, int length, QSize panel, bool shrink);

class TOpenLb : public QDialog {
    Q_OBJECT
public:
    explicit TOpenLb(QWidget* parent = nullptr);
    ~TOpenLb() override;

    // Called by the preview reader around rendering: sizes LabelImage and
    // the preview to the label, then fits the picture into the panel.
    void SizePreviewCanvas();
    void FitPreviewCanvas();

    TQorShellTree* ShellTree() const { return m_shellTree; }
    TQorShellList* ShellList() const { return m_shellList; }
    QLabel* PreviewLabel() const { return m_label; }
    QWidget* LabPn() const { return m_labPn; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void ShellListSelectItem(const std::string& path, bool selected);
    void ShellListOperation(const TQorShellOperations& operation, const std::vector<std::string>& files,
                            const std::string& destination);
    // PathLb shows the path; the path itself is kept as bytes.
    void ShowPath(const std::string& path);
    void OpenBtClick();
    void ShrinkBoxMouseUp();
    void SplitterVMoved();
    void LimitSplitter();
    std::string TreeFolder();

    QSplitter* m_splitterV;
    QWidget* m_shellPn;
    QWidget* m_labPn;
    TQorShellTree* m_shellTree;
    TQorShellList* m_shellList;
    TQorShellLink* m_shellLink;
    QLineEdit* m_pathLb;
    QPushButton* m_openBt;
    QPushButton* m_cancelBt;
    QCheckBox* m_shrinkBox;
    QLabel* m_label;
    std::string m_shownPath;
};

// The browser in force: the one the preview reader sizes and fits. The main
// window makes one at start-up that lives for the whole run.
extern TOpenLb* OpenLb;

}  // namespace zk
