#include "ui/dialogs/info_open.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QGridLayout>
#include <QScreen>

#include "engine/image/colour_picture_file.h"
#include "engine/image/picture_probe.h"
#include "ui/dialogs/color_to_bw_image.h"
#include "ui/file_dialog_setup.h"
#include "ui/window_placement.h"

namespace zk {

std::string PictureFileName;
std::uint8_t PreviewChosen = 0;
std::uint8_t PreviewSetUp = 0;
int PreviewSize = 212;
std::time_t PictureFileDate = 0;
std::int64_t PictureFileSize = 0;
int PictureWidth = 0;
int PictureHeight = 0;
int PictureMaxSide = 0;
int PictureBitsPerPixel = 0;

namespace {

constexpr const char* NoPicture = "No picture selected";

void TakeProbe(const TPictureProbe& probe)
{
    PictureFileDate = probe.FileDate;
    PictureFileSize = probe.FileSize;
    PictureBitsPerPixel = probe.BitsPerPixel;
    PictureWidth = probe.Width;
    PictureHeight = probe.Height;
    PictureMaxSide = probe.MaxSide;
}

QString BmpKind(int bits)
{
    switch (bits) {
    case 1: return "Monochrome)";
    case 4: return "16 Colors)";
    case 8: return "256 Colors)";
    default: return "True Color)";
    }
}

// The preview decodes a big JPEG smaller: the least reduction that still
// leaves it at least as big as the panel.
int JpegPreviewScale(int panel, int maxSide)
{
    if (8 * panel < maxSide) {
        return 8;
    }
    if (4 * panel < maxSide) {
        return 4;
    }
    if (2 * panel < maxSide) {
        return 2;
    }
    return 1;
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void ResetInfoOpenState()
{
    PictureFileName.clear();
    PreviewChosen = 0;
    PreviewSetUp = 0;
    PreviewSize = 212;
    PictureFileDate = 0;
    PictureFileSize = 0;
    PictureWidth = PictureHeight = PictureMaxSide = PictureBitsPerPixel = 0;
}

void TInfoOpenPreview::mouseDoubleClickEvent(QMouseEvent*)
{
    emit DoubleClicked();
}

TInfoOpen::TInfoOpen(QWidget* owner) : QFileDialog(owner)
{
    setObjectName("PictureDialog");
    // The preview lives inside the dialog, so it must be Qt's own dialog.
    setOption(QFileDialog::DontUseNativeDialog);
    setWindowTitle("Open Picture Dialog");
    // Both spellings of each extension: file names here are case-sensitive.
    setNameFilter("Bitmaps and JPEG files (*.bmp,*.jpg) (*.bmp *.BMP *.jpg *.JPG *.jpeg *.JPEG)");
    // The list of kinds shows the filter's name alone, not its patterns.
    setOption(QFileDialog::HideNameFilterDetails);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);

    SetUpFileDialog(*this);

    PreviewPanel = new QWidget(this);
    PreviewPanel->setObjectName("PreviewPanel");
    PreviewPanel->hide();
    PreviewImage = new TInfoOpenPreview(PreviewPanel);
    PreviewImage->setObjectName("PreviewImage");
    PreviewImage->setToolTip(NoPicture);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        grid->addWidget(PreviewPanel, 0, grid->columnCount(), grid->rowCount(), 1);
    }
    connect(this, &QFileDialog::currentChanged, this, &TInfoOpen::DoSelectionChange);
    // Qt reports a file clicked in the list, not one whose name is typed:
    // the typed name is previewed the same way.
    if (auto* name = findChild<QLineEdit*>("fileNameEdit")) {
        connect(name, &QLineEdit::textChanged, this, &TInfoOpen::PreviewTypedName);
    }
    connect(PreviewImage, &TInfoOpenPreview::DoubleClicked, this, &TInfoOpen::PreviewDblClick);
}

bool TInfoOpen::Execute()
{
    return exec() == QDialog::Accepted && !selectedFiles().isEmpty();
}

std::string TInfoOpen::FileName() const
{
    const QStringList files = selectedFiles();
    return files.isEmpty() ? std::string() : QFile::encodeName(files.front()).toStdString();
}

void TInfoOpen::showEvent(QShowEvent* event)
{
    DoShow();
    QFileDialog::showEvent(event);
}

void TInfoOpen::done(int result)
{
    DoClose();
    QFileDialog::done(result);
}

void TInfoOpen::DoShow()
{
    if (PreviewSetUp != 0) {
        return;
    }
    PreviewSetUp = 1;
    PreviewChosen = 0;
    PreviewSize = height();
    PreviewPanel->setFixedWidth(PreviewSize);
    PreviewPanel->show();
    const QSize enlarged(width() + PreviewSize, height());
    resize(enlarged);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        MoveOnScreen(*this, {area.x() + (area.width() - enlarged.width()) / 2,
                             area.y() + (area.height() - enlarged.height()) / 2});
    }
    // The preview starts empty: no file counts as shown already.
    ClearPreview(NoPicture);
    m_shownFile = {};
    setLabelText(QFileDialog::Accept, "&Open");
}

