#include "shell/browse_for_folder.h"

#include <QFileDialog>

#include "tests/shell/temp_folders.h"
#include "tests/ui/modal_driver.h"

namespace zk {
namespace {

using BrowseForFolderTest = test::TempFolders;

TEST_F(BrowseForFolderTest, TheChosenFolderBecomesTheBrowsersFolder)
{
    MakeDir("home/labels/2024");
    platform::TShellBrowser browser;
    QString title;
    QString start;
    const QString chosen = QString::fromStdString(Path("home/labels/2024"));
    test::WhenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        start = dialog->directory().absolutePath();
        // Standing in the folder with nothing typed chooses the folder itself.
        dialog->setDirectory(chosen);
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(BrowseForFolder(browser, "Choose the label folder"));
    EXPECT_EQ(title, "Choose the label folder");
    EXPECT_EQ(start, QString::fromStdString(Path("home")));
    EXPECT_EQ(browser.Folder(), Path("home/labels/2024") + "/");
}

TEST_F(BrowseForFolderTest, CancellingKeepsTheFolder)
{
    platform::TShellBrowser browser;
    browser.SetDirectory(Path("home"));
    test::WhenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(BrowseForFolder(browser, "Choose"));
    EXPECT_EQ(browser.Folder(), Path("home") + "/");
}

}  // namespace
}  // namespace zk
