#include "ui/message_text.h"

#include <QFile>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>

#include "platform/code_pages.h"

namespace zk {

QString MessageBoxText(const TReportText& text)
{
    QString shown;
    for (const TReportText::Part& part : text.Parts()) {
        if (part.kind == TReportText::Kind::FileName) {
            shown += QFile::decodeName(QByteArray::fromStdString(part.bytes)).replace('&', QStringLiteral("&&"));
        } else {
            shown += QString::fromStdString(platform::Cp1252ToUtf8(part.bytes));
        }
    }
    return shown;
}

namespace {

// Lays the text out in lines of width pixels, centred; returns its height.
qreal LayOut(QTextLayout& layout, const QString& text, int width)
{
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(lines);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

}  // namespace

QSize MessageTextSize(const QFont& font, const QString& text, int width)
{
    QTextLayout layout(QString(), font);
    const qreal height = LayOut(layout, text, width);
    qreal widest = 0;
    for (int i = 0; i < layout.lineCount(); ++i) {
        widest = std::max(widest, layout.lineAt(i).naturalTextWidth());
    }
    return QSize(qCeil(widest), qCeil(height));
}

void TMessageText::paintEvent(QPaintEvent*)
{
    const QRect area = contentsRect();
    QTextLayout layout(QString(), font());
    const qreal height = LayOut(layout, text(), area.width());
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    // Centred vertically like a one-line label.
    layout.draw(&painter, QPointF(area.left(), area.top() + (area.height() - height) / 2));
}

}  // namespace zk
