#include "shell/shell_tree.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

#include "shell/shell_items.h"
#include "shell/shell_list.h"
#include "tests/shell/popup_driver.h"
#include "tests/shell/temp_folders.h"
#include "tests/support/private_mounts.h"
#include "tests/ui/modal_driver.h"

namespace zk {
namespace {

using Op = TQorShellOperation;
namespace fs = std::filesystem;

struct Report {
    TQorShellOperations operation;
    std::vector<std::string> files;
    std::string destination;
};

class ShellTreeCommandsTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        MakeDir("home/labels/2024");
        MakeDir("home/labels/archive");
        MakeFile("home/labels/a.zlb");
        tree.OnOperation = [this](QObject&, const TQorShellOperations& operation, const std::vector<std::string>& files,
                                  const std::string& destination) {
            reports.push_back({operation, files, destination});
        };
        tree.OnConfirmDelete = [](const std::string&) { return true; };
        tree.resize(300, 500);
        }
    void TearDown() override
    {
        QApplication::clipboard()->clear();
    }
    void Select(const std::string& relative) { tree.SetSelectedFolder(Path(relative)); }
    QTreeWidgetItem* Child(QTreeWidgetItem* node, const QString& text)
    {
        for (int i = 0; i < node->childCount(); ++i) {
            if (node->child(i)->text(0) == text) {
                return node->child(i);
            }
        }
        return nullptr;
    }
    // Types a new name into the editor the tree opened and commits it.
    void TypeName(const QString& name)
    {
        QLineEdit* editor = tree.viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(name);
        QTest::keyClick(editor, Qt::Key_Return);
        // The edit ends on the next turn of the event loop.
        const QPointer<QLineEdit> closing(editor);
        ASSERT_TRUE(WaitFor([&] { return closing.isNull(); }));
        // The rename itself is queued behind the edit's end.
        QApplication::processEvents();
    }
    // Drops the files on the node with the keys held.
    bool Drop(QTreeWidgetItem* node, const std::vector<std::string>& files, Qt::KeyboardModifiers keys,
              Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction)
    {
        std::unique_ptr<QMimeData> data = FileListToMimeData(files, false);
        tree.scrollToItem(node);
        QApplication::processEvents();
        const QPointF point = tree.visualItemRect(node).center();
        QDropEvent drop(point, offered, data.get(), Qt::LeftButton, keys);
        // As a real drag does: the drop goes to where the drag entered.
        QDragEnterEvent enter(point.toPoint(), drop.possibleActions(), data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(tree.viewport(), &enter);
        QDragMoveEvent move(point.toPoint(), drop.possibleActions(), data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(tree.viewport(), &move);
        if (move.isAccepted()) {
            EXPECT_EQ(tree.DropNode(), node);
        }
        QApplication::sendEvent(tree.viewport(), &drop);
        return drop.isAccepted();
    }

    // Notes the text of the next message box and closes it.
    void NoteMessage(QString& text)
    {
        test::WhenModalShows([&text](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                text = box->text();
                box->accept();
            }
        });
    }

    TQorShellTree tree;
    std::vector<Report> reports;
};

TEST_F(ShellTreeCommandsTest, RenameInPlaceRefusesAnExistingName)
{
    Select("home/labels/2024");
    QTreeWidgetItem* node = tree.currentItem();
    ASSERT_TRUE(tree.EditSelected());
    bool told = false;
    test::WhenModalShows([&told](QWidget* modal) {
        told = true;
        modal->close();
    });
    TypeName("archive");
    EXPECT_TRUE(told);
    EXPECT_EQ(node->text(0), "2024");
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
    EXPECT_TRUE(reports.empty());

    ASSERT_TRUE(tree.EditSelected());
    TypeName("2025");
    EXPECT_EQ(node->text(0), "2025");
    EXPECT_EQ(TQorShellTree::NodeId(node), Path("home/labels/2025"));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2025")));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].operation, (TQorShellOperations{Op::sopRename}));
    EXPECT_EQ(reports[0].files, std::vector<std::string>{Path("home/labels/2024")});
    EXPECT_EQ(reports[0].destination, "2025");
}

// The key that ends renaming a folder ends the edit and does nothing else,
// in a dialog with a default button too, whatever changed around the
// folder meanwhile, also when the folder itself went.
TEST_F(ShellTreeCommandsTest, TheKeyThatEndsAnEditEndsItAndNothingElse)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& folder)> meanwhile;
        bool folderGone = false;
    };
    const Case cases[] = {
        {"nothing", [](const std::string&) {}},
        {"a folder above came", [](const std::string& folder) { fs::create_directory(folder + "/2023"); }},
        {"a folder above went", [](const std::string& folder) { fs::remove(folder + "/1999"); }},
        {"the edited folder went", [](const std::string& folder) { fs::remove(folder + "/2024"); }, true},
        // Another object of that name is not the one edited.
        {"the edited folder became a file",
         [](const std::string& folder) {
             fs::remove(folder + "/2024");
             std::ofstream(folder + "/2024") << "x";
         },
         true},
    };
    int round = 0;
    for (const Case& c : cases) {
        // Qt::Key_unknown: the focus goes to the dialog's button.
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_unknown}) {
            const std::string where = std::string(c.what) + ", key " + std::to_string(key);
            const bool commits = key != Qt::Key_Escape;
            const std::string folder = Path("home/round" + std::to_string(++round));
            for (const char* name : {"1999", "2024", "archive"}) {
                fs::create_directories(folder + "/" + name);
            }
            QDialog dialog;
            auto* button = new QPushButton("Open", &dialog);
            auto* edited = new TQorShellTree(&dialog);
            auto* layout = new QVBoxLayout(&dialog);
            layout->addWidget(edited);
            layout->addWidget(button);
            button->setDefault(true);
            int clicks = 0;
            QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
            dialog.resize(300, 400);
            dialog.show();
            edited->SetSelectedFolder(folder + "/2024");
            QTreeWidgetItem* parent = edited->currentItem()->parent();
            edited->setFocus();
            QTest::keyClick(edited, Qt::Key_F2);
            QLineEdit* editor = edited->viewport()->findChild<QLineEdit*>();
            ASSERT_NE(editor, nullptr) << where;
            editor->setText("typed");
            c.meanwhile(folder);
            edited->RefreshNode(parent, false);
            // Drawing the refreshed nodes updates them; the typed name stays.
            edited->viewport()->repaint();
            ASSERT_NE(edited->viewport()->findChild<QLineEdit*>(), nullptr) << where << ": the editor closed";
            EXPECT_EQ(editor->text(), "typed") << where;

            QString message;
            if (c.folderGone && commits) {
                NoteMessage(message);
            }
            const QPointer<QLineEdit> closing(editor);
            if (key == Qt::Key_unknown) {
                dialog.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog)) << where;
                editor->setFocus();
                button->setFocus();
            } else {
                QTest::keyClick(editor, key);
            }
            ASSERT_TRUE(WaitFor([&] { return closing.isNull(); })) << where;
            if (c.folderGone && commits) {
                ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); })) << where;
                EXPECT_TRUE(message.contains("no longer there")) << where << ": " << message.toStdString();
            }
            QApplication::processEvents();
            EXPECT_EQ(clicks, 0) << where;
            EXPECT_TRUE(dialog.isVisible()) << where;
            const bool renamed = commits && !c.folderGone;
            EXPECT_EQ(fs::is_directory(folder + "/typed"), renamed) << where;
            EXPECT_EQ(Child(parent, "typed") != nullptr, renamed) << where;
            EXPECT_EQ(Child(parent, "2024") != nullptr, !renamed && !c.folderGone) << where;
            // The selection stays on the folder edited (Tab moves it nowhere).
            if (!c.folderGone) {
                EXPECT_EQ(edited->SelectedFolder(), folder + (renamed ? "/typed" : "/2024")) << where;
            }
        }
    }
}

