// The Help menu: the About box, the help page in the desktop's browser and
// the character-set viewer.

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QTest>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/config/program_paths.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/chars_dlg.h"
#include "ui/help_page.h"

namespace zk::test {
namespace {

// Stands in for the desktop's browser: remembers the file URLs it is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened.push_back(url); }
};

class HelpMenuTest : public MainWindowTest {
protected:
    HelpMenuTest() { QDesktopServices::setUrlHandler("file", &catcher, "Open"); }
    ~HelpMenuTest() override { QDesktopServices::unsetUrlHandler("file"); }

    UrlCatcher catcher;
};

TEST_F(HelpMenuTest, ItemsAreAvailable)
{
    TZKedit& main = MakeWindow();
    for (const char* name : {"AboutM", "ZKeditHelpM", "CharsM"}) {
        EXPECT_TRUE(main.MenuItem(name)->isEnabled()) << name;
    }
}

TEST_F(HelpMenuTest, HelpOpensThePageBesideTheProgram)
{
    TZKedit& main = MakeWindow();
    const std::string page = ProgramPaths.ProgramDir + "ZOVIDURU.html";
    EXPECT_EQ(ProgramPaths.HelpFileName, page);
    // The build puts the page beside the program.
    EXPECT_TRUE(std::filesystem::is_regular_file(page));

    main.MenuItem("ZKeditHelpM")->trigger();
    ASSERT_EQ(catcher.opened.size(), 1u);
    EXPECT_EQ(catcher.opened[0], QUrl::fromLocalFile(QString::fromStdString(page)));
    EXPECT_EQ(catcher.opened[0].toLocalFile().toStdString(), page);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(HelpMenuTest, AMissingHelpPageIsReported)
{
    TZKedit& main = MakeWindow();
    ProgramPaths.HelpFileName = (TempDir() / "gone.html").string();
    main.MenuItem("ZKeditHelpM")->trigger();
    EXPECT_TRUE(catcher.opened.empty());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Can't open help file " + ProgramPaths.HelpFileName);
}

TEST_F(HelpMenuTest, WithoutADesktopBrowserThePageShowsInAWindowOfItsOwn)
{
    // A desktop with nothing to open a page with.
    QDesktopServices::unsetUrlHandler("file");
    TZKedit& main = MakeWindow();
    main.MenuItem("ZKeditHelpM")->trigger();
    EXPECT_TRUE(ui.messageBoxes.empty());
    QTextBrowser* page = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* browser = qobject_cast<QTextBrowser*>(window);
        if (browser == nullptr && window->isVisible()) {
            browser = window->findChild<QTextBrowser*>();
        }
        if (browser != nullptr && browser->isVisible()) {
            page = browser;
        }
    }
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isReadOnly());
    EXPECT_EQ(page->source(), HelpPageUrl());
    EXPECT_EQ(page->documentTitle(), "VORTAN Label Editor Help");
    EXPECT_GT(page->toPlainText().size(), 200);

    // Asked again, the same window comes back.
    QTest::keyClick(page, Qt::Key_Escape);
    EXPECT_FALSE(page->isVisible());
    main.MenuItem("ZKeditHelpM")->trigger();
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(HelpMenuTest, AboutShowsModallyAndOkClosesIt)
{
    TZKedit& main = MakeWindow();
    QString caption;
    bool hasPicture = false;
    WhenModalShows([&](QWidget* modal) {
        caption = modal->windowTitle();
        auto* picture = modal->findChild<QLabel*>("Image1");
        hasPicture = picture != nullptr && !picture->pixmap().isNull();
        modal->findChild<QPushButton*>("OkBt")->click();
    });
    main.MenuItem("AboutM")->trigger();
    EXPECT_EQ(caption, "About");
    EXPECT_TRUE(hasPicture);
    EXPECT_FALSE(main.AboutDlg()->isVisible());
    EXPECT_NE(main.AboutDlg()->findChild<QWidget*>("Panel1"), nullptr);
}

TEST_F(HelpMenuTest, CharacterSetsShowsTheViewerModally)
{
    TZKedit& main = MakeWindow();
    QWidget* shown = nullptr;
    WhenModalShows([&](QWidget* modal) {
        shown = modal;
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    main.MenuItem("CharsM")->trigger();
    EXPECT_EQ(shown, main.CharsDlg());
    EXPECT_FALSE(main.CharsDlg()->isVisible());
    // Drawn from the printer font the window loaded: the 'A' cell has ink.
    EXPECT_NE(main.CharsDlg()->Picture().pixel(CharGridLeft + 21, CharGridTop + 2 * CharCellHeight + 30), 0u);
}

}  // namespace
}  // namespace zk::test

#include "help_menu_test.moc"
