// A number the program puts into a form's field shows whole, however long
// the field's typing limit is: label files, printer forms and the
// configuration can hold values longer than a user may type. OK then keeps
// or refuses the value as it does a typed one, never a shortened copy, and
// a later shorter value gives the field its typing limit back.

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>

#include "engine/model/label_setup.h"
#include "engine/model/templates.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "ui/dialogs/align_dlg.h"
#include "ui/dialogs/pdf417_dlg.h"
#include "ui/dialogs/setup_dlg.h"

namespace zk::test {
namespace {

// The model field a form shows in one of its fields.
enum class Source { Pdf417X, Pdf417Y, Pdf417ModWidth, Pdf417MaxRows, Pdf417MaxCols, LabelGap, GridStep };

struct WholeCase {
    Source source;
    const char* control;
    std::int32_t value;  // longer than the field's typing limit
    int typingLimit;
    std::int32_t shortValue;  // one that fits that limit
};

void PrintTo(const WholeCase& c, std::ostream* os)
{
    *os << c.control << " = " << c.value;
}

void Store(Source source, std::int32_t value)
{
    TPdf417Figure& t = Pdf417Template;
    switch (source) {
    case Source::Pdf417X: t.X = static_cast<std::int16_t>(value); break;
    case Source::Pdf417Y: t.Y = static_cast<std::int16_t>(value); break;
    case Source::Pdf417ModWidth: t.ModuleWidth = static_cast<std::uint8_t>(value); break;
    case Source::Pdf417MaxRows: t.MaxRows = static_cast<std::uint16_t>(value); break;
    case Source::Pdf417MaxCols: t.MaxCols = static_cast<std::uint16_t>(value); break;
    case Source::LabelGap: LabelSetup.LabelGap = value; break;
    case Source::GridStep: Settings.GridStep = value; break;
    }
}

std::int32_t Stored(Source source)
{
    const TPdf417Figure& t = Pdf417Template;
    switch (source) {
    case Source::Pdf417X: return t.X;
    case Source::Pdf417Y: return t.Y;
    case Source::Pdf417ModWidth: return t.ModuleWidth;
    case Source::Pdf417MaxRows: return t.MaxRows;
    case Source::Pdf417MaxCols: return t.MaxCols;
    case Source::LabelGap: return LabelSetup.LabelGap;
    case Source::GridStep: return Settings.GridStep;
    }
    return 0;
}

// How many pixels the field lacks to show its whole text without
// scrolling: the text and the cursor after it inside the contents that
// the style leaves, less QLineEdit's 2-pixel margins on each side.
int Shortfall(QLineEdit& field)
{
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field) : 0;
    const QRect contents = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    const int room = contents.width() - field.textMargins().left() - field.textMargins().right() - 2 * 2;
    const int needed = field.fontMetrics().horizontalAdvance(field.text()) + 1;
    return std::max(needed - room, 0);
}

class NumbersShownWhole : public FigureDialogTest, public ::testing::WithParamInterface<WholeCase> {
protected:
    ~NumbersShownWhole() override
    {
        if (m_form != nullptr) {
            m_form->hide();
        }
    }

    // Fills the form that shows the source from the model and shows it.
    QLineEdit* Open(Source source)
    {
        switch (source) {
        case Source::LabelGap:
            m_setup = std::make_unique<TSetupDlg>();
            m_form = m_setup.get();
            break;
        case Source::GridStep:
            m_align = std::make_unique<TAlignDlg>();
            m_form = m_align.get();
            break;
        default:
            AddNewFigure = 0;  // editing: OK only updates the template
            PreparePdf417Dialog(true);
            m_form = Pdf417Dlg;
            break;
        }
        m_form->show();
        QCoreApplication::processEvents();
        return m_form->findChild<QLineEdit*>(GetParam().control);
    }

    void ClickOk()
    {
        const char* ok = m_setup != nullptr ? "ButtonOK" : "OkBt";
        m_form->findChild<QPushButton*>(ok)->click();
    }

private:
    std::unique_ptr<TSetupDlg> m_setup;
    std::unique_ptr<TAlignDlg> m_align;
    QWidget* m_form = nullptr;
};

TEST_P(NumbersShownWhole, ShowsTheValueWholeAndOkNeverStoresAShortenedOne)
{
    const WholeCase& c = GetParam();
    Store(c.source, c.value);
    QLineEdit* field = Open(c.source);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text().toStdString(), std::to_string(c.value));
    EXPECT_EQ(Shortfall(*field), 0);
    ClickOk();
    EXPECT_EQ(Stored(c.source), c.value);
}

TEST_P(NumbersShownWhole, AShorterValueGivesTheFieldItsTypingLimitBack)
{
    const WholeCase& c = GetParam();
    Store(c.source, c.value);
    Open(c.source);
    Store(c.source, c.shortValue);
    QLineEdit* field = Open(c.source);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text().toStdString(), std::to_string(c.shortValue));
    EXPECT_EQ(field->maxLength(), c.typingLimit);
}

// PDF417 fields hold the 16-bit and 8-bit values of a label file; the
// configuration's label gap is only bounded above; the grid step is the
// configuration's.
INSTANTIATE_TEST_SUITE_P(
    Fields, NumbersShownWhole,
    ::testing::Values(WholeCase{Source::Pdf417X, "StartX", -32768, 5, -607},
                      WholeCase{Source::Pdf417Y, "StartY", -32768, 5, 1539},
                      WholeCase{Source::Pdf417ModWidth, "ModWidth", 255, 2, 8},
                      WholeCase{Source::Pdf417MaxRows, "MaxRows", 44118, 4, 90},
                      WholeCase{Source::Pdf417MaxCols, "MaxCols", 65535, 4, 34},
                      WholeCase{Source::LabelGap, "TmpGap", -2147483647, 4, 80},
                      WholeCase{Source::GridStep, "GridStep", 12345, 3, 40}));

}  // namespace
}  // namespace zk::test
