#pragma once
// Whether a file dialog's detail columns (size, kind, date) show a file's
// texts whole, within the view as the dialog opens.

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QStyle>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace zk::test {

// Waits until the dialog, shown, lists fileName in its detail view, then
// checks each visible detail column against that file's text in it.
inline void ExpectFileDetailsShowWhole(const QFileDialog& dialog, const QString& fileName)
{
    auto* view = dialog.findChild<QTreeView*>("treeView");
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->isVisible());
    const QAbstractItemModel* model = view->model();
    int row = -1;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QModelIndexList found =
            model->match(model->index(0, 0, view->rootIndex()), Qt::DisplayRole, fileName, 1, Qt::MatchExactly);
        row = found.isEmpty() ? -1 : found.front().row();
        return row >= 0;
    }));
    QCoreApplication::processEvents();
    // Text needs its width and the item's margins on both sides.
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    for (int column = 1; column < model->columnCount(view->rootIndex()); ++column) {
        if (view->isColumnHidden(column)) {
            continue;
        }
        const QString text = model->index(row, column, view->rootIndex()).data().toString();
        SCOPED_TRACE(text.toStdString());
        EXPECT_GE(view->columnWidth(column), view->fontMetrics().horizontalAdvance(text) + margins);
        // Within the view as it opens, not past its edge behind a scroll bar.
        const int left = view->header()->sectionViewportPosition(column);
        EXPECT_GE(left, 0);
        EXPECT_LE(left + view->columnWidth(column), view->viewport()->width());
    }
}

}  // namespace zk::test
