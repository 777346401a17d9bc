#include "ui/qt_ui_services.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <memory>

#include "platform/code_pages.h"
#include "ui/message_text.h"

namespace zk {

namespace {

// Engine texts are code page 1252 bytes.
QString FromEngine(const std::string& text) { return QString::fromStdString(platform::Cp1252ToUtf8(text)); }

}  // namespace

QtUiServices::QtUiServices() = default;

QtUiServices::~QtUiServices()
{
    if (&Ui() == this) {
        SetUiServices(nullptr);
    }
}

void QtUiServices::SetAnchorSource(std::function<std::optional<TBoxAnchor>()> source)
{
    m_box.AnchorSource = std::move(source);
}

std::uint8_t QtUiServices::ShowMessageBox(const std::string& caption, const TReportText& text, bool yesNo)
{
    // A question during an exchange gets a form of its own, so the busy
    // window keeps its caption, text and buttons.
    std::unique_ptr<TMsgBoxDlg> separate;
    TMsgBoxDlg* box = &m_box;
    if (m_box.isVisible()) {
        separate = std::make_unique<TMsgBoxDlg>();
        separate->AnchorSource = m_box.AnchorSource;
        box = separate.get();
    }
    box->SetBusy(false);
    box->setWindowTitle(FromEngine(caption));
    box->SetText(MessageBoxText(text));
    box->ShowButtons(yesNo ? TMsgBoxDlg::Buttons::YesNo : TMsgBoxDlg::Buttons::Ok);
    box->exec();
    return MsgBoxAnswer;
}

bool QtUiServices::IsMessageBoxVisible() const { return m_box.isVisible(); }

void QtUiServices::ShowBusyWindow(const std::string& text)
{
    m_box.SetText(FromEngine(text));
    m_box.ShowButtons(TMsgBoxDlg::Buttons::None);
    m_box.setWindowTitle(QStringLiteral("Communicating ..."));
    m_box.SetBusy(true);
    m_box.ShowAboveModalDialog();
}

void QtUiServices::SetBusyText(const std::string& text) { m_box.SetText(FromEngine(text)); }

void QtUiServices::CloseBusyWindow()
{
    m_box.SetBusy(false);
    m_box.hide();
}

void QtUiServices::ShowBusyError(const std::string& caption, const TReportText& text)
{
    m_box.SetBusy(false);
    m_box.ShowButtons(TMsgBoxDlg::Buttons::Ok);
    m_box.setWindowTitle(FromEngine(caption));
    m_box.SetText(MessageBoxText(text));
    m_box.ShowAboveModalDialog();
}

void QtUiServices::Beep() { QApplication::beep(); }

void QtUiServices::RunPendingMessages() { QCoreApplication::processEvents(); }

void QtUiServices::WaitRunningMessages(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace zk
