// The printer-memory name list (store-as, object list) shows every name
// whole: its columns are as wide as the widest name, however long a name
// the printer's list gives, and the list scrolls sideways to columns past
// its edge.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/memory/exchange_steps.h"
#include "engine/memory/printer_dialogs.h"
#include "tests/ui/dialogs/memory_dialogs_fixture.h"
#include "ui/dialogs/store_as_dlg.h"
#include "ui/qt_ui_services.h"

namespace zk {
namespace {

using test::WhenModalNamed;

enum class Form { StoreAs, ObjList };

struct ListCase {
    const char* name;
    Form form;
    std::vector<std::string> names;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

// The longest name a printer's list line holds, in the widest capital.
std::string LongestListedName() { return std::string(NameLineSize - 1, 'W'); }

// Names enough to fill more columns than the list shows at once.
std::vector<std::string> ManyNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < 60; ++i) {
        names.push_back("LONGNAME" + std::to_string(10 + i));
    }
    return names;
}

// The entries of a shown list that are cut: narrower than their text and
// the margins the style leaves beside it, or wider than the list itself.
std::vector<std::string> CutEntries(QListWidget& list)
{
    std::vector<std::string> cut;
    const int margins = 2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1);
    for (int i = 0; i < list.count(); ++i) {
        QListWidgetItem* item = list.item(i);
        list.scrollToItem(item);
        const QRect shown = list.visualItemRect(item);
        const int text = static_cast<int>(std::ceil(QFontMetricsF(list.font()).horizontalAdvance(item->text())));
        if (shown.width() < text + margins || shown.left() < 0 || shown.right() >= list.viewport()->width()) {
            cut.push_back(item->text().toStdString() + " in " + std::to_string(shown.width()) + " at " +
                          std::to_string(shown.left()));
        }
    }
    return cut;
}

class MemoryListFitTest : public test::MemoryDialogsTest {
protected:
    QtUiServices services;
};

class MemoryListFit : public MemoryListFitTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(MemoryListFit, EveryNameShowsWhole)
{
    const ListCase& c = GetParam();
    TSortedNames& names = c.form == Form::StoreAs ? StoreAsDlg.FList : ObjListDlg.FList;
    for (const std::string& name : c.names) {
        names.Add(name);
    }
    std::vector<std::string> cut{"<not shown>"};
    WhenModalNamed(c.form == Form::StoreAs ? "StoreAsDlg" : "ObjListDlg", [&](QWidget* modal) {
        QCoreApplication::processEvents();
        auto* list = modal->findChild<QListWidget*>("FList");
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), static_cast<int>(c.names.size()));
        cut = CutEntries(*list);
        static_cast<QDialog*>(modal)->reject();
    });
    if (c.form == Form::StoreAs) {
        services.ShowStoreAsDialog();
    } else {
        services.ShowObjectListDialog();
    }
    EXPECT_TRUE(cut.empty()) << ::testing::PrintToString(cut);
}

// The store-as form widens for the longest name with its list, its top
// line and its button at the right edge; the next shorter list gives the
// form its own width back. The hidden "C" stays outside either way.
TEST_F(MemoryListFitTest, AFormWidenedForALongNameTakesItsOwnWidthBack)
{
    struct Showing {
        std::vector<std::string> names;
        bool wider;
    };
    const Showing showings[] = {{{"SHIP", LongestListedName()}, true}, {{"SHIP", "LONGNAME12"}, false}};
    const QSize own(400, 262);
    for (const Showing& showing : showings) {
        SCOPED_TRACE(showing.names.back());
        StoreAsDlg.FList.Clear();
        for (const std::string& name : showing.names) {
            StoreAsDlg.FList.Add(name);
        }
        WhenModalNamed("StoreAsDlg", [&](QWidget* modal) {
            auto* d = static_cast<TStoreAsDlg*>(modal);
            EXPECT_EQ(d->height(), own.height());
            EXPECT_EQ(d->width() > own.width(), showing.wider) << d->width();
            const int widening = d->width() - own.width();
            EXPECT_EQ(d->FList->geometry(), QRect(8, 26, 384 + widening, 184));
            EXPECT_EQ(d->PresentMsg->geometry(), QRect(8, 6, 384 + widening, 18));
            EXPECT_EQ(d->OkBt->geometry(), QRect(300 + widening, 222, 92, 26));
            EXPECT_FALSE(d->rect().intersects(d->CanBt->geometry()));
            d->reject();
        });
        services.ShowStoreAsDialog();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, MemoryListFit,
    ::testing::Values(ListCase{"StoreAsLongName", Form::StoreAs, {"SHIP", "LONGNAME12", "BOX"}},
                      ListCase{"StoreAsLongestListedName", Form::StoreAs, {"SHIP", LongestListedName()}},
                      ListCase{"StoreAsManyLongNames", Form::StoreAs, ManyNames()},
                      ListCase{"ObjListLongName", Form::ObjList, {"SEAL", "LONGNAME12", "LOGO"}},
                      ListCase{"ObjListLongestListedName", Form::ObjList, {"SEAL", LongestListedName()}},
                      ListCase{"ObjListManyLongNames", Form::ObjList, ManyNames()}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zk
