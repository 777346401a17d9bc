#include "ui/dialogs/setup_dialog_parts.h"

#include <QDialog>
#include <QPushButton>

#include "engine/config/program_paths.h"
#include "platform/code_pages.h"

namespace zk {

void AddHiddenCancelButton(QDialog& form)
{
    auto* cancel = new QPushButton("C", &form);
    cancel->setObjectName("C");
    cancel->setAutoDefault(false);
    cancel->hide();
    QObject::connect(cancel, &QPushButton::clicked, &form, &QDialog::reject);
}

void SetFormHelp(QDialog& form, int helpContext)
{
    form.setProperty("HelpFile", QString::fromStdString(ProgramPaths.HelpFileName));
    form.setProperty("HelpContext", helpContext);
}

QString FromCp1252(std::string_view text)
{
    return QString::fromStdString(platform::Cp1252ToUtf8(text));
}

std::string ToCp1252(const QString& text)
{
    return platform::Utf8ToCp1252(text.toStdString());
}

}  // namespace zk
