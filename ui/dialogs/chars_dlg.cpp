#include "ui/dialogs/chars_dlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>
#include <optional>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/softfont/font_lists.h"
#include "engine/text/glyph_bitmap.h"
#include "engine/text/printer_font_layout.h"
#include "engine/text/text_render_state.h"
#include "ui/editing/editor_state.h"
#include "ui/form_order.h"

namespace zk {

namespace {

// The font item selected when the viewer is created, and the one it falls
// back to when the remembered item has gone from the list.
constexpr int InitialFontItem = 4;
constexpr int FallbackFontItem = 3;

constexpr QRgb HeadingColour = 0xFF0000FF;
constexpr QRgb GridColour = 0xFFFF0000;
constexpr QRgb InkColour = 0xFF000000;

// Grid lines span from the picture's margin to the last cell's far edge.
constexpr int GridMargin = 8;
constexpr int GridRight = 721;
constexpr int GridBottom = 882;

constexpr int PanelHeight = 41;
constexpr int FilterWidth = 676;
constexpr int FilterHeight = 33;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

QComboBox* MakeList(QWidget* parent, const char* name, QRect place)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setGeometry(place);
    box->setEditable(false);
    return box;
}

// Text centred on a point.
void DrawCentredText(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QRect(x - 20, y - 10, 40, 20), Qt::AlignCenter, text);
}

// A line from (x1, y1) up to, but not including, (x2, y2), the way the
// grid's end points are given.
void DrawLineTo(QPainter& painter, int x1, int y1, int x2, int y2)
{
    painter.drawLine(x1, y1, x2 - (x2 > x1 ? 1 : 0), y2 - (y2 > y1 ? 1 : 0));
}

}  // namespace

int CharCodeAt(int x, int y)
{
    if (x <= CharGridLeft || x >= 720 || y <= CharGridTop || y > 881) return -1;
    return (x - CharGridLeft) / CharCellWidth + ((y - CharGridTop) / CharCellHeight) * CharGridColumns +
           FirstTableCode;
}

QStringList ViewerFontItems()
{
    FillFontList();
    QStringList items;
    for (const std::string& item : TextDlgFontType.Items) {
        items << QString::fromLatin1(item.c_str());
    }
    return items;
}

TCharsDlg::TCharsDlg(QWidget* parent)
    : QDialog(parent), m_picture(CharTableWidth, CharTableHeight, QImage::Format_RGB32)
{
    setObjectName("CharsDlg");
    FollowFormOrder(*this);
    setWindowTitle(tr("Character Set Viewer"));
    BuildControls();
    FormCreate();
}

