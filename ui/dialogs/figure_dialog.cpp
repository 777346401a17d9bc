#include "ui/dialogs/figure_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "engine/config/program_paths.h"
#include "engine/labelfile/figure_room.h"
#include "engine/model/figure_list.h"
#include "engine/render/redraw.h"
#include "platform/code_pages.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/number_field.h"
#include "ui/editing/field_checks.h"
#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk {

TFigureDialog::TFigureDialog(const char* name, int helpContext, QWidget* parent) : QDialog(parent)
{
    setObjectName(name);
    FollowFormOrder(*this);
    setProperty("helpContext", helpContext);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* outer = new QVBoxLayout(this);
    m_form = new QFormLayout;
    outer->addLayout(m_form);

    m_okBt = new QPushButton("OK", this);
    m_okBt->setObjectName("OkBt");
    m_okBt->setDefault(true);
    connect(m_okBt, &QPushButton::clicked, this, [this] { OkBtClick(); });

    // Off the form and out of the tab order: only Esc reaches it.
    m_canBt = new QPushButton("C", this);
    m_canBt->setObjectName("CanBt");
    m_canBt->setFocusPolicy(Qt::NoFocus);
    m_canBt->setAutoDefault(false);
    m_canBt->setGeometry(-100, -100, 20, 20);
    connect(m_canBt, &QPushButton::clicked, this, [this] { CanBtClick(); });
}

void TFigureDialog::Place()
{
    if (ZKedit != nullptr) {
        adjustSize();
        ZKedit->PlaceDialog(-1, 0, this);
    }
}

QLineEdit* TFigureDialog::AddNumberField(const char* name, const QString& caption, int maxLength)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    AddRow(caption, edit);
    return edit;
}

QLineEdit* TFigureDialog::AddTextField(const char* name, const QString& caption, int maxLength)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setMinimumWidth(240);
    AddRow(caption, edit);
    return edit;
}

QComboBox* TFigureDialog::AddChoiceField(const char* name, const QString& caption, const QStringList& items)
{
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setEditable(false);
    box->addItems(items);
    AddRow(caption, box);
    return box;
}

QCheckBox* TFigureDialog::AddCheckBox(const char* name, const QString& caption)
{
    auto* check = new QCheckBox(caption, this);
    check->setObjectName(name);
    m_form->addRow(QString(), check);
    return check;
}

void TFigureDialog::AddRow(const QString& caption, QWidget* field)
{
    m_form->addRow(caption, field);
}

void TFigureDialog::SetRowVisible(QWidget* field, bool visible)
{
    m_form->setRowVisible(field, visible);
}

void TFigureDialog::FinishForm()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okBt);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

void TFigureDialog::AcceptTemplate(const TFigurePayload& figureTemplate)
{
    if (AddNewFigure == 1) {
        // The dialog's event loop ran: the label may have filled up meanwhile.
        if (!CheckRoomForFigures(1)) {
            return;
        }
        AppendFigure(figureTemplate);
        RedrawLabel(RedrawEditor);
    }
    DialogAccepted = 1;
    accept();
}

void TFigureDialog::FormShow()
{
    setProperty("helpFile", QString::fromStdString(ProgramPaths.HelpFileName));
}

void TFigureDialog::CanBtClick()
{
    reject();
}

void TFigureDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

QStringList TFigureDialog::NumberItems(int first, int last)
{
    QStringList items;
    for (int i = first; i <= last; ++i) {
        items << QString::number(i);
    }
    return items;
}

void TFigureDialog::SetNumber(QLineEdit* edit, std::int32_t value)
{
    ShowNumber(edit, value);
}

namespace {

template <typename Field>
void ReadBoundedInto(const QLineEdit* edit, std::int32_t min, std::int32_t max, Field& field)
{
    const std::int32_t value = TextToIntDef(edit->text().toStdString(), field);
    if (value >= min && value <= max) {
        field = static_cast<Field>(value);
    }
}

template <typename Field>
void ReadChoiceInto(const QComboBox* box, Field& field, std::int32_t offset)
{
    if (box->currentIndex() >= 0) {
        field = static_cast<Field>(box->currentIndex() + offset);
    }
}

}  // namespace

void TFigureDialog::ReadBounded(const QLineEdit* edit, std::int32_t min, std::int32_t max, std::int16_t& field)
{
    ReadBoundedInto(edit, min, max, field);
}

void TFigureDialog::ReadBounded(const QLineEdit* edit, std::int32_t min, std::int32_t max, std::uint16_t& field)
{
    ReadBoundedInto(edit, min, max, field);
}

void TFigureDialog::ReadBounded(const QLineEdit* edit, std::int32_t min, std::int32_t max, std::uint8_t& field)
{
    ReadBoundedInto(edit, min, max, field);
}

void TFigureDialog::SetChoice(QComboBox* box, std::int32_t value, std::int32_t offset)
{
    const std::int32_t index = value - offset;
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void TFigureDialog::ReadChoice(const QComboBox* box, std::int16_t& field, std::int32_t offset)
{
    ReadChoiceInto(box, field, offset);
}

void TFigureDialog::ReadChoice(const QComboBox* box, std::uint8_t& field, std::int32_t offset)
{
    ReadChoiceInto(box, field, offset);
}

QString TFigureDialog::FromCp1252(std::string_view bytes)
{
    return QString::fromStdString(platform::Cp1252ToUtf8(bytes));
}

std::string TFigureDialog::ToCp1252(const QString& text)
{
    return platform::Utf8ToCp1252(text.toStdString());
}

}  // namespace zk