// While a folder's name is edited the keys the editor leaves alone are not
// the tree's either: Shift+F10 shows no menu, F2 starts no other edit.
TEST_F(ShellTreeCommandsTest, TheTreeTakesNoKeysWhileANameIsEdited)
{
    Select("home/labels/2024");
    tree.show();
    ASSERT_TRUE(tree.EditSelected());
    QLineEdit* editor = tree.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    test::PopupsRefused menus;
    for (const QKeyCombination keys : {QKeyCombination(Qt::ShiftModifier, Qt::Key_F10), QKeyCombination(Qt::Key_F2),
                                       QKeyCombination(Qt::Key_F5)}) {
        QTest::keyClick(editor, keys.key(), keys.keyboardModifiers());
    }
    EXPECT_FALSE(menus.AnyShown());
    EXPECT_EQ(tree.viewport()->findChild<QLineEdit*>(), editor);
}

TEST_F(ShellTreeCommandsTest, RenamedFolderKeepsItsChildrenUnderTheNewPath)
{
    MakeDir("home/labels/2024/jan");
    Select("home/labels/2024/jan");
    Select("home/labels/2024");
    QTreeWidgetItem* node = tree.currentItem();
    ASSERT_TRUE(node->isExpanded());
    ASSERT_TRUE(tree.EditSelected());
    TypeName("old");
    ASSERT_EQ(node->childCount(), 1);
    EXPECT_EQ(TQorShellTree::NodeId(node->child(0)), Path("home/labels/old/jan"));
    EXPECT_TRUE(tree.IsMonitored(node));
}