void TInfoOpen::DoClose()
{
    if (PreviewSetUp != 0 && PreviewPanel->isVisible()) {
        // The next showing enlarges the dialog again.
        const int panelWidth = PreviewPanel->width();
        PreviewPanel->hide();
        resize(width() - panelWidth, height());
    }
    PreviewSetUp = 0;
}

void TInfoOpen::PreviewDblClick()
{
    // The preview stands for the picture it shows, not for a name clicked or
    // typed since that shows nothing.
    if (m_previewedPath.isEmpty()) {
        return;
    }
    PreviewChosen = 1;
    PictureFileName = QFile::encodeName(m_previewedPath).toStdString();
    reject();
}

void TInfoOpen::PreviewTypedName(const QString& name)
{
    DoSelectionChange(directory().absoluteFilePath(name));
}

void TInfoOpen::DoSelectionChange(const QString& path)
{
    // A click fills the name field too: the file already shown, unchanged
    // since, is not probed and decoded again. One written since is.
    const QFileInfo info(path);
    const TShownFile shown{path, info.size(), info.lastModified()};
    if (shown == m_shownFile) {
        return;
    }
    m_shownFile = shown;
    const std::string file = QFile::encodeName(path).toStdString();
    const PictureKind kind = PictureKindOf(file);
    if (kind == PictureKind::Other) {
        return;
    }
    WaitCursor wait;
    TPictureProbe probe;
    const bool found = kind == PictureKind::Bmp ? ProbeBmpHeader(file, probe) : ProbeJpegHeader(file, probe);
    if (!found) {
        ClearPreview(NoPicture);
        return;
    }
    TakeProbe(probe);
    QString tip;
    JpegDecodeOptions jpeg;
    if (kind == PictureKind::Bmp) {
        tip = "Bitmap (" + BmpKind(PictureBitsPerPixel);
    } else {
        tip = QString("JPEG file (") + (PictureBitsPerPixel == 8 ? "Greyscale)" : "Color)");
        const int panel = PreviewPanel->isVisible() ? PreviewPanel->width() : PreviewSize;
        jpeg = {JpegPreviewScale(panel, PictureMaxSide), true};
    }
    PreviewImage->setToolTip(tip);
    const TImageReadResult read = ReadColourPictureFile(file, jpeg);
    if (!read.Ok()) {
        ClearPreview(tip);
        return;
    }
    const int width = kind == PictureKind::Jpeg ? PictureWidth : read.Image.Width;
    const int height = kind == PictureKind::Jpeg ? PictureHeight : read.Image.Height;
    tip += QString("\n%1 bytes").arg(PictureFileSize);
    tip += "\n" + QDateTime::fromSecsSinceEpoch(PictureFileDate).toString("dd/MM/yyyy  hh:mm");
    tip += QString("\n%1 x %2 pixels").arg(width).arg(height);
    PreviewImage->setToolTip(tip);
    ShowPreview(ToQImage(read.Image));
    m_previewedPath = path;
}

void TInfoOpen::ClearPreview(const QString& tip)
{
    PreviewImage->setToolTip(tip);
    PreviewImage->clear();
    m_previewedPath.clear();
}

void TInfoOpen::ShowPreview(const QImage& picture)
{
    const int p = PreviewPanel->isVisible() ? PreviewPanel->width() : PreviewSize;
    const int w = picture.width();
    const int h = picture.height();
    QSize size(w, h);
    QImage shown = picture;
    if (w > PreviewSize || h > PreviewSize) {
        size = h < w ? QSize(PreviewSize, p * h / w) : QSize(p * w / h, PreviewSize);
        shown = picture.scaled(size.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    PreviewImage->setPixmap(QPixmap::fromImage(shown));
    PreviewImage->setGeometry((p - size.width()) / 2, (p - size.height()) / 2, size.width(), size.height());
}

}  // namespace zk
