// The keys that end an in-place rename in the shell list end the edit and
// do nothing else: the list does not open the item, a dialog around it does
// not take the key for its default button, whatever the folder's refreshes
// did to the rows meanwhile.

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>

#include "tests/shell/list_editing.h"
#include "tests/shell/popup_driver.h"
#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

// Collects Qt's warnings while it lives.
class QtWarnings {
public:
    QtWarnings() { m_previous = qInstallMessageHandler(&QtWarnings::Handle); }
    ~QtWarnings() { qInstallMessageHandler(m_previous); }
    QtWarnings(const QtWarnings&) = delete;
    QtWarnings& operator=(const QtWarnings&) = delete;
    static std::vector<std::string> Take()
    {
        std::lock_guard lock(s_mutex);
        return std::exchange(s_warnings, {});
    }

private:
    static void Handle(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        // The offscreen platform notes what it cannot do for any shown window.
        if ((type == QtWarningMsg || type == QtCriticalMsg) && !message.contains("propagateSizeHints")) {
            std::lock_guard lock(s_mutex);
            s_warnings.push_back(message.toStdString());
        }
    }
    QtMessageHandler m_previous = nullptr;
    static inline std::mutex s_mutex;
    static inline std::vector<std::string> s_warnings;
};

class ShellListEditKeysTest : public test::TempFolders {
protected:
    // A dialog with a default button around the list, as the label browser has.
    struct Window {
        QDialog dialog;
        QPushButton* button = new QPushButton("Open", &dialog);
        TQorShellList* list = new TQorShellList(&dialog);
        int clicks = 0;

        explicit Window(TViewStyle style)
        {
            auto* layout = new QVBoxLayout(&dialog);
            layout->addWidget(list);
            layout->addWidget(button);
            button->setDefault(true);
            QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
            list->SetViewStyle(style);
            dialog.resize(500, 400);
            dialog.show();
        }
        QAbstractItemView* View() const
        {
            return list->ViewStyle() == TViewStyle::vsList ? static_cast<QAbstractItemView*>(list->ListView())
                                                           : static_cast<QAbstractItemView*>(list->ReportView());
        }
    };
};