TEST_F(ShellTreeCommandsTest, DesktopFoldersAndRootsCannotBeRenamedOrDeleted)
{
    tree.SetSelectedFolder(Path("home"));
    EXPECT_FALSE(tree.EditSelected());
    EXPECT_FALSE(tree.InvokeCommandOnSelected("delete"));
    EXPECT_FALSE(tree.InvokeCommandOnSelected("cut"));
    tree.setCurrentItem(tree.topLevelItem(0));
    EXPECT_FALSE(tree.InvokeCommandOnSelected("delete"));
    EXPECT_TRUE(fs::is_directory(Path("home")));
}

TEST_F(ShellTreeCommandsTest, NewFolderTakesAFreeNameAndIsSelected)
{
    const std::string labels = Path("home/labels");
    EXPECT_EQ(tree.CreateDir(labels, "", false), labels + "/New Folder");
    EXPECT_EQ(tree.SelectedFolder(), labels + "/New Folder");
    EXPECT_EQ(tree.CreateDir(labels, "", false), labels + "/New Folder (2)");
    EXPECT_EQ(tree.SelectedFolder(), labels + "/New Folder (2)");
    // A name in use is selected, not made again.
    EXPECT_EQ(tree.CreateDir(labels, "archive", false), "");
    EXPECT_EQ(tree.SelectedFolder(), labels + "/archive");
    // Never a path.
    EXPECT_EQ(tree.CreateDir(labels, "x/y", false), "");
    EXPECT_FALSE(fs::exists(labels + "/x"));
}

TEST_F(ShellTreeCommandsTest, DeleteMovesToTheTrashAndRemovesTheNode)
{
    Select("home/labels/2024");
    QTreeWidgetItem* labels = tree.currentItem()->parent();
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Delete);
    EXPECT_FALSE(fs::exists(Path("home/labels/2024")));
    EXPECT_TRUE(fs::is_directory(Path("home/.local/share/Trash/files/2024")));
    EXPECT_TRUE(fs::exists(Path("home/.local/share/Trash/info/2024.trashinfo")));
    EXPECT_EQ(Child(labels, "2024"), nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].operation, (TQorShellOperations{Op::sopDelete, Op::sopRemove}));
    EXPECT_EQ(reports[0].files, std::vector<std::string>{Path("home/labels/2024")});
}

