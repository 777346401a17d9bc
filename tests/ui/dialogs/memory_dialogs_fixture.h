#pragma once
// Base fixture for the printer-memory and font dialog tests: a printer with
// memory at the far end of the link, the five forms and the figure dialogs,
// and user-interface services that show the real forms for the dialogs the
// engine asks for while the message boxes and file dialogs stay scripted.

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>

#include "engine/model/templates.h"
#include "tests/engine/memory/memory_fixture.h"
#include "tests/support/fake_ui_services.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/figure_dialogs.h"
#include "ui/dialogs/memory_dialogs.h"
#include "ui/editing/editor_state.h"

namespace zk::test {

class FormShowingUiServices : public FakeUiServices {
public:
    std::vector<std::string> dialogs;  // "StoreAs", "ObjList", "Fonts" as the engine showed them

    void ShowStoreAsDialog() override
    {
        dialogs.push_back("StoreAs");
        ShowStoreAsForm();
    }
    bool IsStoreAsDialogVisible() const override { return IsStoreAsFormVisible(); }
    void ShowObjectListDialog() override
    {
        dialogs.push_back("ObjList");
        ShowObjectListForm();
    }
    void CloseObjectListDialog() override { CloseObjectListForm(); }
    char ShowFontsDialog(bool nameFieldShown) override
    {
        dialogs.push_back("Fonts");
        return ShowFontsForm(nameFieldShown);
    }
};

class MemoryDialogsTest : public MemoryExchangeTest {
protected:
    MemoryDialogsTest() : m_owner(std::make_unique<QWidget>())
    {
        InitDefaultFigures();
        ResetEditorState();
        ResetDialogProtocol();
        InstallFigureDialogs(m_owner.get());
        InstallMemoryDialogs(m_owner.get());
    }
    ~MemoryDialogsTest() override
    {
        m_owner.reset();
        ResetEditorState();
        ResetDialogProtocol();
    }

    // The entry of that text selected in the dialog's FList.
    static void SelectEntry(QWidget* dialog, const QString& text)
    {
        auto* list = dialog->findChild<QListWidget*>("FList");
        ASSERT_NE(list, nullptr);
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.front());
    }
    static QStringList Entries(QWidget* dialog)
    {
        QStringList texts;
        if (auto* list = dialog->findChild<QListWidget*>("FList")) {
            for (int i = 0; i < list->count(); ++i) {
                texts << list->item(i)->text();
            }
        }
        return texts;
    }
    static void Click(QWidget* dialog, const char* button)
    {
        auto* found = dialog->findChild<QPushButton*>(button);
        ASSERT_NE(found, nullptr) << button;
        found->click();
    }

    FormShowingUiServices dialogUi;

private:
    std::unique_ptr<QWidget> m_owner;
};

}  // namespace zk::test
