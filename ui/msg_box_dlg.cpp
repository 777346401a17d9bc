#include "ui/msg_box_dlg.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "ui/form_order.h"
#include "ui/message_text.h"
#include "ui/window_placement.h"

namespace zk {

std::uint8_t MsgBoxAnswer = 0;
std::uint8_t MsgBoxKeepFocus = 0;

QPoint MsgBoxPosition(const TBoxAnchor& anchor, QSize boxSize)
{
    // Integer division rounds toward zero, also when the box is the wider one.
    const int left = anchor.mainFrame.left() + (anchor.mainFrame.width() - boxSize.width()) / 2 + anchor.scroll.x();
    const int top = anchor.mainFrame.top() + anchor.labelImageTop + (anchor.mainFrame.height() - boxSize.height()) / 4 +
                    anchor.scroll.y() + 16;
    return {left, top};
}

namespace {

// The form as designed: a text area of one line, the buttons below it.
constexpr QSize FormSize{364, 93};
constexpr QRect TextPlace{0, 24, 364, 24};
constexpr QRect OkPlace{144, 55, 75, 25};
constexpr QRect YesPlace{72, 55, 75, 25};
constexpr QRect NoPlace{216, 55, 75, 25};
// Room beside a text that needs a wider form.
constexpr int TextMargin = 12;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}

}  // namespace

TMsgBoxDlg::TMsgBoxDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("MsgBoxDlg");
    FollowFormOrder(*this);
    setWindowTitle(tr("Message Box"));
    QFont boxFont(QStringLiteral("Sans"));
    boxFont.setPixelSize(13);
    setFont(boxFont);
    setFixedSize(FormSize);

    OkBt = MakeButton(this, "OkBt", tr("OK"), OkPlace);
    YesBt = MakeButton(this, "YesBt", tr("Yes"), YesPlace);
    NoBt = MakeButton(this, "NoBt", tr("No"), NoPlace);
    MsgText = new TMessageText(this);
    MsgText->setObjectName("MsgText");
    MsgText->setGeometry(TextPlace);
    MsgText->setAlignment(Qt::AlignCenter);
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 0, 364, 23);
    Panel1->setFrameShape(QFrame::NoFrame);

    connect(OkBt, &QPushButton::clicked, this, &TMsgBoxDlg::OkBtClick);
    connect(YesBt, &QPushButton::clicked, this, &TMsgBoxDlg::YesBtClick);
    connect(NoBt, &QPushButton::clicked, this, &TMsgBoxDlg::NoBtClick);
    ShowButtons(Buttons::Ok);
}

void TMsgBoxDlg::ShowButtons(Buttons buttons)
{
    OkBt->setVisible(buttons == Buttons::Ok);
    YesBt->setVisible(buttons == Buttons::YesNo);
    NoBt->setVisible(buttons == Buttons::YesNo);
    OkBt->setDefault(buttons == Buttons::Ok);
    YesBt->setDefault(buttons == Buttons::YesNo);
}

void TMsgBoxDlg::SetText(const QString& text)
{
    // The text is a label's: "&&" there shows one "&".
    MsgText->setText(QString(text).replace(QStringLiteral("&&"), QStringLiteral("&")));
    const QSize before = size();
    FitText();
    // A box on screen that had to grow stays centred where it was placed.
    if (isVisible() && size() != before) {
        Place();
    }
}

void TMsgBoxDlg::FitText()
{
    const QString text = MsgText->text();
    const QFont& textFont = MsgText->font();
    const QSize oneLine = MessageTextSize(textFont, text, QWIDGETSIZE_MAX);
    QSize textArea = TextPlace.size();
    if (oneLine.width() > TextPlace.width() - 2 * TextMargin || oneLine.height() > TextPlace.height()) {
        // Wider, up to two thirds of the screen, then wrapped and taller.
        const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
        const int widest = shownOn != nullptr ? shownOn->availableGeometry().width() * 2 / 3 : FormSize.width();
        const int lineWidth = std::min(oneLine.width(), widest - 2 * TextMargin);
        const QSize laidOut = MessageTextSize(textFont, text, lineWidth);
        textArea = QSize(std::max(TextPlace.width(), lineWidth + 2 * TextMargin),
                         std::max(TextPlace.height(), laidOut.height()));
    }
    const QPoint grown(textArea.width() - TextPlace.width(), textArea.height() - TextPlace.height());
    setFixedSize(FormSize + QSize(grown.x(), grown.y()));
    MsgText->setGeometry(QRect(TextPlace.topLeft(), textArea));
    Panel1->setGeometry(0, 0, width(), Panel1->height());
    // The buttons keep their places relative to the middle of the form.
    const QPoint shift(grown.x() / 2, grown.y());
    OkBt->setGeometry(OkPlace.translated(shift));
    YesBt->setGeometry(YesPlace.translated(shift));
    NoBt->setGeometry(NoPlace.translated(shift));
}

