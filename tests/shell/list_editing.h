#pragma once
// In-place renaming in the shell list as a user does it: the editor opens,
// a name is typed, Enter ends the edit.

#include <QLineEdit>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "shell/shell_list.h"

namespace zk::test {

inline QLineEdit* NameEditor(const TQorShellList& list)
{
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(list.ReportView()),
                                    static_cast<QAbstractItemView*>(list.ListView())}) {
        if (auto* editor = view->viewport()->findChild<QLineEdit*>(); editor != nullptr) {
            return editor;
        }
    }
    return nullptr;
}

// Types name into the open editor (as a user would after selecting its text).
inline void TypeName(const TQorShellList& list, const QString& name)
{
    if (QLineEdit* editor = NameEditor(list)) {
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, name);
    }
}

// The editor ends its edit from the event loop, and the rename follows
// once it has closed.
inline void PressEnterInEditor(const TQorShellList& list)
{
    if (QLineEdit* editor = NameEditor(list)) {
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&list] { return !list.Editing(); }, 5000)) << "the edit did not end";
    }
}

// Renames the item at index in place; false when no editor opened.
inline bool RenameInPlace(TQorShellList& list, int index, const QString& name)
{
    if (!list.EditItem(index) || NameEditor(list) == nullptr) {
        return false;
    }
    TypeName(list, name);
    PressEnterInEditor(list);
    return true;
}

}  // namespace zk::test
