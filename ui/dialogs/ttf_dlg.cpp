#include "ui/dialogs/ttf_dlg.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include "engine/config/program_paths.h"
#include "engine/report/reporting.h"
#include "engine/ttf/converter_state.h"
#include "platform/font_catalogue.h"
#include "ui/dialogs/fpreview_dlg.h"
#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk
{

namespace
{

constexpr int CELL_WIDTH = 20;
constexpr int CELL_HEIGHT = 20;
constexpr int CAPTION_WIDTH = 28;
constexpr int GRID_LEFT = 8 + CAPTION_WIDTH;
constexpr int GRID_WIDTH = MapColumns * CELL_WIDTH + 2;
constexpr int GRID_HEIGHT = MapRows * CELL_HEIGHT + 2;
constexpr int SOURCE_TOP = 44;
constexpr int TARGET_TOP = SOURCE_TOP + CELL_HEIGHT + GRID_HEIGHT + 12;
constexpr int RIGHT_COLUMN = GRID_LEFT + GRID_WIDTH + 12;
// The characters of the grids: the size of a new font object.
constexpr int GRID_FONT_POINTS = 10;
constexpr int CELL_PREVIEW_POINTS = 56;

// A fixed grid of equal cells without headers or scroll bars.
QTableWidget* MakeGrid(QWidget* parent, const char* name, int columns, int rows, QRect geometry)
{
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setDefaultSectionSize(CELL_WIDTH);
    grid->verticalHeader()->setDefaultSectionSize(CELL_HEIGHT);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setGeometry(geometry);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            grid->setItem(row, column, item);
        }
    }
    return grid;
}

// Caption grids are greyed like fixed cells and take no selection.
QTableWidget* MakeCaptionGrid(QWidget* parent, const char* name, int columns, int rows, QRect geometry)
{
    QTableWidget* grid = MakeGrid(parent, name, columns, rows, geometry);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setStyleSheet("QTableWidget { background: palette(button); }");
    grid->setTextElideMode(Qt::ElideNone);
    QFont captionFont = grid->font();
    captionFont.setPixelSize(11);
    grid->setFont(captionFont);
    if (columns == 1)
        grid->horizontalHeader()->setDefaultSectionSize(CAPTION_WIDTH - 2);
    return grid;
}

void FillCaptions(QTableWidget* across, QTableWidget* down)
{
    for (int column = 0; column < MapColumns; ++column) {
        across->item(0, column)->setText(QString::asprintf(".%01X", column % 16));
    }
    for (int row = 1; row <= MapRows; ++row) {
        down->item(row, 0)->setText(QString::asprintf("%02X", MapColumns * row));
    }
}

// The character a byte shows under the converter's character set.
QString CharText(std::uint8_t ch)
{
    if (ch == 0)
        return {};
    char32_t code = platform::CharsetCharacter(Converter.ConverterFont.Charset, ch);
    if (code == 0)
        code = U'?';
    return QString::fromUcs4(&code, 1);
}

QFont ConverterQFont(int points)
{
    QFont font(QString::fromStdString(Converter.ConverterFont.Name));
    font.setPointSize(points);
    font.setBold(Converter.ConverterFontStyle.Bold);
    font.setItalic(Converter.ConverterFontStyle.Italic);
    return font;
}

void SelectCell(QTableWidget* grid, int column, int row)
{
    grid->setCurrentCell(row, column);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int y)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setGeometry(RIGHT_COLUMN, y, 100, 25);
    return button;
}

}  // namespace

