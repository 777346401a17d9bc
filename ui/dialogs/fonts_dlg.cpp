#include "ui/dialogs/fonts_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/softfont/font_lists.h"
#include "ui/main_window.h"

namespace zk {

TFontsDlg* FontsDlg = nullptr;

namespace {

// The letter when text starts with one of A..Z in either case, else 0.
char FontLetterOf(const QString& text)
{
    if (text.isEmpty()) {
        return 0;
    }
    const QChar first = text.front().toUpper();
    return first >= QLatin1Char('A') && first <= QLatin1Char('Z') ? first.toLatin1() : 0;
}

}  // namespace

TFontsDlg::TFontsDlg(QWidget* parent) : TMemoryForm("FontsDlg", "Fonts", QSize(300, 124), parent)
{
    Label1 = new QLabel("Loaded fonts:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(12, 8, 200, 18);
    FntList = new QComboBox(this);
    FntList->setObjectName("FntList");
    FntList->setGeometry(12, 28, 276, 26);
    Label1->setBuddy(FntList);
    Label2 = new QLabel("Name:", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(12, 70, 48, 22);
    FntName = new QLineEdit(this);
    FntName->setObjectName("FntName");
    FntName->setMaxLength(1);
    FntName->setGeometry(64, 68, 32, 26);
    MakeUpperCase(FntName);
    Label2->setBuddy(FntName);
    OkBt = new QPushButton("OK", this);
    OkBt->setObjectName("OkBt");
    OkBt->setDefault(true);
    OkBt->setGeometry(196, 68, 92, 26);

    connect(OkBt, &QPushButton::clicked, this, &TFontsDlg::OkBtClick);
    connect(FntList, &QComboBox::activated, this, &TFontsDlg::FntListClick);
    FontsDlg = this;
}

TFontsDlg::~TFontsDlg()
{
    if (FontsDlg == this) {
        FontsDlg = nullptr;
    }
}

char TFontsDlg::Choose(bool nameFieldShown)
{
    FntName->setVisible(nameFieldShown);
    Label2->setVisible(nameFieldShown);
    FntName->clear();
    exec();
    return FontsDlgLetter;
}

void TFontsDlg::showEvent(QShowEvent* event)
{
    FormShow();
    TMemoryForm::showEvent(event);
}

void TFontsDlg::FormShow()
{
    FontsDlgLetter = 0;
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
    setWindowTitle(FromEngineCaption(FontsDlgList.Caption));
    FntList->clear();
    for (const std::string& item : FontsDlgList.Items) {
        FntList->addItem(FromEngineText(item));
    }
    FntList->setCurrentIndex(FontsDlgList.Selected < FntList->count() ? FontsDlgList.Selected : -1);
    if (FntName->isVisibleTo(this)) {
        FntName->setFocus();
    } else {
        FntList->setFocus();
    }
}

void TFontsDlg::FntListClick()
{
    const QString entry = FntList->currentText();
    FntName->setText(entry.isEmpty() ? QString() : QString(entry.front()));
}

void TFontsDlg::OkBtClick()
{
    if (FntName->isVisibleTo(this)) {
        const char letter = FontLetterOf(FntName->text());
        if (letter == 0) {
            FntName->clear();
            return;
        }
        FontsDlgLetter = letter;
        accept();
        return;
    }
    FontsDlgLetter = FontLetterOf(FntList->currentText());
    if (FontsDlgLetter != 0) {
        accept();
    }
}

}  // namespace zk
