#pragma once
// What the printer-memory and font forms share: the hidden cancel button
// "C", the four-column name list, the upper-case name field, the help
// properties, and the conversions between the engine's texts and Qt.

#include <QDialog>
#include <QString>
#include <string>
#include <string_view>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zk {

struct TSortedNames;

// A fixed-size modal form with the button "C" placed outside its visible
// area: the form's cancel button, through which Esc closes the form
// without accepting.
class TMemoryForm : public QDialog {
    Q_OBJECT

public:
    TMemoryForm(const char* name, const QString& caption, QSize size, QWidget* parent);

    QPushButton* CanBt = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Sets the help file for the help context, as every showing does.
    void TakeHelpFile();
};

// A list box that shows its names in four columns, filled top to bottom.
QListWidget* MakeFourColumnList(QWidget* parent, const QRect& geometry);
void FillNameList(QListWidget* list, const TSortedNames& names);
// The name of the selected entry; empty when none is selected.
std::string SelectedName(const QListWidget* list);
// Whether the list has an entry at the viewport point.
bool HasEntryAt(const QListWidget* list, const QPoint& viewportPoint);

// An edit that turns what is typed into upper case.
void MakeUpperCase(QLineEdit* edit);

// The engine keeps names and captions as code page 1252 bytes; file paths
// inside captions are the file system's own bytes.
QString FromEngineText(std::string_view text);
std::string ToEngineText(const QString& text);
QString FromEngineCaption(const std::string& caption);

// True (after a beep) while a printer exchange holds the port, so that a
// command that would start another one does nothing.
bool RefuseDuringExchange();

}  // namespace zk