TEST_F(ShellTreeCommandsTest, DeleteTrashesOnlyTheFolderTheUserConfirmed)
{
    Select("home/labels/2024");
    // While the question is up, the folder goes and the tree is read again:
    // the selection moves on to another folder, which was never confirmed.
    tree.OnConfirmDelete = [this](const std::string& path) {
        fs::remove(path);
        tree.Refresh();
        return true;
    };
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Delete);
    EXPECT_TRUE(fs::is_directory(Path("home/labels")));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/archive")));
    EXPECT_TRUE(reports.empty());
}

TEST_F(ShellTreeCommandsTest, ReadOnlyRefusesEveryChange)
{
    tree.SetReadOnly(true);
    Select("home/labels/2024");
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Delete);
    QTest::keyClick(&tree, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(tree.InvokeCommandOnSelected("delete"));
    EXPECT_FALSE(tree.InvokeCommandOnSelected("newfolder"));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
    EXPECT_TRUE(ClipboardFiles().empty());

    QTreeWidgetItem* archive = Child(tree.currentItem()->parent(), "archive");
    EXPECT_FALSE(Drop(archive, {Path("home/labels/a.zlb")}, Qt::ControlModifier));
    EXPECT_FALSE(fs::exists(Path("home/labels/archive/a.zlb")));
    EXPECT_TRUE(reports.empty());
}

TEST_F(ShellTreeCommandsTest, CopyAndPasteIntoAnotherFolder)
{
    MakeFile("home/labels/2024/jan.zlb");
    Select("home/labels/2024");
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardFiles(), std::vector<std::string>{Path("home/labels/2024")});
    EXPECT_FALSE(ClipboardIsCut());

    Select("home/labels/archive");
    QTest::keyClick(&tree, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(fs::exists(Path("home/labels/archive/2024/jan.zlb")));
    EXPECT_TRUE(fs::exists(Path("home/labels/2024/jan.zlb")));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].operation, (TQorShellOperations{Op::sopCopy, Op::sopPaste, Op::sopAdd}));
    EXPECT_EQ(reports[0].destination, Path("home/labels/archive"));

    // Pasting once more never replaces what is there.
    EXPECT_TRUE(tree.InvokeCommandOnSelected("paste"));
    EXPECT_TRUE(fs::exists(Path("home/labels/archive/2024 (2)/jan.zlb")));
}

TEST_F(ShellTreeCommandsTest, CutAndPasteMovesOnce)
{
    Select("home/labels/2024");
    QTreeWidgetItem* node = tree.currentItem();
    ASSERT_TRUE(tree.InvokeCommandOnSelected("cut"));
    EXPECT_TRUE(ClipboardIsCut());
    EXPECT_TRUE(node->data(0, ShellCutRole).toBool());
    Select("home/labels/archive");
    ASSERT_TRUE(tree.InvokeCommandOnSelected("paste"));
    EXPECT_FALSE(fs::exists(Path("home/labels/2024")));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/archive/2024")));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].operation, (TQorShellOperations{Op::sopMove, Op::sopPaste, Op::sopAdd}));
    EXPECT_TRUE(ClipboardFiles().empty());
    EXPECT_EQ(Child(tree.currentItem()->parent(), "2024"), nullptr);
}

TEST_F(ShellTreeCommandsTest, PasteRefusesAFolderIntoItselfAndSaysWhy)
{
    Select("home/labels/2024");
    ASSERT_TRUE(tree.InvokeCommandOnSelected("cut"));
    QString message;
    NoteMessage(message);
    EXPECT_FALSE(tree.InvokeCommandOnSelected("paste"));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
    EXPECT_EQ(message.toStdString(), "\"" + Path("home/labels/2024") + "\" could not be moved into \"" +
                                         Path("home/labels/2024") + "\": a folder can't go into itself.");
}