void TMsgBoxDlg::ShowAboveModalDialog()
{
    if (!isVisible()) {
        // A window outside the running modal dialog's family gets no input
        // while it runs; the box joins the family as the dialog's own modal child.
        QWidget* modal = QApplication::activeModalWidget();
        m_modalOwner = modal != this ? modal : nullptr;
        setWindowModality(m_modalOwner != nullptr ? Qt::WindowModal : Qt::NonModal);
        winId();
        windowHandle()->setTransientParent(m_modalOwner != nullptr ? m_modalOwner->windowHandle() : nullptr);
        show();
    }
    raise();
    activateWindow();
}

void TMsgBoxDlg::reject()
{
    // Esc and the close button answer No, except mid-exchange.
    if (!m_busy) {
        NoBtClick();
    }
}

void TMsgBoxDlg::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        FormShow();
        // Stays on top without a window manager: above windows made after it too.
        raise();
    }
    QDialog::showEvent(event);
}

void TMsgBoxDlg::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) {
        FormClose();
    }
    QDialog::hideEvent(event);
}

void TMsgBoxDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        FormDeactivate();
    }
    QDialog::changeEvent(event);
}

void TMsgBoxDlg::OkBtClick()
{
    MsgBoxAnswer = 1;
    done(Accepted);
}

void TMsgBoxDlg::YesBtClick()
{
    MsgBoxAnswer = 1;
    done(Accepted);
}

void TMsgBoxDlg::NoBtClick()
{
    MsgBoxAnswer = 0;
    done(Rejected);
}

void TMsgBoxDlg::FormShow()
{
    MsgBoxAnswer = 0;
    FitText();
    Place();
    MsgBoxKeepFocus = 1;
}

QRect TMsgBoxDlg::SaidPart() const
{
    const QRect frame = frameGeometry();
    const int textBottom = MsgText->mapToGlobal(QPoint(0, MsgText->height())).y();
    return {frame.left(), frame.top(), frame.width(), textBottom - frame.top()};
}

void TMsgBoxDlg::Place()
{
    QPoint wanted;
    const std::optional<TBoxAnchor> anchor = AnchorSource ? AnchorSource() : std::nullopt;
    if (anchor) {
        wanted = MsgBoxPosition(*anchor, frameGeometry().size());
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        wanted = screen->availableGeometry().center() - QPoint(width() / 2, height() / 2);
    } else {
        return;
    }
    // Every box opens at the same place: one that opens while another is
    // up (a message after an exchange's error) would hide it exactly.
    std::vector<QRect> below;
    int step = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const auto* box = qobject_cast<const TMsgBoxDlg*>(window);
        if (box != nullptr && box != this && box->isVisible()) {
            below.push_back(box->SaidPart());
            step = std::max(step, below.back().height());
        }
    }
    MoveOnScreenClearOf(*this, wanted, below, step);
}

void TMsgBoxDlg::FormDeactivate()
{
    // Taken back later, once the activation change is over; never from a
    // modal window that is up in front of this one (a question asked while
    // the busy window shows).
    QTimer::singleShot(0, this, [this] {
        const QWidget* modal = QApplication::activeModalWidget();
        if (MsgBoxKeepFocus == 1 && isVisible() && !isActiveWindow() && (modal == nullptr || modal == this)) {
            activateWindow();
        }
    });
}

void TMsgBoxDlg::FormClose()
{
    // A box still on screen (the error box a question was asked over)
    // keeps taking the focus back.
    MsgBoxKeepFocus = 0;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && qobject_cast<const TMsgBoxDlg*>(window) != nullptr) {
            MsgBoxKeepFocus = 1;
        }
    }
    // Without a window manager nobody else hands the focus back.
    if (m_modalOwner != nullptr && m_modalOwner->isVisible()) {
        m_modalOwner->activateWindow();
    }
    // The next showing decides afresh; a modal box over the whole program
    // must not stay tied to a dialog that is gone.
    m_modalOwner = nullptr;
    setWindowModality(Qt::NonModal);
    if (windowHandle() != nullptr) {
        windowHandle()->setTransientParent(nullptr);
    }
}

}  // namespace zk