void TCharsDlg::BuildControls()
{
    QFont formFont(QStringLiteral("Sans"));
    formFont.setPixelSize(12);
    setFont(formFont);

    CtlPanel = new QFrame(this);
    CtlPanel->setObjectName("CtlPanel");
    CtlPanel->setFrameShape(QFrame::StyledPanel);
    FltPanel = new QFrame(CtlPanel);
    FltPanel->setObjectName("FltPanel");
    FltPanel->setFrameShape(QFrame::NoFrame);
    FltPanel->resize(FilterWidth, FilterHeight);

    Label1 = MakeLabel(FltPanel, "Label1", tr("Language:"), {4, 8, 62, 17});
    TableBox = MakeList(FltPanel, "TableBox", {68, 5, 150, 23});
    Label2 = MakeLabel(FltPanel, "Label2", tr("Font:"), {228, 8, 32, 17});
    FontBox = MakeList(FltPanel, "FontBox", {262, 5, 96, 23});
    AsciiLb = MakeLabel(FltPanel, "AsciiLb", QString(), {366, 8, 82, 17});
    Label3 = MakeLabel(FltPanel, "Label3", tr("First byte:"), {452, 8, 64, 17});
    HB = new QLineEdit(QStringLiteral("B0h"), FltPanel);
    HB->setObjectName("HB");
    HB->setMaxLength(3);
    HB->setGeometry(518, 5, 40, 23);
    OkBt = new QPushButton(tr("OK"), FltPanel);
    OkBt->setObjectName("OkBt");
    OkBt->setGeometry(590, 4, 75, 25);
    // Off-screen: Esc reaches it through the dialog's reject.
    CanBt = new QPushButton(tr("C"), this);
    CanBt->setObjectName("CanBt");
    CanBt->setGeometry(-200, -200, 75, 25);

    ViewBox = new QScrollArea(this);
    ViewBox->setObjectName("ViewBox");
    ViewBox->setBackgroundRole(QPalette::Base);
    QPalette white = ViewBox->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    ViewBox->setPalette(white);
    ViewBox->setWidgetResizable(false);
    FontImg = new QLabel;
    FontImg->setObjectName("FontImg");
    FontImg->setMouseTracking(true);
    FontImg->installEventFilter(this);
    ViewBox->setWidget(FontImg);

    CharsMenu = new QMenu(this);
    CharsMenu->setObjectName("CharsMenu");
    CopyM = CharsMenu->addAction(tr("Copy"));
    CopyM->setObjectName("CopyM");
    CopyM->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    CloseM = CharsMenu->addAction(tr("Close"));
    CloseM->setObjectName("CloseM");
    CloseM->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    for (QAction* action : {CopyM, CloseM}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    AttachMenu(TableBox);
    AttachMenu(FontBox);
    AttachMenu(FontImg);

    connect(TableBox, &QComboBox::currentIndexChanged, this, &TCharsDlg::TableBoxChange);
    connect(FontBox, &QComboBox::currentIndexChanged, this, &TCharsDlg::FontBoxChange);
    connect(CopyM, &QAction::triggered, this, &TCharsDlg::CopyMClick);
    connect(CloseM, &QAction::triggered, this, &TCharsDlg::CloseMClick);
    connect(OkBt, &QPushButton::clicked, this, &TCharsDlg::OkBtClick);
    connect(CanBt, &QPushButton::clicked, this, &TCharsDlg::CanBtClick);

    resize(CharTableWidth + 32, 640);
}

void TCharsDlg::AttachMenu(QWidget* widget)
{
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(widget, &QWidget::customContextMenuRequested, this,
            [this, widget](const QPoint& at) { CharsMenu->popup(widget->mapToGlobal(at)); });
}

void TCharsDlg::FormCreate()
{
    FontImg->move(0, 0);
    FontImg->setFixedSize(CharTableWidth, CharTableHeight);
    m_picture.fill(Qt::white);
    FontImg->setPixmap(QPixmap::fromImage(m_picture));
    FillViewerLists();
    const QSignalBlocker tableBlocker(TableBox);
    const QSignalBlocker fontBlocker(FontBox);
    // Tables past the list repeat table 0.
    TableBox->setCurrentIndex(LabelSetup.Language < TableBox->count() ? LabelSetup.Language : 0);
    FontBox->setCurrentIndex(InitialFontItem);
    FormCanResize();
}

void TCharsDlg::FillViewerLists()
{
    const QSignalBlocker tableBlocker(TableBox);
    const QSignalBlocker fontBlocker(FontBox);
    TableBox->clear();
    for (const char* name : LanguageNames) {
        TableBox->addItem(QString::fromLatin1(name));
    }
    FontBox->clear();
    FontBox->addItems(ViewerFontItems());
}

void TCharsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TCharsDlg::FormShow()
{
    // The text dialog's font list follows the label's soft fonts.
    if (EditingHooks.FillFontList) {
        EditingHooks.FillFontList();
    }
    const int table = TableBox->currentIndex();
    const int font = FontBox->currentIndex();
    AsciiLb->clear();
    FillViewerLists();
    const QSignalBlocker tableBlocker(TableBox);
    const QSignalBlocker fontBlocker(FontBox);
    TableBox->setCurrentIndex(table);
    FontBox->setCurrentIndex(font >= 0 && font < FontBox->count() ? font : FallbackFontItem);
    DrawCharacterTable();
}

void TCharsDlg::DrawCharacterTable()
{
    const QString fontItem = FontBox->currentText();
    const char font = fontItem.isEmpty() ? '\0' : fontItem.at(0).toLatin1();

    m_picture.fill(Qt::white);
    {
        QPainter painter(&m_picture);
        QFont headingFont(QStringLiteral("Sans"));
        headingFont.setPixelSize(14);
        headingFont.setBold(true);
        headingFont.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(headingFont);
        // Plain colours only, so the picture copies and compares exactly.
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setPen(QColor::fromRgb(HeadingColour));
        for (int i = 0; i < CharGridColumns; ++i) {
            DrawCentredText(painter, CharCellWidth * i + 69, 25, QStringLiteral("_%1").arg(i, 1, 16).toUpper());
        }
        for (int i = 0; i < CharGridRows; ++i) {
            DrawCentredText(painter, 28, CharCellHeight * i + 74, QStringLiteral("%1_").arg(i + 2, 1, 16).toUpper());
        }
    }

    // The table shown may differ from the label's own.
    const std::int32_t labelLanguage = LabelSetup.Language;
    const int table = std::max(TableBox->currentIndex(), 0);
    LabelSetup.Language = table;
    ArabicGlyphSet = table == ArabicLanguage ? 1 : 0;
    for (int i = 0; i < CharGridRows; ++i) {
        for (int j = 0; j < CharGridColumns; ++j) {
            DrawCharCell(CharCellWidth * j + CharGridLeft, CharCellHeight * i + CharGridTop, font,
                         FirstTableCode + CharGridColumns * i + j);
        }
    }
    LabelSetup.Language = labelLanguage;

    {
        QPainter painter(&m_picture);
        painter.setPen(QColor::fromRgb(GridColour));
        DrawLineTo(painter, GridMargin, GridMargin, GridRight, GridMargin);
        for (int i = 0; i <= CharGridRows; ++i) {
            const int y = CharCellHeight * i + CharGridTop;
            DrawLineTo(painter, GridMargin, y, GridRight, y);
        }
        DrawLineTo(painter, GridMargin, GridMargin, GridMargin, GridBottom);
        for (int i = 0; i <= CharGridColumns; ++i) {
            const int x = CharCellWidth * i + CharGridLeft;
            DrawLineTo(painter, x, GridMargin, x, GridBottom);
        }
    }
    FontImg->setPixmap(QPixmap::fromImage(m_picture));
}

void TCharsDlg::DrawCharCell(int cellX, int cellY, char font, int code)
{
    const auto glyphCode = static_cast<std::uint8_t>(code);
    std::optional<TGlyphBitmap> glyph;
    if (font >= '0' && font <= '5') {
        glyph = ResidentGlyphBitmap(font - '0', glyphCode);
    } else if (font != '\0' && font != ' ') {
        glyph = SoftGlyphBitmap(font, glyphCode);
    }
    if (!glyph) return;
    // Printed dots become black pixels; the rest leaves the picture alone.
    const int left = cellX - glyph->Width / 2 + CharCellWidth / 2;
    const int top = cellY - glyph->Rows / 2 + CharCellHeight / 2 + 1;
    for (int y = 0; y < glyph->Rows; ++y) {
        for (int x = 0; x < glyph->Width; ++x) {
            if (glyph->InkAt(x, y) && m_picture.rect().contains(left + x, top + y)) {
                m_picture.setPixel(left + x, top + y, InkColour);
            }
        }
    }
}

bool TCharsDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FontImg && event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        FontImgMouseMove(at.x(), at.y());
    }
    return QDialog::eventFilter(watched, event);
}

