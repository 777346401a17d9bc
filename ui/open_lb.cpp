#include "ui/open_lb.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/report/ui_services.h"
#include "shell/shell_items.h"
#include "ui/form_order.h"
#include "ui/window_placement.h"

namespace zk {

std::uint8_t ShrinkToFit = 1;
TOpenLb* OpenLb = nullptr;

namespace {

// The browsing area at first; the preview panel below takes the rest.
constexpr int FormWidth = 620;
constexpr int FormHeight = 580;
constexpr int ShellPnHeight = 290;
constexpr int TreeWidth = 260;

bool IsDirectory(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

QSize PreviewFitSize(int width, int length, QSize panel, bool shrink)
{
    const long long cw = panel.width();
    const long long ch = panel.height();
    long long w = width + 8;
    long long h = length + 8;
    if (shrink && width > 0 && length > 0 && (w > cw || h > ch)) {
        if (cw * length < ch * width) {
            w = cw - 8;
            h = (cw - 8) * length / width;
        } else {
            w = (ch - 8) * width / length;
            h = ch - 8;
        }
    }
    return QSize(static_cast<int>(std::max(w, 1LL)), static_cast<int>(std::max(h, 1LL)));
}

TOpenLb::TOpenLb(QWidget* parent)
    : QDialog(parent),
      m_splitterV(new QSplitter(Qt::Vertical, this)),
      m_shellPn(new QWidget),
      m_labPn(new QWidget),
      m_shellTree(new TQorShellTree),
      m_shellList(new TQorShellList),
      m_shellLink(new TQorShellLink(this)),
      m_pathLb(new QLineEdit),
      m_openBt(new QPushButton(tr("Open"))),
      m_cancelBt(new QPushButton(tr("Cancel"))),
      m_shrinkBox(new QCheckBox(tr("Shrink to fit"))),
      m_label(new QLabel(m_labPn))
{
    setObjectName("OpenLb");
    FollowFormOrder(*this);
    setWindowTitle(tr("Open Label"));
    m_splitterV->setObjectName("SplitterV");
    m_shellPn->setObjectName("ShellPn");
    m_labPn->setObjectName("LabPn");
    m_shellTree->setObjectName("ShellTree");
    m_shellList->setObjectName("ShellList");
    m_shellLink->setObjectName("ShellLink");
    m_pathLb->setObjectName("PathLb");
    m_openBt->setObjectName("OpenBt");
    m_cancelBt->setObjectName("CancelBt");
    m_shrinkBox->setObjectName("ShrinkBox");
    m_label->setObjectName("Label");

    auto* listPn = new QSplitter(Qt::Horizontal);
    listPn->setObjectName("ListPn");
    listPn->addWidget(m_shellTree);
    listPn->addWidget(m_shellList);
    // The tree is wide enough for a few levels of names; the list of names
    // in columns takes the rest.
    listPn->setSizes({TreeWidth, FormWidth - TreeWidth});
    auto* ctlPn = new QWidget;
    ctlPn->setObjectName("CtlPn");
    auto* controls = new QHBoxLayout(ctlPn);
    controls->setContentsMargins(0, 0, 0, 0);
    m_pathLb->setReadOnly(true);
    controls->addWidget(m_pathLb, 1);
    controls->addWidget(m_shrinkBox);
    controls->addWidget(m_openBt);
    controls->addWidget(m_cancelBt);
    auto* shellLayout = new QVBoxLayout(m_shellPn);
    shellLayout->setContentsMargins(4, 4, 4, 4);
    shellLayout->addWidget(listPn, 1);
    shellLayout->addWidget(ctlPn);

    m_splitterV->addWidget(m_shellPn);
    m_splitterV->addWidget(m_labPn);
    m_splitterV->setChildrenCollapsible(false);
    m_splitterV->setSizes({ShellPnHeight, FormHeight - ShellPnHeight});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitterV);
    // Fixed border.
    setFixedSize(FormWidth, FormHeight);
    LimitSplitter();

    m_shellTree->SetShowHidden(false);
    m_shellTree->setIndentation(19);
    // Folder names show whole: the column is as wide as the widest shown
    // name and the pane scrolls sideways to it.
    m_shellTree->header()->setStretchLastSection(false);
    m_shellTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_shellTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A browser for choosing a label: its tree changes nothing on disk.
    m_shellTree->SetOleDragDrop(false);
    m_shellTree->ShellContextMenu = false;
    m_shellTree->SetReadOnly(true);
    m_shellTree->SetShellLink(m_shellLink);
    m_shellList->SetShowHidden(false);
    m_shellList->SetFileSystemOnly(true);
    m_shellList->SetShowFolders(false);
    m_shellList->SetFilter("*.zlb");
    m_shellList->SetMultiSelect(true);
    m_shellList->SetReadOnly(false);
    m_shellList->SetViewStyle(TViewStyle::vsList);
    m_shellList->SetShellLink(m_shellLink);
    m_shellList->OnDblClick = [this] { OpenBtClick(); };
    m_shellList->OnSelectItem = [this](const std::string& path, bool selected) { ShellListSelectItem(path, selected); };
    m_shellList->OnOperation = [this](QObject&, const TQorShellOperations& operation,
                                      const std::vector<std::string>& files, const std::string& destination) {
        ShellListOperation(operation, files, destination);
    };

    m_openBt->setDefault(true);
    m_shrinkBox->setChecked(true);
    m_label->setAlignment(Qt::AlignCenter);
    connect(m_openBt, &QPushButton::clicked, this, &TOpenLb::OpenBtClick);
    connect(m_cancelBt, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_shrinkBox, &QCheckBox::clicked, this, &TOpenLb::ShrinkBoxMouseUp);
    connect(m_splitterV, &QSplitter::splitterMoved, this, &TOpenLb::SplitterVMoved);
    OpenLb = this;
    FormCreate();
}

TOpenLb::~TOpenLb()
{
    if (OpenLb == this) {
        OpenLb = nullptr;
    }
}

void TOpenLb::FormCreate()
{
    if (!IsDirectory(ProgramPaths.WorkDir)) {
        ProgramPaths.WorkDir = ProgramPaths.ProgramDir;
    }
    for (const std::string& folder : {ProgramPaths.WorkDir, ProgramPaths.ProgramDir}) {
        try {
            m_shellTree->SetSelectedFolder(folder);
            return;
        } catch (const platform::EShellBrowserError&) {
            // A folder hidden from the tree or gone: try the next one.
        }
    }
}

void TOpenLb::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TOpenLb::FormShow()
{
    if (const QScreen* desktop = screen(); desktop != nullptr) {
        MoveOnScreen(*this, desktop->availableGeometry().center() - rect().center());
    }
    OpenLabelAccepted = 0;
    m_label->hide();
    ShrinkToFit = m_shrinkBox->isChecked() ? 1 : 0;
    // The path field and the list agree: the label the field shows from an
    // earlier showing is selected (and previewed) when it is still listed;
    // otherwise the field is emptied, so Open opens nothing unseen.
    m_shellList->ClearSelection();
    std::error_code error;
    const int row = m_shownPath.empty() ? -1 : m_shellList->IndexOfPIDL(m_shownPath);
    if (row >= 0 && std::filesystem::is_regular_file(m_shownPath, error)) {
        m_shellList->SelectItem(row);
    } else {
        ShowPath({});
    }
    // The tree shows its selected folder by name.
    m_shellTree->scrollTo(m_shellTree->currentIndex());
}

std::string TOpenLb::TreeFolder()
{
    const std::string folder = m_shellTree->SelectedFolder();
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

void TOpenLb::ShowPath(const std::string& path)
{
    m_shownPath = path;
    m_pathLb->setText(ShellText(path));
}

void TOpenLb::ShellListSelectItem(const std::string& path, bool selected)
{
    if (!selected) {
        return;
    }
    m_label->show();
    ProgramPaths.WorkDir = TreeFolder();
    SelectedLabelPath = path;
    ShowPath(SelectedLabelPath);
    LoadLabelPreview(SelectedLabelPath);
}

void TOpenLb::ShellListOperation(const TQorShellOperations& operation, const std::vector<std::string>& files,
                                 const std::string& destination)
{
    // The label shown was renamed: Open must find it under its new name.
    if (operation.contains(TQorShellOperation::sopRename) && !files.empty() && files.front() == m_shownPath) {
        const std::size_t slash = m_shownPath.rfind('/');
        ShowPath(m_shownPath.substr(0, slash + 1) + destination);
        if (SelectedLabelPath == files.front()) {
            SelectedLabelPath = m_shownPath;
        }
    }
    // It left its folder (to the trash, or moved away): there is nothing
    // to open any more.
    if (operation.contains(TQorShellOperation::sopRemove) && !m_shownPath.empty() &&
        std::find(files.begin(), files.end(), m_shownPath) != files.end()) {
        if (SelectedLabelPath == m_shownPath) {
            SelectedLabelPath.clear();
        }
        ShowPath({});
        m_label->hide();
    }
}

void TOpenLb::OpenBtClick()
{
    // The path shown, as the file system's bytes (the field shows them lossily).
    SelectedLabelPath = m_shownPath;
    // Nothing previewed yet: there is nothing to open.
    if (SelectedLabelPath.empty()) {
        return;
    }
    ProgramPaths.WorkDir = TreeFolder();
    accept();
    OpenLabelAccepted = 1;
    Ui().ProcessMessages();
}

void TOpenLb::ShrinkBoxMouseUp()
{
    ShrinkToFit = m_shrinkBox->isChecked() ? 1 : 0;
    LoadLabelPreview(SelectedLabelPath);
}

void TOpenLb::LimitSplitter()
{
    // The browsing area keeps between a quarter and three quarters of the form.
    const int quarter = height() / 4;
    m_shellPn->setMinimumHeight(quarter);
    m_labPn->setMinimumHeight(quarter);
}

void TOpenLb::SplitterVMoved() { FitPreviewCanvas(); }

void TOpenLb::SizePreviewCanvas()
{
    const int width = LabelSetup.LabelWidth;
    const int length = LabelSetup.LabelLength;
    m_label->move(4, 4);
    m_label->resize(width, length);
    LabelImage.Resize(width, length);
    FitPreviewCanvas();
}

void TOpenLb::FitPreviewCanvas()
{
    const int cw = m_labPn->width();
    const int ch = m_labPn->height();
    const QSize size = PreviewFitSize(LabelSetup.LabelWidth, LabelSetup.LabelLength, m_labPn->size(), ShrinkToFit != 0);
    const int width = size.width();
    const int height = size.height();
    m_label->resize(size);

    // A 4-dot frame around the label, which fills the rest.
    QPixmap picture(width, height);
    picture.fill(m_labPn->palette().color(QPalette::Window));
    if (LabelImage.Width() > 0 && LabelImage.Height() > 0) {
        const QImage image(reinterpret_cast<const uchar*>(LabelImage.Bits()), LabelImage.Width(),
                           LabelImage.Height(), LabelImage.BytesPerLine(), QImage::Format_RGB32);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        const QRect target(4, 4, std::max(width - 8, 1), std::max(height - 8, 1));
        painter.drawImage(target, image);
        painter.setPen(Qt::darkGray);
        painter.drawRect(target.adjusted(-1, -1, 0, 0));
    }
    m_label->setPixmap(picture);
    m_label->move((cw - width) / 2, (ch - height) / 2);
}

}  // namespace zk