// A paste or a drop that the file system refuses says why; what could not
// go stays where it was, and no part of a copy is left behind.
TEST_F(ShellTreeCommandsTest, ARefusedPasteOrDropSaysWhy)
{
    MakeDir("home/other/piped");
    ASSERT_EQ(mkfifo(Path("home/other/piped/pipe").c_str(), 0600), 0);
    const std::string piped = Path("home/other/piped");
    tree.show();
    Select("home/labels/archive");
    for (const bool drop : {false, true}) {
        QString message;
        NoteMessage(message);
        if (drop) {
            EXPECT_FALSE(Drop(tree.currentItem(), {piped}, Qt::ControlModifier));
        } else {
            SetClipboardFiles({piped}, false);
            EXPECT_FALSE(tree.InvokeCommandOnSelected("paste"));
        }
        ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); })) << drop;
        EXPECT_EQ(message.toStdString(), "\"" + piped + "\" could not be copied into \"" +
                                             Path("home/labels/archive") +
                                             "\": \"piped/pipe\" is a named pipe, which can't be copied.")
            << drop;
        EXPECT_FALSE(fs::exists(Path("home/labels/archive/piped"))) << drop;
        EXPECT_TRUE(fs::is_fifo(Path("home/other/piped/pipe"))) << drop;
        EXPECT_TRUE(reports.empty()) << drop;
    }
}

// F2 on a folder the user may not rename says why, even for root (its
// folder is on a read-only mount then).
TEST_F(ShellTreeCommandsTest, RenamingOrANewFolderWhereNothingMayChangeSaysWhy)
{
    const test::ReadOnlyFolder readOnly(Path("home/labels"));
    if (!readOnly.Made()) {
        GTEST_SKIP() << readOnly.Why();
    }
    Select("home/labels/2024");
    QString message;
    NoteMessage(message);
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_F2);
    ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); }));
    EXPECT_TRUE(message.startsWith("\"2024\" can't be renamed: ")) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::fromStdString(Path("home/labels")))) << message.toStdString();
    EXPECT_EQ(tree.viewport()->findChild<QLineEdit*>(), nullptr);

    // A new folder in it is refused with the reason, as the list says it.
    Select("home/labels");
    message.clear();
    NoteMessage(message);
    EXPECT_EQ(tree.CreateDir(Path("home/labels"), "", true), "");
    ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); }));
    EXPECT_TRUE(message.startsWith("No new folder can be made: ")) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::fromStdString(Path("home/labels")))) << message.toStdString();
    EXPECT_FALSE(fs::exists(Path("home/labels/New Folder")));
}

TEST_F(ShellTreeCommandsTest, DroppedListSelectionIsCopiedOrMovedByTheKeys)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/a.zlb")));
    const QModelIndexList rows = list.ReportView()->selectionModel()->selectedRows();
    std::unique_ptr<QMimeData> dragged(list.ReportView()->model()->mimeData(rows));
    const std::vector<std::string> files = DataObjectToFileList(dragged.get());
    ASSERT_EQ(files, std::vector<std::string>{Path("home/labels/a.zlb")});

    Select("home/labels/archive");
    QTreeWidgetItem* archive = tree.currentItem();
    QTreeWidgetItem* year = Child(archive->parent(), "2024");
    EXPECT_TRUE(Drop(archive, files, Qt::ControlModifier));
    EXPECT_TRUE(fs::exists(Path("home/labels/archive/a.zlb")));
    EXPECT_TRUE(fs::exists(Path("home/labels/a.zlb")));
    EXPECT_TRUE(Drop(year, files, Qt::ShiftModifier));
    EXPECT_TRUE(fs::exists(Path("home/labels/2024/a.zlb")));
    EXPECT_FALSE(fs::exists(Path("home/labels/a.zlb")));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].operation, (TQorShellOperations{Op::sopDrop, Op::sopCopy}));
    EXPECT_EQ(reports[0].destination, Path("home/labels/archive"));
    EXPECT_EQ(reports[1].operation, (TQorShellOperations{Op::sopDrop, Op::sopMove}));
}

// A drag whose source offers only copies is copied where, unforced, a
// drop would move.
TEST_F(ShellTreeCommandsTest, ADropFromASourceThatOffersOnlyCopiesCopies)
{
    MakeFile("home/other.zlb", "O");
    tree.show();
    Select("home/labels/archive");
    EXPECT_TRUE(Drop(tree.currentItem(), {Path("home/other.zlb")}, Qt::NoModifier, Qt::CopyAction));
    EXPECT_TRUE(fs::exists(Path("home/labels/archive/other.zlb")));
    EXPECT_TRUE(fs::exists(Path("home/other.zlb")));
}

