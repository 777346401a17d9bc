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

    // The form's list of printer object names ("FList"): a list box that
    // shows them in four columns, filled top to bottom.
    QListWidget* MakeNameList(const QRect& geometry);
    // Fills the name list. Every name shows whole: the columns are as wide
    // as the widest name, fewer of them sharing the list's width when it
    // is long (the list scrolls sideways to the others), and where one
    // column is wider than the list, the form and the list widen by the
    // difference; shorter names give both their own widths back.
    void ShowNames(const TSortedNames& names);
    // The form's width changed by delta; the name list and CanBt follow
    // already. A form moves or widens its other controls that keep to its
    // right edge.
    virtual void FollowWidth(int delta);

private:
    QListWidget* m_nameList = nullptr;
    int m_ownListWidth = 0;
};
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

}  // namespace zk
