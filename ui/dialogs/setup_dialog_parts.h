#pragma once
// Pieces the label setup, settings and terminal forms share: the hidden
// Esc button, the help file, and texts between the model's code page 1252
// bytes and the widgets.

#include <QString>
#include <string>
#include <string_view>

class QDialog;

namespace zk {

// The hidden button "C": Esc closes the form without accepting anything.
void AddHiddenCancelButton(QDialog& form);

// Names the program's help file and the form's help topic on the form.
void SetFormHelp(QDialog& form, int helpContext);

QString FromCp1252(std::string_view text);
std::string ToCp1252(const QString& text);

}  // namespace zk
