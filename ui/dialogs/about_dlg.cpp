#include "ui/dialogs/about_dlg.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <iterator>

#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk {

namespace {

constexpr int PictureSize = 64;

// A label on its backing paper with a barcode and two lines of text.
QPixmap LabelPicture()
{
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(0xFF, 0xF4, 0xD0));
    painter.drawRoundedRect(6, 4, 52, 56, 6, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const int bars[] = {2, 1, 1, 3, 1, 2, 2, 1, 3, 1, 1, 2, 1};
    int x = 14;
    for (std::size_t i = 0; i < std::size(bars); ++i) {
        if (i % 2 == 0) painter.drawRect(x, 12, bars[i], 22);
        x += bars[i] + 1;
    }
    painter.drawRect(14, 40, 36, 3);
    painter.drawRect(14, 48, 24, 3);
    return pixmap;
}

QLabel* MakeText(QWidget* parent, const char* name, const QString& text, QRect place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

}  // namespace

TAboutDlg::TAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutDlg");
    FollowFormOrder(*this);
    setWindowTitle(tr("About"));
    QFont formFont(QStringLiteral("Sans"));
    formFont.setPixelSize(12);
    setFont(formFont);
    setFixedSize(360, 200);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(16, 16, PictureSize, PictureSize);
    Image1->setPixmap(LabelPicture());

    QFont titleFont = formFont;
    titleFont.setBold(true);
    titleFont.setPixelSize(15);
    ProductName = MakeText(this, "ProductName", QString::fromLatin1(ApplicationTitle), {96, 16, 250, 20});
    ProductName->setFont(titleFont);
    const QString caption = QString::fromLatin1(MainWindowCaption);
    Version = MakeText(this, "Version", tr("Version %1").arg(caption.section(QLatin1Char(' '), -1)), {96, 40, 250, 18});
    Comments = MakeText(this, "Comments", tr("Label design for thermal label printers\nconnected to a serial port."),
                        {96, 62, 250, 34});
    Contact = MakeText(this, "Contact",
                       tr("For help choose Help, Label Editor Help.\nFor printer support ask your printer's supplier."),
                       {16, 100, 330, 34});

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setGeometry(0, 148, 360, 52);
    OkBt = new QPushButton(tr("OK"), Panel1);
    OkBt->setObjectName("OkBt");
    OkBt->setGeometry(142, 13, 75, 25);
    OkBt->setDefault(true);
    connect(OkBt, &QPushButton::clicked, this, &TAboutDlg::OkBtClick);
}

void TAboutDlg::OkBtClick() { accept(); }

}  // namespace zk
