// The modal driver never leaves a test blocked in exec(): a wait that ends
// without its window fails the test and closes the window. An answer ends
// with its test: one never used fails the test and answers nothing later.

#include "tests/ui/modal_driver.h"

#include <QDialog>
#include <gtest/gtest-spi.h>

namespace zk::test {
namespace {

using std::chrono_literals::operator""ms;

TEST(ModalDriverTest, AWindowThatIsNotTheOneAwaitedIsClosedAndTheTestFails)
{
    EXPECT_NONFATAL_FAILURE(
        {
            QDialog other;
            WhenModal([](QWidget*) { return false; }, [](QWidget*) {}, 50ms);
            other.exec();
        },
        "did not show up");
}

TEST(ModalDriverTest, AWindowShowingAfterTheWaitIsClosed)
{
    EXPECT_NONFATAL_FAILURE(
        {
            WhenModal([](QWidget*) { return true; }, [](QWidget*) {}, 20ms);
            QTest::qWait(100);
            QDialog late;
            late.exec();
        },
        "did not show up");
}

TEST(ModalDriverTest, AMissingButtonFailsAndClosesTheWindow)
{
    EXPECT_NONFATAL_FAILURE(
        {
            QDialog dialog;
            ClickInModal("NoSuchBt");
            dialog.exec();
        },
        "no button NoSuchBt");
}

TEST(ModalDriverTest, TheAwaitedWindowIsAnswered)
{
    QDialog dialog;
    dialog.setObjectName("Wanted");
    WhenModalNamed("Wanted", [](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

TEST(ModalDriverTest, AnAnswerNeverUsedFailsItsTestAndAnswersNoLaterWindow)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ClickInModal("YesBt");
            EndArmedAnswers();
        },
        "an answer armed for modal window to click YesBt in was never used");
    QDialog later;
    QTimer::singleShot(100, &later, &QDialog::accept);
    EXPECT_EQ(later.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace zk::test
