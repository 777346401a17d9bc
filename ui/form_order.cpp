#include "ui/form_order.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace zk {

namespace {

bool TakesTab(const QWidget& control) { return (control.focusPolicy() & Qt::TabFocus) == Qt::TabFocus; }

bool HoldsTabStop(const QWidget& widget)
{
    if (TakesTab(widget)) {
        return true;
    }
    const QList<QWidget*> inside = widget.findChildren<QWidget*>();
    return std::any_of(inside.begin(), inside.end(), [](const QWidget* w) { return TakesTab(*w); });
}

// Where the user types or chooses: not a button, nor a picture or text
// that only shows.
bool IsField(const QWidget& control)
{
    if (qobject_cast<const QPushButton*>(&control) != nullptr || qobject_cast<const QToolButton*>(&control) != nullptr ||
        qobject_cast<const QScrollArea*>(&control) != nullptr) {
        return false;
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        return !edit->isReadOnly();
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(&control)) {
        return !text->isReadOnly();
    }
    if (const auto* text = qobject_cast<const QTextEdit*>(&control)) {
        return !text->isReadOnly();
    }
    return true;
}

// Controls placed by hand, as read: bands top to bottom, a band being the
// controls whose heights overlap (a row, or a tall list with the buttons
// beside it); within a band column by column, left to right, each column
// top to bottom.
void SortAsRead(std::vector<QWidget*>& controls)
{
    std::stable_sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    for (auto bandStart = controls.begin(); bandStart != controls.end();) {
        int bottom = (*bandStart)->geometry().bottom();
        auto bandEnd = bandStart + 1;
        while (bandEnd != controls.end() && (*bandEnd)->y() <= bottom) {
            bottom = std::max(bottom, (*bandEnd)->geometry().bottom());
            ++bandEnd;
        }
        std::stable_sort(bandStart, bandEnd, [](const QWidget* a, const QWidget* b) {
            return std::pair(a->x(), a->y()) < std::pair(b->x(), b->y());
        });
        bandStart = bandEnd;
    }
}

// A layout's items in the order they show: a grid's and a form's row by
// row, a box's from its start.
std::vector<QLayoutItem*> ItemsAsShown(QLayout& layout)
{
    std::vector<std::pair<std::pair<int, int>, QLayoutItem*>> placed;
    const auto* box = qobject_cast<QBoxLayout*>(&layout);
    const bool reversed = box != nullptr && (box->direction() == QBoxLayout::RightToLeft ||
                                             box->direction() == QBoxLayout::BottomToTop);
    for (int i = 0; i < layout.count(); ++i) {
        int row = reversed ? -i : i;
        int column = 0;
        if (auto* grid = qobject_cast<QGridLayout*>(&layout)) {
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        } else if (auto* form = qobject_cast<QFormLayout*>(&layout)) {
            QFormLayout::ItemRole role = QFormLayout::LabelRole;
            form->getItemPosition(i, &row, &role);
            column = static_cast<int>(role);
        }
        placed.push_back({{row, column}, layout.itemAt(i)});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QLayoutItem*> items;
    for (const auto& [where, item] : placed) {
        items.push_back(item);
    }
    return items;
}

// Walks a form's controls in the order it reads.
class FormWalk {
public:
    explicit FormWalk(QWidget& form) : m_form(form)
    {
        // The focus chain as it is: the order of the parts of compound
        // controls (a spin box's edit) is kept.
        for (QWidget* w = form.nextInFocusChain(); w != nullptr && w != &form && m_chain.size() < ChainLimit;
             w = w->nextInFocusChain()) {
            m_chain.push_back(w);
        }
        AddChildrenOf(form);
    }

    // Every Tab stop in order, and the controls among them (not their parts).
    const std::vector<QWidget*>& Stops() const { return m_stops; }
    const std::vector<QWidget*>& Controls() const { return m_controls; }

private:
    // Bounds the walk of a chain that something left broken.
    static constexpr std::size_t ChainLimit = 100000;

    void AddControl(QWidget& control)
    {
        if (control.isWindow() || !m_seen.insert(&control).second) {
            return;
        }
        if (!TakesTab(control)) {
            AddChildrenOf(control);  // a panel or a group of controls
            return;
        }
        // Tab goes on to the next control, the arrow keys between the cells;
        // a table's own Tab from cell to cell comes round to its first cell
        // and never lets go.
        if (auto* view = qobject_cast<QAbstractItemView*>(&control)) {
            view->setTabKeyNavigation(false);
        }
        m_controls.push_back(&control);
        m_stops.push_back(&control);
        for (QWidget* part : m_chain) {
            if (control.isAncestorOf(part) && TakesTab(*part) && m_seen.insert(part).second) {
                m_stops.push_back(part);
            }
        }
    }

    void AddLayout(QLayout& layout)
    {
        for (QLayoutItem* item : ItemsAsShown(layout)) {
            if (item->widget() != nullptr) {
                AddControl(*item->widget());
            } else if (item->layout() != nullptr) {
                AddLayout(*item->layout());
            }
        }
    }

    void AddChildrenOf(QWidget& parent)
    {
        if (parent.layout() != nullptr) {
            AddLayout(*parent.layout());
        }
        // Then the controls placed by hand (captions and pictures aside).
        std::vector<QWidget*> placed;
        for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() || m_seen.contains(child) || !HoldsTabStop(*child)) {
                continue;
            }
            if (&parent == &m_form && TakesTab(*child) && !child->geometry().intersects(m_form.rect())) {
                child->setFocusPolicy(Qt::NoFocus);  // kept off the form: only its shortcut reaches it
                continue;
            }
            placed.push_back(child);
        }
        SortAsRead(placed);
        for (QWidget* child : placed) {
            AddControl(*child);
        }
    }

