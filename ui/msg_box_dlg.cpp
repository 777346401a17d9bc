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
    setWindowTitle(tr("Message Box"));
    QFont boxFont(QStringLiteral("Sans"));
    boxFont.setPixelSize(13);
    setFont(boxFont);
    setFixedSize(364, 93);

    OkBt = MakeButton(this, "OkBt", tr("OK"), {144, 55, 75, 25});
    YesBt = MakeButton(this, "YesBt", tr("Yes"), {72, 55, 75, 25});
    NoBt = MakeButton(this, "NoBt", tr("No"), {216, 55, 75, 25});
    MsgText = new QLabel(this);
    MsgText->setObjectName("MsgText");
    MsgText->setGeometry(0, 24, 364, 24);
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
    const std::optional<TBoxAnchor> anchor = AnchorSource ? AnchorSource() : std::nullopt;
    if (anchor) {
        move(MsgBoxPosition(*anchor, frameGeometry().size()));
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    MsgBoxKeepFocus = 1;
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
    MsgBoxKeepFocus = 0;
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
