#include "ui/dialogs/memory_form_parts.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QFontMetricsF>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "engine/config/program_paths.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/report/ui_services.h"
#include "platform/code_pages.h"
#include "ui/editor_hooks.h"
#include "ui/form_order.h"

namespace zk {

namespace {

constexpr int ListColumns = 4;
constexpr int ListRowHeight = 18;

}  // namespace

TMemoryForm::TMemoryForm(const char* name, const QString& caption, QSize size, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(name);
    FollowFormOrder(*this);
    setWindowTitle(caption);
    setModal(true);
    QFont formFont(QStringLiteral("Sans"));
    formFont.setPixelSize(13);
    setFont(formFont);
    setFixedSize(size);
    CanBt = new QPushButton(QStringLiteral("C"), this);
    CanBt->setObjectName("CanBt");
    CanBt->setAutoDefault(false);
    CanBt->setFocusPolicy(Qt::NoFocus);
    CanBt->setGeometry(size.width() + 40, 0, 20, 20);
    connect(CanBt, &QPushButton::clicked, this, &QDialog::reject);
}

void TMemoryForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        CanBt->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMemoryForm::TakeHelpFile()
{
    setProperty("HelpFile", QString::fromStdString(ProgramPaths.HelpFileName));
}

QListWidget* TMemoryForm::MakeNameList(const QRect& geometry)
{
    auto* list = new QListWidget(this);
    list->setObjectName("FList");
    list->setGeometry(geometry);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setGridSize(QSize((geometry.width() - 2 * list->frameWidth()) / ListColumns, ListRowHeight));
    m_nameList = list;
    m_ownListWidth = geometry.width();
    return list;
}

void TMemoryForm::ShowNames(const TSortedNames& names)
{
    QListWidget* list = m_nameList;
    list->clear();
    const QFontMetricsF metrics(list->font());
    qreal widest = 0;
    for (const std::string& name : names.Items) {
        const QString text = FromEngineText(name);
        widest = std::max(widest, metrics.horizontalAdvance(text));
        list->addItem(text);
    }
    // An entry draws its text inside the style's margins, and elides it
    // when its cell is narrower; the text's width is rounded up as the
    // style rounds it.
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const int widestEntry = static_cast<int>(std::ceil(widest)) + margins;
    const int frames = 2 * list->frameWidth();
    const int listWidth = std::max(m_ownListWidth, widestEntry + frames);
    // Up to four columns share the list's width, as many as the widest
    // entry allows, so that no column is cut at the list's edge.
    const int shown = listWidth - frames;
    const int columns = std::clamp(shown / widestEntry, 1, ListColumns);
    list->setGridSize(QSize(shown / columns, ListRowHeight));
    const int delta = listWidth - list->width();
    if (delta != 0) {
        setFixedSize(width() + delta, height());
        list->resize(list->width() + delta, list->height());
        CanBt->move(CanBt->x() + delta, CanBt->y());
        FollowWidth(delta);
    }
}

void TMemoryForm::FollowWidth(int /*delta*/) {}

std::string SelectedName(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? std::string() : ToEngineText(selected.front()->text());
}

bool HasEntryAt(const QListWidget* list, const QPoint& viewportPoint)
{
    return list->itemAt(viewportPoint) != nullptr;
}

void MakeUpperCase(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
}

QString FromEngineText(std::string_view text) { return QString::fromStdString(platform::Cp1252ToUtf8(text)); }

std::string ToEngineText(const QString& text) { return platform::Utf8ToCp1252(text.toStdString()); }

QString FromEngineCaption(const std::string& caption) { return QFile::decodeName(QByteArray::fromStdString(caption)); }

}  // namespace zk