TEST_F(ShellTreeCommandsTest, DropMakesLinksWhenAsked)
{
    tree.CreateLinkOnDrop = true;
    Select("home/labels/archive");
    EXPECT_TRUE(Drop(tree.currentItem(), {Path("home/labels/a.zlb")}, Qt::NoModifier));
    EXPECT_TRUE(fs::is_symlink(Path("home/labels/archive/a.zlb")));
    EXPECT_EQ(fs::read_symlink(Path("home/labels/archive/a.zlb")), Path("home/labels/a.zlb"));
}

TEST_F(ShellTreeCommandsTest, AFolderIsNotDroppedIntoItselfOrWhereItIs)
{
    Select("home/labels/2024");
    EXPECT_FALSE(Drop(tree.currentItem(), {Path("home/labels/2024")}, Qt::ShiftModifier));
    EXPECT_FALSE(Drop(tree.currentItem()->parent(), {Path("home/labels/2024")}, Qt::ShiftModifier));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
}

TEST(ShellDragHelpersTest, AutoScrollNearAnEdgeByOneLine)
{
    QTreeWidget view;
    for (int i = 0; i < 100; ++i) {
        view.addTopLevelItem(new QTreeWidgetItem(QStringList{QString("item %1").arg(i)}));
    }
    view.resize(200, 150);
    view.show();
    QApplication::processEvents();
    QScrollBar* bar = view.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const int bottom = view.viewport()->height() - 5;
    struct Case {
        int y;
        int expected;  // scroll value after one call, from 1
    };
    const Case cases[] = {{bottom, 2}, {view.viewport()->height() / 2, 1}, {5, 0}};
    for (const Case& c : cases) {
        bar->setValue(1);
        AutoScrollAtPoint(view, QPoint(100, c.y));
        EXPECT_EQ(bar->value(), c.expected) << c.y;
    }
}

TEST(ShellDragHelpersTest, FileUrlsCarryTheNamesBytes)
{
    const std::vector<std::string> paths = {"/tmp/plain.zlb", "/tmp/\xE4.zlb", "/tmp/\xC3\xA4 #1 %20?.zlb"};
    std::unique_ptr<QMimeData> data = FileListToMimeData(paths, true);
    EXPECT_EQ(DataObjectToFileList(data.get()), paths);
    EXPECT_TRUE(DataObjectIsCut(data.get()));
    // As a file manager writes them.
    QMimeData foreign;
    foreign.setData("text/uri-list", "file:///tmp/%C3%A4%E4.zlb\r\nfile:///tmp/a%20b\r\nhttp://example.org/x\r\n");
    EXPECT_EQ(DataObjectToFileList(&foreign), (std::vector<std::string>{"/tmp/\xC3\xA4\xE4.zlb", "/tmp/a b"}));
}

// Picks a verb from the context menu once it is up, after noting which
// verbs it offers.
class MenuPicker {
public:
    explicit MenuPicker(const char* verb) : m_verb(verb)
    {
        QTimer::singleShot(0, [this] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr || menu->objectName() != "ShellContextMenu") {
                return;
            }
            for (QAction* action : menu->actions()) {
                if (!action->objectName().isEmpty()) {
                    m_enabled[action->objectName().toStdString()] = action->isEnabled();
                }
            }
            if (QAction* pick = menu->findChild<QAction*>(m_verb); pick != nullptr && pick->isEnabled()) {
                menu->setActiveAction(pick);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                menu->close();
            }
        });
    }
    bool Enabled(const std::string& verb) const { return m_enabled.contains(verb) && m_enabled.at(verb); }

private:
    QString m_verb;
    std::map<std::string, bool> m_enabled;
};

