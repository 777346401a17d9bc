#pragma once
// The About box: the program's picture, name, version and where to get
// help, closed with OK.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace zk {

class TAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit TAboutDlg(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Comments;
    QLabel* Contact;
    QFrame* Panel1;
    QPushButton* OkBt;

private:
    void OkBtClick();
};

}  // namespace zk
