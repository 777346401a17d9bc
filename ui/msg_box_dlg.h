#pragma once
// The small form through which the engine and most dialogs report to the
// user: a modal message box with OK or Yes/No, and the modeless, always-on-top
// busy window of a printer exchange, which turns into an error box when the
// printer does not answer.

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <cstdint>
#include <functional>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;

namespace zk {

// 1 after OK or Yes; 0 after No or any other way of closing.
extern std::uint8_t MsgBoxAnswer;
// 1 while a box is shown: it takes the focus back when it loses it.
extern std::uint8_t MsgBoxKeepFocus;

// What the box is placed against: the main window's frame, the top of the
// label image inside it, and how far its label view is scrolled.
struct TBoxAnchor {
    QRect mainFrame;
    int labelImageTop = 0;
    QPoint scroll;
};

// Centred horizontally over the main window and a quarter of its free height
// below the label image, following the scroll position.
QPoint MsgBoxPosition(const TBoxAnchor& anchor, QSize boxSize);

class TMsgBoxDlg : public QDialog {
    Q_OBJECT

public:
    enum class Buttons { None, Ok, YesNo };

    explicit TMsgBoxDlg(QWidget* parent = nullptr);

    void ShowButtons(Buttons buttons);
    // The message, "&&" showing one "&"; a text that doesn't fit the form's
    // one line widens it (up to two thirds of the screen) and then wraps and
    // makes it taller.
    void SetText(const QString& text);
    // Shows the box modeless, or, while a modal dialog runs, modal to that
    // dialog so that it takes input above it; raised and given the focus
    // either way, so it works without a window manager's help.
    void ShowAboveModalDialog();
    // The caption and the text, in screen coordinates: what a box opening
    // over this one leaves in sight.
    QRect SaidPart() const;
    // While busy (an exchange runs) neither Esc nor the close button closes it.
    void SetBusy(bool busy) { m_busy = busy; }
    bool IsBusy() const { return m_busy; }

    // Where the box opens; without an anchor it is centred on the screen.
    std::function<std::optional<TBoxAnchor>()> AnchorSource;

    QPushButton* OkBt;
    QPushButton* YesBt;
    QPushButton* NoBt;
    QLabel* MsgText;
    QFrame* Panel1;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OkBtClick();
    void YesBtClick();
    void NoBtClick();
    void FormShow();
    void FormDeactivate();
    void FormClose();
    // Sizes the form and its text area to the text.
    void FitText();
    // Where the box opens: against its anchor, else centred on the screen;
    // below or above the boxes already up where it would hide what they say.
    void Place();

    bool m_busy = false;
    // The modal dialog the box was shown over; it gets the focus back.
    QPointer<QWidget> m_modalOwner;
};

}  // namespace zk
