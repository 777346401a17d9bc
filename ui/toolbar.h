#pragma once
// The floating toolbar: one-click drawing tools and the main dialogs, and
// the status line that shows the cursor position. It stands on top of the
// main window without a frame and never keeps the keyboard focus.

#include <QWidget>
#include <cstdint>

class QFrame;
class QLabel;
class QToolButton;

namespace zk {

class TZKedit;

class TZKToolbar : public QWidget {
    Q_OBJECT

public:
    // Registers itself with the main window and takes its place there.
    explicit TZKToolbar(TZKedit& mainWindow);

    QFrame* Panel1 = nullptr;
    QLabel* StatusLn = nullptr;

public slots:
    void TextBtClick();
    void BarcBtClick();
    void RectBtClick();
    void LineBtClick();
    void BoxBtClick();
    void PictBtClick();
    void AlignBtClick();
    void SetupBtClick();
    void SettingsBtClick();
    void TPrintBtClick();
    void PrintBtClick();
    void VarBtClick();
    void NewValuesBtClick();
    void FilesBtClick();
    void StatusLnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormMouseUp();
    void ChooseTool(std::uint8_t tool);

    TZKedit& m_mainWindow;
};

}  // namespace zk