TEST_F(ShellTreeCommandsTest, ContextMenuRunsTheChosenVerb)
{
    Select("home/labels");
    MenuPicker picker("newfolder");
    std::string verb;
    tree.ShowContextMenu(tree.mapToGlobal(QPoint(10, 10)), verb);
    EXPECT_EQ(verb, "newfolder");
    EXPECT_TRUE(picker.Enabled("delete"));
    EXPECT_FALSE(picker.Enabled("paste"));  // nothing on the clipboard
    EXPECT_TRUE(fs::is_directory(Path("home/labels/New Folder")));
}

TEST_F(ShellTreeCommandsTest, ReadOnlyMenuOffersNoChangesButRename)
{
    tree.SetReadOnly(true);
    Select("home/labels/2024");
    SetClipboardFiles({Path("home/labels/a.zlb")}, false);
    MenuPicker picker("delete");
    std::string verb;
    tree.ShowContextMenu(tree.mapToGlobal(QPoint(10, 10)), verb);
    EXPECT_EQ(verb, "");
    for (const char* refused : {"delete", "cut", "paste", "newfolder"}) {
        EXPECT_FALSE(picker.Enabled(refused)) << refused;
    }
    EXPECT_TRUE(picker.Enabled("rename"));
    EXPECT_TRUE(picker.Enabled("copy"));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
}

TEST_F(ShellTreeCommandsTest, ContextMenuVerbsCanBeVetoed)
{
    tree.OnContextMenuSelect = [](const std::string& verb, bool& execute) { execute = verb != "delete"; };
    Select("home/labels/2024");
    EXPECT_FALSE(tree.InvokeCommandOnSelected("delete"));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
    EXPECT_TRUE(tree.InvokeCommandOnSelected("copy"));
}

TEST_F(ShellTreeCommandsTest, AFolderThatCantGoToTheTrashStaysAndTheMessageSaysWhy)
{
    // The home trash can't be made: a file has its name.
    MakeDir("home/.local/share");
    MakeFile("home/.local/share/Trash");
    Select("home/labels/2024");
    QString message;
    test::WhenModalShows([&message](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            message = box->text();
            box->accept();
        }
    });
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Delete);
    ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); }));
    EXPECT_TRUE(message.contains("2024")) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::fromStdString(Path("home/.local/share/Trash")))) << message.toStdString();
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
    EXPECT_NE(Child(tree.currentItem()->parent(), "2024"), nullptr);
    EXPECT_TRUE(reports.empty());
}

TEST_F(ShellTreeCommandsTest, SmartRefreshAlsoRereadsTheFoldersOfCutNodes)
{
    MakeDir("home/other/sub");
    Select("home/labels/2024");
    QTreeWidgetItem* labels = tree.currentItem()->parent();
    ASSERT_TRUE(tree.InvokeCommandOnSelected("cut"));
    Select("home/other/sub");
    Select("home/other");
    ASSERT_GT(tree.currentItem()->childCount(), 0);
    // Pasted elsewhere: gone from here before any watch reports it.
    fs::rename(Path("home/labels/2024"), Path("home/other/2024"));
    tree.SmartRefresh();
    EXPECT_EQ(Child(labels, "2024"), nullptr);
    EXPECT_NE(Child(tree.currentItem(), "2024"), nullptr);
}

TEST_F(ShellTreeCommandsTest, AVerbChosenForANodeThatWentMeanwhileDoesNothing)
{
    Select("home/labels/2024");
    QTimer::singleShot(0, [this] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        // The folder goes while the menu is up, and a refresh takes its node away.
        fs::remove(Path("home/labels/2024"));
        tree.Refresh();
        menu->setActiveAction(menu->findChild<QAction*>("delete"));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    std::string verb;
    tree.ShowContextMenu(tree.mapToGlobal(QPoint(10, 10)), verb);
    EXPECT_EQ(verb, "");
    EXPECT_TRUE(fs::is_directory(Path("home/labels/archive")));
    EXPECT_TRUE(fs::exists(Path("home/labels/a.zlb")));
    EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace zk