TEST_F(ShellListEditKeysTest, TheKeyThatEndsAnEditEndsItAndNothingElse)
{
    struct Case {
        const char* what;
        const char* edited;
        const char* typed;
        // What happens in the folder while the editor is open.
        std::function<void(const std::string& folder, TQorShellList& list)> meanwhile;
        bool objectGone = false;
        bool replaced = false;  // another object of the edited one's name came
    };
    const auto remove = [](const char* name) {
        return [name](const std::string& folder, TQorShellList&) { fs::remove_all(folder + "/" + name); };
    };
    const Case cases[] = {
        {"a folder", "sub", "folder2", [](const std::string&, TQorShellList&) {}},
        {"a file", "b.zlb", "Label5.zlb", [](const std::string&, TQorShellList&) {}},
        {"a row above went", "b.zlb", "Label5.zlb", remove("a.zlb")},
        {"a row above went, folder", "sub", "folder2", remove("aaa")},
        {"a row below went", "b.zlb", "Label5.zlb", remove("c.zlb")},
        {"a row above came", "b.zlb", "Label5.zlb",
         [](const std::string& folder, TQorShellList&) { std::ofstream(folder + "/00.zlb") << "x"; }},
        {"the rows moved", "b.zlb", "Label5.zlb",
         [](const std::string&, TQorShellList& list) { list.SetSortColumn(0); }},
        {"the edited object went", "b.zlb", "Label5.zlb", remove("b.zlb"), true},
        {"the edited file became a folder", "b.zlb", "Label5.zlb",
         [](const std::string& folder, TQorShellList&) {
             fs::remove(folder + "/b.zlb");
             fs::create_directory(folder + "/b.zlb");
         },
         true, true},
    };
    int round = 0;
    for (const TViewStyle style : {TViewStyle::vsReport, TViewStyle::vsList}) {
        for (const Case& c : cases) {
            // Qt::Key_unknown: the focus goes to the dialog's button.
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab,
                                      Qt::Key_unknown}) {
                const std::string where = std::string(c.what) + ", key " + std::to_string(key) + ", style " +
                                          std::to_string(static_cast<int>(style));
                const std::string folder = Path("home/round" + std::to_string(++round));
                fs::create_directories(folder + "/sub");
                fs::create_directories(folder + "/aaa");
                for (const char* name : {"0.zlb", "a.zlb", "b.zlb", "c.zlb"}) {
                    std::ofstream(folder + "/" + name) << name;
                }
                const QtWarnings warnings;
                Window window(style);
                TQorShellList& list = *window.list;
                list.SetPath(folder);
                const std::string edited = folder + "/" + c.edited;
                list.SelectItem(list.IndexOfPIDL(edited));
                std::vector<std::string> selectedAfter;
                list.OnSelectItem = [&](const std::string& path, bool selected) {
                    if (selected) {
                        selectedAfter.push_back(path);
                    }
                };
                window.View()->setFocus();
                QTest::keyClick(window.View(), Qt::Key_F2);
                ASSERT_NE(test::NameEditor(list), nullptr) << where;
                test::TypeName(list, c.typed);
                c.meanwhile(folder, list);
                list.SmartRefresh();

                QString message;
                if (c.objectGone && key != Qt::Key_Escape) {
                    test::WhenMessageShows(&list, [&](QMessageBox* box) {
                        message = box->text();
                        box->close();
                    });
                }
                QLineEdit* editor = test::NameEditor(list);
                ASSERT_NE(editor, nullptr) << where << ": the refresh closed the editor";
                if (key == Qt::Key_unknown) {
                    window.dialog.activateWindow();
                    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.dialog)) << where;
                    editor->setFocus();
                    window.button->setFocus();
                } else {
                    QTest::keyClick(editor, key);
                }
                ASSERT_TRUE(WaitFor([&] { return !list.Editing(); })) << where;
                if (c.objectGone && key != Qt::Key_Escape) {
                    ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); })) << where;
                    EXPECT_TRUE(message.contains("no longer there")) << where << ": " << message.toStdString();
                }
                QCoreApplication::processEvents();

                EXPECT_EQ(list.Path(), folder + "/") << where;
                EXPECT_EQ(window.clicks, 0) << where;
                EXPECT_TRUE(window.dialog.isVisible()) << where;
                const bool renamed = key != Qt::Key_Escape && !c.objectGone;
                EXPECT_EQ(fs::exists(folder + "/" + c.typed), renamed) << where;
                EXPECT_EQ(fs::exists(edited), (!renamed && !c.objectGone) || c.replaced) << where;
                EXPECT_EQ(list.IndexOfPIDL(folder + "/" + c.typed) >= 0, renamed) << where;
                EXPECT_EQ(list.IndexOfPIDL(edited) >= 0, (!renamed && !c.objectGone) || c.replaced) << where;
                // The selection stays on the object edited: no other one is
                // selected, nor reported to a handler that would open it.
                const std::string kept = renamed ? folder + "/" + c.typed : edited;
                for (const std::string& path : selectedAfter) {
                    EXPECT_EQ(path, kept) << where;
                }
                if (!c.objectGone) {
                    const std::vector<int> selected = list.SelectedItems();
                    ASSERT_EQ(selected.size(), 1U) << where;
                    EXPECT_EQ(list.GetFullPath(selected.front()), kept) << where;
                    EXPECT_EQ(window.View()->currentIndex().row(), selected.front()) << where;
                }
                EXPECT_EQ(QtWarnings::Take(), std::vector<std::string>{}) << where;
            }
        }
    }
}

// Keys the editor leaves alone are not the list's either while a name is
// edited: Shift+F10 shows no menu of the list.
TEST_F(ShellListEditKeysTest, TheListTakesNoKeysWhileANameIsEdited)
{
    MakeDir("home/labels");
    MakeFile("home/labels/a.zlb");
    Window window(TViewStyle::vsReport);
    TQorShellList& list = *window.list;
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/a.zlb")));
    ASSERT_TRUE(list.EditItem(list.IndexOfPIDL(Path("home/labels/a.zlb"))));
    QLineEdit* editor = test::NameEditor(list);
    ASSERT_NE(editor, nullptr);
    test::PopupsRefused menus;
    for (const QKeyCombination keys : {QKeyCombination(Qt::ShiftModifier, Qt::Key_F10), QKeyCombination(Qt::Key_Menu),
                                       QKeyCombination(Qt::Key_F2), QKeyCombination(Qt::Key_F5)}) {
        QTest::keyClick(editor, keys.key(), keys.keyboardModifiers());
    }
    EXPECT_FALSE(menus.AnyShown());
    EXPECT_TRUE(list.Editing());
    EXPECT_EQ(test::NameEditor(list), editor);
}

}  // namespace
}  // namespace zk
