#pragma once
// The settings dialog: the serial port, the test-print mode, the character
// translation and the reverse-direction option, and the printer's service
// commands. The settings change only when OK is pressed; a service command
// borrows the lists' unconfirmed port choice for its one exchange.

#include <QComboBox>
#include <QDialog>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zk {

// A list that tells when it is about to drop down, so it can be refilled.
class TDropDownList : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;
    std::function<void()> OnDropDown;
    void showPopup() override;
};

class TSettingsDlg : public QDialog {
    Q_OBJECT

public:
    explicit TSettingsDlg(QWidget* parent = nullptr);

    void FillSettingsDialog();
    // The machine's ports, the configured one chosen (or the first when it
    // is gone).
    void FillPortList();
    // Saves Port, BaudIndex and Protocol and takes the lists' choices.
    void UseDialogPortSettings();
    void RestorePortSettings();

    TDropDownList* PortNumber;
    QComboBox* Bauds;
    QComboBox* Protocol;
    QPushButton* DiagnBt;
    QPushButton* FormsBt;
    QPushButton* GraphicsBt;
    QPushButton* FontsBt;
    QPushButton* SetClock;
    QPushButton* GetClock;
    QLineEdit* ClockData;
    QComboBox* TPrintMode;
    QPushButton* DefaultBt;
    QPushButton* ResetBt;
    QPushButton* CalibrationBt;
    QComboBox* TrnList;
    QCheckBox* EnableR2L;
    QPushButton* OkBt;

    std::int32_t SavedPort = 0;
    std::int32_t SavedBaudIndex = 0;
    std::int32_t SavedProtocol = 0;

public slots:
    void DiagnBtClick();
    void FormsBtClick();
    void GraphicsBtClick();
    void FontsBtClick();
    void DefaultBtClick();
    void ResetBtClick();
    void SetClockClick();
    void GetClockClick();
    void CalibrationBtClick();
    void OkBtClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormClose();
    // One service exchange on the lists' port choice; refused with a beep
    // while another exchange runs.
    void WithDialogPort(const std::function<void()>& exchange);

    // True while a service exchange has the lists' port choices in force.
    bool m_portBorrowed = false;
};

// Refills the serial port list; tests replace it to keep their own port.
extern std::function<void()> EnumerateSerialPortsHook;
void CallEnumerateSerialPorts();

// The one settings form of the program, created on first use beside the
// main window and living as long as it does.
TSettingsDlg& SettingsDlg();

// Makes a first run without a configuration file open the settings dialog.
void InstallFirstRunSettingsDialog();

}  // namespace zk