void TCharsDlg::FontImgMouseMove(int x, int y)
{
    const int code = CharCodeAt(x, y);
    if (code < 0) {
        AsciiLb->clear();
    } else {
        AsciiLb->setText(QStringLiteral("%1 (%2h)").arg(code).arg(QString::number(code, 16).toUpper(), 2, QLatin1Char('0')));
    }
}

void TCharsDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TCharsDlg::FormResize()
{
    CtlPanel->setGeometry(0, 0, width(), PanelHeight);
    FltPanel->move((CtlPanel->width() - FltPanel->width()) / 2, (CtlPanel->height() - FltPanel->height()) / 2);
    ViewBox->setGeometry(0, PanelHeight, width(), std::max(height() - PanelHeight, 0));
}

void TCharsDlg::FormCanResize()
{
    // No narrower than the controls and no lower than three of their rows.
    setMinimumSize(FltPanel->width(), 3 * FltPanel->height());
}

void TCharsDlg::FontBoxChange() { DrawCharacterTable(); }

void TCharsDlg::TableBoxChange() { DrawCharacterTable(); }

void TCharsDlg::CopyMClick() { QApplication::clipboard()->setImage(m_picture); }

void TCharsDlg::CloseMClick() { reject(); }

void TCharsDlg::OkBtClick() { accept(); }

void TCharsDlg::CanBtClick() { reject(); }

}  // namespace zk
