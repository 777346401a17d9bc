// The editor's entry: engine start-up, then the main window.

#include <QApplication>
#include <QMainWindow>

#include "engine/config/configuration.h"
#include "engine/config/program_paths.h"
#include "engine/config/translation.h"
#include "engine/model/figure_list.h"
#include "engine/model/templates.h"
#include "engine/model/variables.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("VORTAN Label Editor");

    zk::InitProgramPaths(argc, argv);
    zk::LoadConfiguration();
    zk::LoadTranslationTables();
    zk::InitDefaultFigures();
    zk::ClearVarsCounters();
    zk::ResetFigureList();

    QMainWindow window;
    window.setWindowTitle("VORTAN Label Editor");
    window.resize(800, 600);
    window.show();

    const int result = QApplication::exec();
    zk::SaveConfiguration();
    return result;
}
