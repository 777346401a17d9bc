#pragma once
// Base fixture for the figure dialog tests: a fresh engine with the
// program-start templates, the seven dialogs and a count of editor redraws
// (modal_driver.h answers a modal dialog from the event loop).

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "engine/model/figure_list.h"
#include "engine/model/payload_codec.h"
#include "engine/model/templates.h"
#include "engine/render/redraw.h"
#include "tests/support/engine_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/figure_dialog.h"
#include "ui/dialogs/figure_dialogs.h"
#include "ui/editing/editor_state.h"

namespace zk::test {

class FigureDialogTest : public EngineTest {
protected:
    FigureDialogTest() : m_owner(std::make_unique<QWidget>())
    {
        InitDefaultFigures();
        ResetEditorState();
        ResetDialogProtocol();
        InstallFigureDialogs(m_owner.get());
        CanvasRedrawHook = [this] { ++redraws; };
    }
    ~FigureDialogTest() override
    {
        CanvasRedrawHook = nullptr;
        m_owner.reset();
        ResetEditorState();
        ResetDialogProtocol();
    }

    static void SetText(QWidget* dialog, const char* name, const QString& text)
    {
        QLineEdit* edit = dialog->findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->setText(text);
    }
    static QString Text(QWidget* dialog, const char* name)
    {
        QLineEdit* edit = dialog->findChild<QLineEdit*>(name);
        return edit != nullptr ? edit->text() : QString("<no %1>").arg(name);
    }
    static void Choose(QWidget* dialog, const char* name, int index)
    {
        QComboBox* box = dialog->findChild<QComboBox*>(name);
        ASSERT_NE(box, nullptr) << name;
        box->setCurrentIndex(index);
    }
    static int Chosen(QWidget* dialog, const char* name)
    {
        QComboBox* box = dialog->findChild<QComboBox*>(name);
        return box != nullptr ? box->currentIndex() : -2;
    }
    // Bars up to count figures in all.
    static void FillLabel(std::size_t count)
    {
        while (CountFigures() < count) {
            ASSERT_EQ(AppendFigure(TBarFigure{1, 1, 5, 5, 0}), 0);
        }
    }
    // The figure dialog of that objectName.
    static QDialog* DialogNamed(const QString& name)
    {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (widget->objectName() == name) {
                return qobject_cast<QDialog*>(widget);
            }
        }
        return nullptr;
    }
    static void ClickOk(QWidget* dialog) { dialog->findChild<QPushButton*>("OkBt")->click(); }
    static void ClickCancel(QWidget* dialog) { dialog->findChild<QPushButton*>("CanBt")->click(); }

    // The figure's payload as the label file stores it, plus what it points
    // at, so that two states can be compared whole.
    static std::string Snapshot(const TFigure& figure)
    {
        const PayloadBytes bytes = EncodePayload(figure.Payload);
        std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (figure.Is(TFigureKind::Pdf417)) {
            text += "|" + figure.Pdf417().Data;
        }
        if (figure.Is(TFigureKind::Picture)) {
            text += "|" + std::to_string(reinterpret_cast<std::uintptr_t>(figure.Picture().Data.get()));
        }
        return text;
    }

    static TFigure* Add(const TFigurePayload& payload)
    {
        EXPECT_EQ(AppendFigure(payload), 0);
        return FigureList.FigureTail;
    }

    int redraws = 0;

private:
    std::unique_ptr<QWidget> m_owner;
};

}  // namespace zk::test