    QWidget& m_form;
    std::vector<QWidget*> m_chain;
    std::set<QWidget*> m_seen;
    std::vector<QWidget*> m_stops;
    std::vector<QWidget*> m_controls;
};

bool CanTakeFocus(const QWidget& control, const QWidget& form)
{
    return control.isVisibleTo(&form) && control.isEnabled();
}

// The first field; without one the default button, else the first control.
QWidget* StartControl(const std::vector<QWidget*>& controls, const QWidget& form)
{
    for (QWidget* control : controls) {
        if (CanTakeFocus(*control, form) && IsField(*control)) {
            return control;
        }
    }
    for (QWidget* control : controls) {
        const auto* button = qobject_cast<const QPushButton*>(control);
        if (button != nullptr && button->isDefault() && CanTakeFocus(*control, form)) {
            return control;
        }
    }
    for (QWidget* control : controls) {
        if (CanTakeFocus(*control, form)) {
            return control;
        }
    }
    return nullptr;
}

// Typing replaces what the field shows, as after a Tab into it.
void SelectText(QWidget& field)
{
    if (auto* edit = qobject_cast<QLineEdit*>(&field)) {
        edit->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(&field)) {
        spin->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(&field); combo != nullptr && combo->lineEdit() != nullptr) {
        combo->lineEdit()->selectAll();
    }
}

class TFormOrder : public QObject {
public:
    explicit TFormOrder(QWidget& form) : QObject(&form), m_form(form) { form.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_form || event->spontaneous()) {
            return false;
        }
        // Before the form's own show handler, which may choose another start.
        if (event->type() == QEvent::Show) {
            Arrange();
        }
        // After it: when it disabled or hid the start (controls that wait
        // for a picture), the start is chosen again among what is left.
        if (event->type() == QEvent::ShowToParent && m_start != nullptr && !CanTakeFocus(*m_start, m_form)) {
            Start(FormWalk(m_form).Controls());
        }
        return false;
    }

private:
    void Arrange()
    {
        const FormWalk walk(m_form);
        const std::vector<QWidget*>& stops = walk.Stops();
        for (std::size_t i = 1; i < stops.size(); ++i) {
            QWidget::setTabOrder(stops[i - 1], stops[i]);
        }
        Start(walk.Controls());
    }

    void Start(const std::vector<QWidget*>& controls)
    {
        m_start = StartControl(controls, m_form);
        if (m_start != nullptr) {
            m_start->setFocus(Qt::TabFocusReason);
            SelectText(*m_start);
        }
    }

    QWidget& m_form;
    QPointer<QWidget> m_start;
};

}  // namespace

void FollowFormOrder(QWidget& form)
{
    new TFormOrder(form);
}

}  // namespace zk
