#include "ui/dialogs/memory_form_parts.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

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

QListWidget* MakeFourColumnList(QWidget* parent, const QRect& geometry)
{
    auto* list = new QListWidget(parent);
    list->setObjectName("FList");
    list->setGeometry(geometry);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int columnWidth = (geometry.width() - 2 * list->frameWidth()) / ListColumns;
    list->setGridSize(QSize(columnWidth, ListRowHeight));
    return list;
}

void FillNameList(QListWidget* list, const TSortedNames& names)
{
    list->clear();
    for (const std::string& name : names.Items) {
        list->addItem(FromEngineText(name));
    }
}

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

bool RefuseDuringExchange()
{
    if (!IsExchangeInProgress()) {
        return false;
    }
    Ui().Beep();
    return true;
}

}  // namespace zk
