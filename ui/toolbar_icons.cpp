#include "ui/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cstring>

namespace zk {

namespace {

constexpr int IconSize = 24;
const QColor Ink(0x20, 0x20, 0x20);
const QColor Accent(0x00, 0x60, 0xC0);

void PaintText(QPainter& p)
{
    QFont font("DejaVu Serif");
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, "A");
}

void PaintBarcode(QPainter& p)
{
    const int widths[] = {1, 2, 1, 3, 1, 1, 2, 1, 3, 1, 2};
    int x = 2;
    for (int i = 0; i < static_cast<int>(std::size(widths)) && x < IconSize - 2; ++i) {
        if (i % 2 == 0) {
            p.fillRect(x, 3, widths[i], 18, Ink);
        }
        x += widths[i] + (i % 2 == 0 ? 0 : 1);
    }
}

void PaintRectangle(QPainter& p)
{
    p.fillRect(4, 6, 16, 12, Ink);
}

void PaintLine(QPainter& p)
{
    p.setPen(QPen(Ink, 2));
    p.drawLine(4, 20, 20, 4);
}

void PaintBox(QPainter& p)
{
    p.setPen(QPen(Ink, 2));
    p.drawRect(4, 5, 16, 14);
}

void PaintPicture(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.drawRect(2, 4, 20, 16);
    QPainterPath hills;
    hills.moveTo(3, 19);
    hills.lineTo(9, 10);
    hills.lineTo(13, 15);
    hills.lineTo(16, 12);
    hills.lineTo(21, 19);
    hills.closeSubpath();
    p.fillPath(hills, Ink);
    p.setBrush(Accent);
    p.drawEllipse(QPoint(17, 8), 2, 2);
}

void PaintAlign(QPainter& p)
{
    for (int y = 4; y <= 20; y += 4) {
        for (int x = 4; x <= 20; x += 4) {
            p.fillRect(x, y, 1, 1, Ink);
        }
    }
    p.fillRect(8, 8, 9, 9, Accent);
}

void PaintFiles(QPainter& p)
{
    QPainterPath folder;
    folder.moveTo(2, 7);
    folder.lineTo(9, 7);
    folder.lineTo(11, 9);
    folder.lineTo(22, 9);
    folder.lineTo(22, 20);
    folder.lineTo(2, 20);
    folder.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(0xE8, 0xC0, 0x50));
    p.drawPath(folder);
}

void PaintSetup(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(4, 3, 16, 18, 2, 2);
    p.setPen(QPen(Accent, 1, Qt::DashLine));
    p.drawRect(6, 5, 12, 14);
}

// A printer: paper above, body below; the test print has a T on its sheet.
void PaintPrinter(QPainter& p, bool test)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 9);
    p.setBrush(QColor(0xA0, 0xA0, 0xA0));
    p.drawRect(3, 10, 18, 8);
    p.setBrush(Qt::white);
    p.drawRect(7, 15, 10, 7);
    if (test) {
        p.setPen(QPen(Accent, 2));
        p.drawLine(9, 4, 15, 4);
        p.drawLine(12, 4, 12, 9);
    }
}

void PaintVariables(QPainter& p)
{
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, "x=");
}

void PaintNewValues(QPainter& p)
{
    PaintVariables(p);
    p.setPen(QPen(Accent, 2));
    p.drawLine(16, 3, 21, 3);
    p.drawLine(18, 1, 21, 3);
    p.drawLine(18, 5, 21, 3);
}

void PaintSettings(QPainter& p)
{
    p.setPen(QPen(Ink, 3));
    const QPoint centre(12, 12);
    for (int i = 0; i < 8; ++i) {
        QTransform turn;
        turn.translate(12, 12).rotate(45.0 * i);
        p.drawLine(turn.map(QPoint(0, -6)), turn.map(QPoint(0, -9)));
    }
    p.setPen(QPen(Ink, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 6, 6);
    p.drawEllipse(centre, 2, 2);
}

struct IconRow {
    const char* name;
    void (*paint)(QPainter&);
};

const IconRow ICONS[] = {
    {"TextBt", PaintText},
    {"BarcBt", PaintBarcode},
    {"RectBt", PaintRectangle},
    {"LineBt", PaintLine},
    {"BoxBt", PaintBox},
    {"PictBt", PaintPicture},
    {"AlignBt", PaintAlign},
    {"FilesBt", PaintFiles},
    {"SetupBt", PaintSetup},
    {"TPrintBt", [](QPainter& p) { PaintPrinter(p, true); }},
    {"PrintBt", [](QPainter& p) { PaintPrinter(p, false); }},
    {"VarBt", PaintVariables},
    {"NewValuesBt", PaintNewValues},
    {"SettingsBt", PaintSettings},
};

}  // namespace

QIcon ToolbarIcon(const char* buttonName)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Ink);
    for (const IconRow& row : ICONS) {
        if (std::strcmp(row.name, buttonName) == 0) {
            row.paint(painter);
        }
    }
    painter.end();
    return QIcon(pixmap);
}

}  // namespace zk