TTtfDlg::TTtfDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName("TtfDlg");
    FollowFormOrder(*this);
    setWindowTitle(tr("TrueType to Label Printer Font Converter"));
    QFont dialogFont(QStringLiteral("Sans"));
    dialogFont.setPixelSize(13);
    setFont(dialogFont);
    setFixedSize(RIGHT_COLUMN + 100 + 8, TARGET_TOP + CELL_HEIGHT + GRID_HEIGHT + 12);

    Fonts = new QComboBox(this);
    Fonts->setObjectName("Fonts");
    Fonts->setGeometry(GRID_LEFT, 10, 240, 24);
    Styles = new QComboBox(this);
    Styles->setObjectName("Styles");
    Styles->addItems({"Regular", "Italic", "Bold", "Bold Italic"});
    Styles->setGeometry(GRID_LEFT + 252, 10, 120, 24);
    Scripts = new QComboBox(this);
    Scripts->setObjectName("Scripts");
    Scripts->setGeometry(GRID_LEFT + 384, 10, 150, 24);

    HCap1 = MakeCaptionGrid(this, "HCap1", MapColumns, 1, {GRID_LEFT, SOURCE_TOP, GRID_WIDTH, CELL_HEIGHT + 2});
    VCap1 = MakeCaptionGrid(this, "VCap1", 1, MapRows + 1, {8, SOURCE_TOP, CAPTION_WIDTH, CELL_HEIGHT * 8 + 4});
    FontSel = MakeGrid(this, "FontSel", MapColumns, MapRows,
                       {GRID_LEFT, SOURCE_TOP + CELL_HEIGHT + 2, GRID_WIDTH, GRID_HEIGHT});
    FontSel->setSelectionMode(QAbstractItemView::ContiguousSelection);
    HCap2 = MakeCaptionGrid(this, "HCap2", MapColumns, 1, {GRID_LEFT, TARGET_TOP, GRID_WIDTH, CELL_HEIGHT + 2});
    VCap2 = MakeCaptionGrid(this, "VCap2", 1, MapRows + 1, {8, TARGET_TOP, CAPTION_WIDTH, CELL_HEIGHT * 8 + 4});
    FontTo = MakeGrid(this, "FontTo", MapColumns, MapRows,
                      {GRID_LEFT, TARGET_TOP + CELL_HEIGHT + 2, GRID_WIDTH, GRID_HEIGHT});
    FontTo->setSelectionMode(QAbstractItemView::SingleSelection);

    PreviewFld = new QLabel(this);
    PreviewFld->setObjectName("PreviewFld");
    PreviewFld->setAlignment(Qt::AlignCenter);
    PreviewFld->setTextFormat(Qt::PlainText);
    PreviewFld->setFrameShape(QFrame::Panel);
    PreviewFld->setFrameShadow(QFrame::Sunken);
    PreviewFld->setGeometry(RIGHT_COLUMN, SOURCE_TOP, 100, 120);

    CopyBt = MakeButton(this, "CopyBt", tr("Copy"), TARGET_TOP - 4);
    UndoBt = MakeButton(this, "UndoBt", tr("Undo"), TARGET_TOP + 28);
    ClrOneBt = MakeButton(this, "ClrOneBt", tr("Clear Marked"), TARGET_TOP + 60);
    ClearBt = MakeButton(this, "ClearBt", tr("Clear"), TARGET_TOP + 92);
    PreviewBt = MakeButton(this, "PreviewBt", tr("Preview"), TARGET_TOP + 136);
    // Outside the visible area: Esc works through it without a visible button.
    CanBt = new QPushButton(tr("C"), this);
    CanBt->setObjectName("CanBt");
    CanBt->setAutoDefault(false);
    CanBt->setGeometry(width() + 40, 0, 20, 20);

    FPreviewDlg = new TFPreviewDlg(this);

    connect(Fonts, &QComboBox::activated, this, &TTtfDlg::FontsChange);
    connect(Styles, &QComboBox::activated, this, &TTtfDlg::StylesChange);
    connect(Scripts, &QComboBox::activated, this, &TTtfDlg::ScriptsClick);
    connect(FontSel, &QTableWidget::itemSelectionChanged, this, &TTtfDlg::FontSelClick);
    connect(FontTo, &QTableWidget::itemSelectionChanged, this, &TTtfDlg::FontToClick);
    connect(FontSel, &QTableWidget::cellDoubleClicked, this, &TTtfDlg::FontSelDblClick);
    connect(CopyBt, &QPushButton::clicked, this, &TTtfDlg::CopyBtClick);
    connect(ClearBt, &QPushButton::clicked, this, &TTtfDlg::ClearBtClick);
    connect(ClrOneBt, &QPushButton::clicked, this, &TTtfDlg::ClrOneBtClick);
    connect(UndoBt, &QPushButton::clicked, this, &TTtfDlg::UndoBtClick);
    connect(PreviewBt, &QPushButton::clicked, this, &TTtfDlg::PreviewBtClick);
    connect(CanBt, &QPushButton::clicked, this, &TTtfDlg::CanBtClick);
}

void TTtfDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TTtfDlg::FormShow()
{
    setProperty("HelpFile", QString::fromStdString(ProgramPaths.HelpFileName));
    Converter.ConverterFont = TConverterFont{};
    InitConverter();
}

void TTtfDlg::InitConverter()
{
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
    FillTrueTypeFontList();
    Styles->setCurrentIndex(0);
    ApplyStyleAndCharset();
    InitCharacterGrids();
    Converter.Map.Restart();
    ShowMap();
    ShowCellPreview(false);
}

void TTtfDlg::FillTrueTypeFontList()
{
    const QSignalBlocker blocker(Fonts);
    Fonts->clear();
    for (const std::string& family : platform::ScalableFontFamilies()) {
        Fonts->addItem(QString::fromStdString(family));
    }
    Fonts->setCurrentIndex(0);
    Styles->setCurrentIndex(0);
    SelectConverterFont(0);
}

void TTtfDlg::SelectConverterFont(int index)
{
    Converter.ConverterFont.Name = Fonts->itemText(index).toStdString();
    FillScriptList(Fonts->itemText(index));
    ApplyStyleAndCharset();
    ApplyGridFont();
    ShowCellPreview(false);
}

