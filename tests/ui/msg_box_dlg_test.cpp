#include "ui/msg_box_dlg.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QWindow>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/config/program_paths.h"
#include "engine/engine_state.h"
#include "engine/link/comm_link.h"
#include "engine/link/serial_link.h"
#include "engine/report/reporting.h"
#include "tests/support/printer_emulator.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/var_cnt_dlg.h"
#include "ui/qt_ui_services.h"

namespace zk {
namespace {

class MsgBoxTest : public ::testing::Test {
protected:
    MsgBoxTest()
    {
        ResetEngineState();
        SetUiServices(&services);
    }
    ~MsgBoxTest() override
    {
        ResetEngineState();
        SetUiServices(nullptr);
    }

    TMsgBoxDlg& box() { return services.MsgBoxDlg(); }
    std::string Caption() { return box().windowTitle().toStdString(); }
    std::string Text() { return box().MsgText->text().toStdString(); }
    std::string VisibleButtons()
    {
        std::string names;
        for (QPushButton* button : {box().OkBt, box().YesBt, box().NoBt}) {
            if (!button->isHidden()) names += button->objectName().toStdString() + " ";
        }
        return names;
    }

    QtUiServices services;
};

TEST_F(MsgBoxTest, TheFormHasItsControlsInPlace)
{
    EXPECT_EQ(box().size(), QSize(364, 93));
    EXPECT_EQ(Caption(), "Message Box");
    EXPECT_EQ(box().font().pixelSize(), 13);
    EXPECT_TRUE(box().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    struct Control {
        const char* name;
        QRect place;
        const char* caption;
    };
    for (const Control& c : {Control{"OkBt", {144, 55, 75, 25}, "OK"}, Control{"YesBt", {72, 55, 75, 25}, "Yes"},
                             Control{"NoBt", {216, 55, 75, 25}, "No"}}) {
        auto* button = box().findChild<QPushButton*>(c.name);
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->geometry(), c.place) << c.name;
        EXPECT_EQ(button->text().toStdString(), c.caption);
    }
    auto* text = box().findChild<QLabel*>("MsgText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->geometry(), QRect(0, 24, 364, 24));
    EXPECT_TRUE(text->alignment().testFlag(Qt::AlignHCenter));
    auto* panel = box().findChild<QWidget*>("Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 364, 23));
}

struct AnswerCase {
    const char* name;
    bool yesNo;
    const char* button;  // nullptr: Esc
    std::uint8_t answer;
    const char* buttonsShown;
};

class MsgBoxAnswerTest : public MsgBoxTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(MsgBoxAnswerTest, AnswersByTheButtonPressed)
{
    const AnswerCase& c = GetParam();
    std::string shown;
    test::WhenModalShows([&](QWidget* modal) {
        shown = VisibleButtons();
        if (c.button != nullptr) {
            modal->findChild<QPushButton*>(c.button)->click();
        } else {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    EXPECT_EQ(ShowMessageBox("Question", "Store the label?", c.yesNo), c.answer);
    EXPECT_EQ(shown, c.buttonsShown);
    EXPECT_EQ(Caption(), "Question");
    EXPECT_EQ(Text(), "Store the label?");
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(MsgBoxKeepFocus, 0);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MsgBoxAnswerTest,
                         ::testing::Values(AnswerCase{"Yes", true, "YesBt", 1, "YesBt NoBt "},
                                           AnswerCase{"No", true, "NoBt", 0, "YesBt NoBt "},
                                           AnswerCase{"EscOnYesNo", true, nullptr, 0, "YesBt NoBt "},
                                           AnswerCase{"Ok", false, "OkBt", 1, "OkBt "},
                                           AnswerCase{"EscOnOk", false, nullptr, 0, "OkBt "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MsgBoxTest, TextsInTheEnginesCodePageShowAsTheirCharacters)
{
    test::ClickInModal("OkBt");
    ShowMessageBox("Error", "Caf\xe9 \x80", false);
    EXPECT_EQ(box().MsgText->text(), QString::fromUtf8("Caf\u00e9 \u20ac"));
}

// The box's text is a label of the class library, where "&&" shows one "&";
// a lone "&" (in a file name, say) shows as it is.
TEST_F(MsgBoxTest, DoubledAmpersandsShowAsOne)
{
    test::ClickInModal("OkBt");
    ShowMessageBox("Not monochrome graphics", "Use Color to Black && White converter", false);
    EXPECT_EQ(box().MsgText->text(), "Use Color to Black & White converter");
    test::ClickInModal("OkBt");
    ShowMessageBox("Error", "Can't open input file /labels/R&D/a&&b.pcx", false);
    EXPECT_EQ(box().MsgText->text(), "Can't open input file /labels/R&D/a&b.pcx");
}

// The box of the given text as the user sees it, and whether its text shows
// whole: the ink of the rendered text keeps off the edges of the text's
// area (text cut off runs into them) and the box stays on the screen.
struct ShownText {
    QSize boxSize;
    bool whole = false;
    bool onScreen = false;
};

ShownText ShowAndLook(const std::string& text)
{
    ShownText shown;
    test::WhenModalShows([&shown](QWidget* modal) {
        auto* label = modal->findChild<QLabel*>("MsgText");
        const QImage picture = label->grab().toImage();
        QRect ink;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (qGray(picture.pixel(x, y)) < 128) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        shown.boxSize = modal->size();
        shown.whole = !ink.isEmpty() && ink.left() > 0 && ink.top() > 0 && ink.right() < picture.width() - 1 &&
                      ink.bottom() < picture.height() - 1 && modal->rect().contains(label->geometry());
        shown.onScreen = modal->screen()->availableGeometry().contains(modal->frameGeometry());
        modal->findChild<QPushButton*>("OkBt")->click();
    });
    ShowMessageBox("Error", text);
    return shown;
}

TEST_F(MsgBoxTest, ATextThatFitsKeepsTheFormsSize)
{
    const ShownText shown = ShowAndLook("Nothing to print");
    EXPECT_EQ(shown.boxSize, QSize(364, 93));
    EXPECT_TRUE(shown.whole);
}

TEST_F(MsgBoxTest, ALongTextGrowsTheBoxAndShowsWhole)
{
    const std::string path = "/home/somebody/" + std::string(6, 'x') + "/a-rather-long-folder-name-for-labels/" +
                             "another-folder-with-an-even-longer-name/and-one-more-level/ZOVIDURU.html";
    const std::string reply(126, 'R');
    const std::string lines = "WARNING! For label printer ZK-7300H only\n"
                              "The current label mode (Black line or normal label) must be selected\n"
                              "before switching the printer on (DIP switches 6 and 7). Place a label\n"
                              "roll in the printer with at least one label gap in the next 20 cm.\n"
                              "The printer will detect label sensor levels and write them. Only the\n"
                              "current label mode will be calibrated. Do You want to continue ?";
    for (const std::string& text : {"Can't open help file " + path, "Sensor levels " + reply, lines}) {
        SCOPED_TRACE(text);
        const ShownText shown = ShowAndLook(text);
        EXPECT_TRUE(shown.whole);
        EXPECT_TRUE(shown.onScreen);
    }
}

struct PlaceCase {
    QRect mainFrame;
    int labelImageTop;
    QPoint scroll;
    QPoint expected;
};

TEST(MsgBoxPositionTest, CentredOverTheMainWindowAQuarterDownFromTheLabelImage)
{
    const QSize boxSize(364, 93);
    for (const PlaceCase& c : {
             PlaceCase{{100, 50, 800, 600}, 40, {0, 0}, {318, 232}},
             PlaceCase{{100, 50, 800, 600}, 40, {30, 20}, {348, 252}},
             // Narrower than the box: the halves round toward zero.
             PlaceCase{{0, 0, 301, 90}, 0, {0, 0}, {-31, 16}},
         }) {
        EXPECT_EQ(MsgBoxPosition({c.mainFrame, c.labelImageTop, c.scroll}, boxSize), c.expected) << c.mainFrame.x();
    }
}

TEST_F(MsgBoxTest, ShowingPlacesTheBoxAgainstItsAnchorOrTheScreen)
{
    const TBoxAnchor anchor{{100, 50, 800, 600}, 40, {30, 20}};
    services.SetAnchorSource([anchor] { return anchor; });
    MsgBoxAnswer = 1;
    ShowCommunicating("Reading");
    // Placed by its frame, whatever the window system adds around 364 x 93.
    EXPECT_EQ(box().frameGeometry().topLeft(), MsgBoxPosition(anchor, box().frameGeometry().size()));
    EXPECT_EQ(MsgBoxAnswer, 0);
    EXPECT_EQ(MsgBoxKeepFocus, 1);
    ReportNoResponse();
    EXPECT_EQ(MsgBoxKeepFocus, 0);

    services.SetAnchorSource(nullptr);
    ShowCommunicating("Reading");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(box().geometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(box().geometry().center().y(), screen.center().y(), 2);
    ReportNoResponse();
}

// The part of a box on screen that says what it is about: its caption and
// its text, in screen coordinates.
QRect SaidPart(const TMsgBoxDlg& box)
{
    const QRect frame = box.frameGeometry();
    const int textBottom = box.MsgText->mapToGlobal(QPoint(0, box.MsgText->height())).y();
    return QRect(frame.left(), frame.top(), frame.width(), textBottom - frame.top());
}

// "Can't extract from printer" after "No printer response": the later box
// leaves the caption and the text of the error below it in sight, and stays
// wholly on the screen, wherever the first one stands.
TEST_F(MsgBoxTest, ALaterBoxLeavesTheBoxBelowItInSight)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* where;
        std::optional<TBoxAnchor> anchor;
    } cases[] = {
        {"centred on the screen", std::nullopt},
        {"at the screen's top", TBoxAnchor{screen, -screen.height(), {}}},
        {"at the screen's bottom", TBoxAnchor{screen, screen.height(), {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        services.SetAnchorSource([anchor = c.anchor] { return anchor; });
        ShowCommunicating("Receiving form list");
        CommLink.LinkError = 1;
        ReportNoResponse();
        ASSERT_TRUE(box().isVisible());
        const QRect below = SaidPart(box());
        QRect later;
        test::WhenModalShows([&later](QWidget* modal) {
            later = modal->frameGeometry();
            modal->findChild<QPushButton*>("OkBt")->click();
        });
        ShowMessageBox("Error", "Can't extract from printer");
        EXPECT_FALSE(later.intersects(below)) << later.y() << " over " << below.y() << ".." << below.bottom();
        EXPECT_TRUE(screen.contains(later));
        box().OkBt->click();
        CommLink.LinkError = 0;
    }
}

struct ReportCase {
    std::uint8_t statusBoxEnabled;
    std::uint8_t linkError;
    bool visible;
    const char* caption;
    const char* text;
    const char* buttons;
};

class ReportNoResponseTest : public MsgBoxTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ReportNoResponseTest, EndsTheExchangeByTheFlags)
{
    const ReportCase& c = GetParam();
    ShowCommunicating("Printing");
    StatusBoxEnabled = c.statusBoxEnabled;
    CommLink.LinkError = c.linkError;
    ReportNoResponse();
    EXPECT_EQ(box().isVisible(), c.visible);
    EXPECT_EQ(Caption(), c.caption);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(VisibleButtons(), c.buttons);
}

INSTANTIATE_TEST_SUITE_P(
    StatusBoxEnabledAndLinkError, ReportNoResponseTest,
    ::testing::Values(ReportCase{1, 0, false, "Communicating ...", "Printing", ""},
                      ReportCase{0, 0, true, "Communicating ...", "Printing", ""},
                      ReportCase{1, 1, true, "Error", "No printer response", "OkBt "},
                      ReportCase{0, 1, true, "Error", "No printer response", "OkBt "}));

TEST_F(MsgBoxTest, TheErrorBoxStaysUntilOk)
{
    ShowCommunicating("Printing");
    CommLink.LinkError = 1;
    ReportNoResponse();
    QTest::keyClick(&box(), Qt::Key_Escape);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(MsgBoxAnswer, 0);

    ShowCommunicating("Printing");
    ReportNoResponse();
    box().OkBt->click();
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(MsgBoxAnswer, 1);
}

TEST_F(MsgBoxTest, WithTheStatusBoxDisabledShowCommunicatingChangesOnlyTheText)
{
    StatusBoxEnabled = 0;
    ShowCommunicating("Step 2");
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(Text(), "Step 2");
    EXPECT_EQ(Caption(), "Message Box");

    StatusBoxEnabled = 1;
    ShowCommunicating("Step 1");
    EXPECT_TRUE(box().isVisible());
    EXPECT_FALSE(box().isModal());
    EXPECT_EQ(Caption(), "Communicating ...");
    EXPECT_EQ(VisibleButtons(), "");
    StatusBoxEnabled = 0;
    ShowCommunicating("Step 3");
    EXPECT_TRUE(box().isVisible());
    EXPECT_EQ(Text(), "Step 3");
    EXPECT_EQ(Caption(), "Communicating ...");
}

TEST_F(MsgBoxTest, NeitherEscNorCloseEndsTheBusyWindow)
{
    ShowCommunicating("Printing");
    QTest::keyClick(&box(), Qt::Key_Escape);
    EXPECT_TRUE(box().isVisible());
    box().close();
    EXPECT_TRUE(box().isVisible());
    EXPECT_EQ(Caption(), "Communicating ...");
}

TEST_F(MsgBoxTest, AQuestionDuringAnExchangeLeavesTheBusyWindowAsItWas)
{
    ShowCommunicating("Sending form");
    std::string questionCaption;
    test::WhenModalShows([&](QWidget* modal) {
        EXPECT_NE(modal, &box());
        questionCaption = modal->windowTitle().toStdString();
        modal->findChild<QPushButton*>("YesBt")->click();
    });
    EXPECT_EQ(ShowMessageBox("Error", "Can't write to comm. port. Retry ?", true), 1);
    EXPECT_EQ(questionCaption, "Error");
    EXPECT_TRUE(box().isVisible());
    EXPECT_EQ(Caption(), "Communicating ...");
    EXPECT_EQ(Text(), "Sending form");
    EXPECT_EQ(VisibleButtons(), "");
    EXPECT_TRUE(box().IsBusy());
}

// The link and the box together, over the printer emulator.
class MsgBoxLinkTest : public MsgBoxTest {
protected:
    MsgBoxLinkTest() { LinkTimeouts.WriteTimeoutMs = 50; }
    test::PrinterEmulator printer;
};

TEST_F(MsgBoxLinkTest, ARefusedWriteAsksOverTheBusyWindow)
{
    ASSERT_TRUE(OpenPort());
    ShowCommunicating("Sending form");
    printer.Stall();
    // The second question comes after the first is answered, so its answer
    // is armed only then: armed together, either could take the first one.
    test::WhenModalShows(
        [](QWidget* modal) {
            modal->findChild<QPushButton*>("YesBt")->click();
            test::ClickInModal("NoBt");
        },
        "first write question");
    const std::string bulk(1 << 17, 'x');
    EXPECT_LT(PrinterPrintf("%s", bulk.c_str()), bulk.size());
    EXPECT_EQ(CommLink.WriteAborted, 1);
    EXPECT_EQ(Caption(), "Communicating ...");
    EXPECT_EQ(Text(), "Sending form");
    ClosePort();
    ReportNoResponse();
    EXPECT_EQ(Caption(), "Error");
    EXPECT_EQ(Text(), "No printer response");
}

TEST_F(MsgBoxLinkTest, AnOpenFailureDuringAnExchangeShowsInTheBusyWindow)
{
    ShowCommunicating("Reading forms");
    ProgramPaths.SerialPortList = {"/nonexistent/port"};
    EXPECT_FALSE(OpenPort());
    EXPECT_EQ(Caption(), "Error");
    EXPECT_EQ(Text(), "Can't open communication port");
    EXPECT_EQ(VisibleButtons(), "OkBt ");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// How the user ends the error box: through the window system, as a real
// click or key press arrives, so that a window blocked by a modal dialog
// never sees it.
enum class Dismissal { ClickOk, PressEnter };

class ErrorOverModalDialogTest : public MsgBoxLinkTest, public ::testing::WithParamInterface<Dismissal> {};

TEST_P(ErrorOverModalDialogTest, TheErrorTakesTheUsersAnswerAndHandsTheFocusBack)
{
    LinkTimeouts.ReplySilenceMs = 50;
    printer.SetSilent(true);
    QWidget formsParent;
    InstallPrintDialogs(&formsParent);
    TVarCntDlg& dialog = VarCntDlg();
    bool errorShown = false;
    bool dismissed = false;
    bool dialogActiveAgain = false;
    test::WhenModalShows([&](QWidget*) {
        // Returns with the error on screen; the dialog is still running.
        dialog.FromPrBt->click();
        errorShown = box().isVisible() && Caption() == "Error" && Text() == "No printer response";
        QWindow* boxWindow = box().windowHandle();
        if (GetParam() == Dismissal::ClickOk) {
            QTest::mouseClick(boxWindow, Qt::LeftButton, {}, box().OkBt->geometry().center());
        } else {
            QTest::keyClick(boxWindow, Qt::Key_Return);
        }
        dismissed = QTest::qWaitFor([&] { return !box().isVisible(); }, 1000);
        dialogActiveAgain = QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }, 1000);
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(errorShown);
    EXPECT_TRUE(dismissed);
    EXPECT_EQ(MsgBoxAnswer, 1);
    EXPECT_TRUE(dialogActiveAgain);

    // Once that dialog is gone, the box asks as an ordinary modal box again.
    Qt::WindowModality later = Qt::NonModal;
    test::WhenModalShows([&](QWidget* modal) {
        later = modal->windowModality();
        modal->findChild<QPushButton*>("OkBt")->click();
    });
    ShowMessageBox("Error", "Nothing to print");
    EXPECT_EQ(later, Qt::ApplicationModal);
    ResetPrintDialogModes();
}

INSTANTIATE_TEST_SUITE_P(ClickOrEnter, ErrorOverModalDialogTest,
                         ::testing::Values(Dismissal::ClickOk, Dismissal::PressEnter),
                         [](const auto& info) { return info.param == Dismissal::ClickOk ? "ClickOk" : "PressEnter"; });

}  // namespace
}  // namespace zk
