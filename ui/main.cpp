// The editor's entry: engine start-up, then the main window.

#include <QApplication>
#include <QMainWindow>

#include "engine/config/configuration.h"
#include "engine/config/program_paths.h"
#include "engine/config/translation.h"
#include "engine/link/serial_link.h"
#include "engine/model/figure_list.h"
#include "engine/model/templates.h"
#include "engine/model/variables.h"
#include "ui/qt_ui_services.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("VORTAN Label Editor");
    zk::QtUiServices uiServices;
    zk::SetUiServices(&uiServices);

    zk::InitProgramPaths(argc, argv);
    zk::LoadConfiguration();
    zk::LoadTranslationTables();
    zk::InitDefaultFigures();
    zk::ClearVarsCounters();
    zk::ResetFigureList();

    QMainWindow window;
    window.setWindowTitle("VORTAN Label Editor");
    window.resize(800, 600);
    uiServices.SetAnchorSource(zk::AnchorToWindow(&window));
    window.show();

    const int result = QApplication::exec();
    zk::ClosePort();
    zk::SaveConfiguration();
    return result;
}
