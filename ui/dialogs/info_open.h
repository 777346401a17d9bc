#pragma once
// The open-picture dialog of the colour converter: the open dialog with a
// square preview panel at its right. Each selection probes the file's BMP
// or JPEG header, shows a scaled preview and puts the kind, size, date and
// dimensions into the preview's tool tip; double-clicking the preview
// chooses the file at once.

#include <QDateTime>
#include <QFileDialog>
#include <QLabel>
#include <cstdint>
#include <ctime>
#include <string>

namespace zk {

// State of the dialog kept for the whole run.
extern std::string PictureFileName;   // the chosen picture, read by the converter
extern std::uint8_t PreviewChosen;    // the preview was double-clicked
extern std::uint8_t PreviewSetUp;     // the preview is attached to the shown dialog
extern int PreviewSize;               // side of the square preview area
extern std::time_t PictureFileDate;   // of the last probed file
extern std::int64_t PictureFileSize;  // of the last probed file
extern int PictureWidth;              // from a JPEG header
extern int PictureHeight;
extern int PictureMaxSide;
extern int PictureBitsPerPixel;  // from the BMP header, or 8 x the JPEG components

// Back to the program-start values, for tests.
void ResetInfoOpenState();

class TInfoOpenPreview : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void DoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class TInfoOpen : public QFileDialog {
    Q_OBJECT

public:
    explicit TInfoOpen(QWidget* owner);

    // Modal; true when the user pressed "&Open".
    bool Execute();
    // The file the dialog chose.
    std::string FileName() const;

    QWidget* PreviewPanel;
    TInfoOpenPreview* PreviewImage;

public slots:
    void DoSelectionChange(const QString& path);
    // A name typed into the dialog's name field, relative to its folder.
    void PreviewTypedName(const QString& name);
    void PreviewDblClick();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void DoShow();
    void DoClose();
    void ShowPreview(const QImage& picture);
    // No picture in the preview; tip says why.
    void ClearPreview(const QString& tip);

    // The file whose picture the preview shows; empty when it shows none.
    QString m_previewedPath;
    // The file the preview was last made for, as it was then.
    struct TShownFile {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const TShownFile&) const = default;
    };
    TShownFile m_shownFile;
};

}  // namespace zk
