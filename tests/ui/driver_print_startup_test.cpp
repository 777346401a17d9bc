// A print server that takes connections and never answers holds up
// neither the editor's start nor the driver print dialog: the print system
// is not asked at start-up, and the dialog asks for its printers without
// waiting for the answer.

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QTest>
#include <string>

#include "tests/support/silent_print_server.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"

namespace zk::test {
namespace {

class SilentPrintServerTest : public MainWindowTest {
protected:
    SilentPrintServer silentServer;
};

TEST_F(SilentPrintServerTest, TheEditorStartsAndF5OpensTheDriverDialogAtOnce)
{
    ASSERT_TRUE(silentServer.Listening());
    QElapsedTimer clock;
    clock.start();
    TZKedit& w = StartWindow();
    const qint64 startMs = clock.elapsed();
    EXPECT_LT(startMs, 5000);
    RecordProperty("StartMs", std::to_string(startMs));

    qint64 openedMs = -1;
    std::string shown;
    WhenModalShows([&](QWidget* modal) {
        openedMs = clock.elapsed();
        shown = modal->objectName().toStdString();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const qint64 pressedMs = clock.elapsed();
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_EQ(shown, "ViaDrvDlg");
    EXPECT_LT(openedMs - pressedMs, 1000);
}

}  // namespace
}  // namespace zk::test
