#pragma once
// What the seven figure dialogs share: the form of captioned fields, the
// default OK button, the hidden cancel button "C" that makes Esc close the
// dialog without accepting, and the conversions between the controls and
// the template fields.

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/model/figures.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace zk {

class TFigureDialog : public QDialog {
    Q_OBJECT

public:
    TFigureDialog(const char* name, int helpContext, QWidget* parent);

    QPushButton* OkBt() const { return m_okBt; }
    QPushButton* CanBt() const { return m_canBt; }

    // Centres the dialog over the main window when there is one.
    void Place();

    // Conversions between the controls and the template fields.
    static QStringList NumberItems(int first, int last);

    static void SetNumber(QLineEdit* edit, std::int32_t value);
    // The field's number when it parses and lies in min..max (both
    // inclusive); otherwise the old value stays, silently.
    static void ReadBounded(const QLineEdit* edit, std::int32_t min, std::int32_t max, std::int16_t& field);
    static void ReadBounded(const QLineEdit* edit, std::int32_t min, std::int32_t max, std::uint16_t& field);
    static void ReadBounded(const QLineEdit* edit, std::int32_t min, std::int32_t max, std::uint8_t& field);

    // Selects item value - offset; a value outside the list selects nothing.
    static void SetChoice(QComboBox* box, std::int32_t value, std::int32_t offset = 0);
    // The selected index + offset; with nothing selected the old value stays.
    static void ReadChoice(const QComboBox* box, std::int16_t& field, std::int32_t offset = 0);
    static void ReadChoice(const QComboBox* box, std::uint8_t& field, std::int32_t offset = 0);

    // Dialog text is code page 1252; these convert it at the Qt border.
    static QString FromCp1252(std::string_view bytes);
    static std::string ToCp1252(const QString& text);

protected:
    // The form's fields, added in order; name is the control's objectName.
    QLineEdit* AddNumberField(const char* name, const QString& caption, int maxLength = 0);
    QLineEdit* AddTextField(const char* name, const QString& caption, int maxLength);
    QComboBox* AddChoiceField(const char* name, const QString& caption, const QStringList& items);
    QCheckBox* AddCheckBox(const char* name, const QString& caption);
    void AddRow(const QString& caption, QWidget* field);
    // Shows or hides a field with its row, so that a hidden one leaves no gap.
    void SetRowVisible(QWidget* field, bool visible);
    // Puts OK below the fields; call once, after the fields.
    void FinishForm();
    // The end of every OK: when a new figure is being drawn, appends a copy
    // of the template and redraws; then closes as accepted.
    void AcceptTemplate(const TFigurePayload& figureTemplate);

    virtual void OkBtClick() = 0;
    virtual void FormShow();
    void CanBtClick();
    void showEvent(QShowEvent* event) override;

private:
    QFormLayout* m_form = nullptr;
    QPushButton* m_okBt = nullptr;
    QPushButton* m_canBt = nullptr;
};

}  // namespace zk