void TTtfDlg::FillScriptList(const QString& fontName)
{
    const QSignalBlocker blocker(Scripts);
    Scripts->clear();
    const TScriptList list = zk::FillScriptList(fontName.toStdString());
    for (const std::string& item : list.Items) {
        Scripts->addItem(QString::fromStdString(item));
    }
    Scripts->setCurrentIndex(list.Selected);
}

void TTtfDlg::ApplyStyleAndCharset()
{
    zk::ApplyStyleAndCharset(Styles->currentIndex(), Scripts->currentText().toStdString());
}

void TTtfDlg::FontsChange()
{
    SelectConverterFont(Fonts->currentIndex());
}

void TTtfDlg::StylesChange()
{
    ApplyStyleAndCharset();
    ApplyGridFont();
    ShowCellPreview(false);
}

void TTtfDlg::ScriptsClick()
{
    Converter.CurrentScript = Scripts->currentText().toStdString();
    StylesChange();
}

void TTtfDlg::InitCharacterGrids()
{
    FillCaptions(HCap1, VCap1);
    FillCaptions(HCap2, VCap2);
    Converter.Map.ClearTargetMap();
    ApplyGridFont();
}

void TTtfDlg::ApplyGridFont()
{
    const QFont font = ConverterQFont(GRID_FONT_POINTS);
    FontSel->setFont(font);
    FontTo->setFont(font);
    for (int row = 0; row < MapRows; ++row) {
        for (int column = 0; column < MapColumns; ++column) {
            FontSel->item(row, column)->setText(CharText(SourceCharAt(column, row)));
            FontTo->item(row, column)
                ->setText(CharText(Converter.Map.Cells[static_cast<std::size_t>(MapColumns * row + column)]));
        }
    }
}

void TTtfDlg::ShowMap()
{
    const QSignalBlocker sourceBlocker(FontSel);
    const QSignalBlocker targetBlocker(FontTo);
    ApplyGridFont();
    const TGridRect& source = Converter.Map.SourceSelection;
    FontSel->clearSelection();
    FontSel->setCurrentCell(source.Top, source.Left, QItemSelectionModel::NoUpdate);
    FontSel->setRangeSelected(QTableWidgetSelectionRange(source.Top, source.Left, source.Bottom, source.Right), true);
    FontTo->clearSelection();
    SelectCell(FontTo, Converter.Map.TargetCell.Left, Converter.Map.TargetCell.Top);
}

void TTtfDlg::TakeSelections()
{
    const auto ranges = FontSel->selectedRanges();
    if (!ranges.isEmpty()) {
        const QTableWidgetSelectionRange& range = ranges.first();
        Converter.Map.SourceSelection = {range.leftColumn(), range.topRow(), range.rightColumn(), range.bottomRow()};
    }
    if (FontTo->currentRow() >= 0 && FontTo->currentColumn() >= 0) {
        Converter.Map.TargetCell = {FontTo->currentColumn(), FontTo->currentRow()};
    }
}

void TTtfDlg::ShowCellPreview(bool fromMap)
{
    TakeSelections();
    const TCharacterMap& map = Converter.Map;
    const std::uint8_t ch =
        fromMap ? map.Cells[static_cast<std::size_t>(MapColumns * map.TargetCell.Top + map.TargetCell.Left)]
                : SourceCharAt(map.SourceSelection.Left, map.SourceSelection.Top);
    PreviewFld->setFont(ConverterQFont(CELL_PREVIEW_POINTS));
    // Plain text: an ampersand shows as itself.
    PreviewFld->setText(CharText(ch));
}

void TTtfDlg::FontSelClick()
{
    ShowCellPreview(false);
}

void TTtfDlg::FontToClick()
{
    ShowCellPreview(true);
}

void TTtfDlg::FontSelDblClick(int row, int column)
{
    TakeSelections();
    Converter.Map.CopySourceCell(column, row);
    ShowMap();
}

void TTtfDlg::CopyBtClick()
{
    TakeSelections();
    Converter.Map.CopySourceBlock();
    ShowMap();
}

void TTtfDlg::ClearBtClick()
{
    TakeSelections();
    Converter.Map.ClearAll();
    ShowMap();
}

void TTtfDlg::ClrOneBtClick()
{
    TakeSelections();
    Converter.Map.ClearMarkedCell();
    ShowMap();
}

void TTtfDlg::UndoBtClick()
{
    if (Converter.Map.UndoLastEdit()) {
        ShowMap();
        ShowCellPreview(false);
    }
}

void TTtfDlg::PreviewBtClick()
{
    TakeSelections();
    if (Converter.Map.MappedCount() == 0) {
        ShowMessageBox("Error", "Nothing to preview");
        return;
    }
    FPreviewDlg->exec();
}

void TTtfDlg::CanBtClick()
{
    reject();
}

}  // namespace zk
