#pragma once
// The picture figure's dialog, on PictureTemplate. A picture is loaded
// from a file ("From Disk") or from the printer ("From Printer"); the
// loaded block waits in NewPictureData, held for the dialog, until OK hands
// it to the template or closing without OK drops it.

#include <string>

#include "engine/model/fixed_string.h"
#include "ui/dialogs/figure_dialog.h"
#include "ui/editing/editor_state.h"

class QFileDialog;

namespace zk {

class TPictureDlg : public TFigureDialog {
    Q_OBJECT

public:
    explicit TPictureDlg(QWidget* parent = nullptr);
    ~TPictureDlg() override;

    QLineEdit* StartX;
    QLineEdit* StartY;
    QLineEdit* PictName;
    QPushButton* LoadBt;
    QFileDialog* OpenPictDlg;
    QPushButton* ExtractBt;

    // 1 when a picture was loaded since the dialog was prepared.
    std::uint8_t PictureLoaded = 0;
    // The edited picture's name when the dialog was prepared; empty when
    // drawing.
    FixedString<16> OldPictureName;
    // The file last chosen with "From Disk".
    std::string PictureFilePath;

    void done(int result) override;

    // Shows a picture name in the name field whole: a label file, a form
    // or the printer's list may name a picture longer than a typed name.
    void ShowPictureName(const QString& name);

protected:
    void OkBtClick() override;
    void LoadBtClick();
    void ExtractBtClick();
    void FormClose();

private:
    // Shows a refusal of OK; the dialog stays open.
    void Refuse(const char* text);
};

extern TPictureDlg* PictureDlg;

// Fills PictureDlg from PictureTemplate and drops any waiting picture;
// when drawing the picture goes to the drag's start first and has no block.
void PreparePictureDialog(bool edit, TPoint start = {}, TPoint end = {});

}  // namespace zk
