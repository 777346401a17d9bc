#include "ui/program_main.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <vector>

#include "engine/config/program_paths.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/editor_hooks.h"
#include "ui/main_window.h"
#include "ui/qt_ui_services.h"
#include "ui/single_instance.h"
#include "ui/toolbar.h"

namespace zk {

namespace {

// The absolute path of an existing file named by the argument, else "".
std::string ExistingFileArgument(int argc, char* argv[])
{
    if (argc < 2 || argv[1] == nullptr) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(argv[1], error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    return path.string();
}

// Dialogs and the toolbar are placed relative to the main window; a Wayland
// compositor ignores client positions, so prefer its X11 server when there is one.
void PreferX11Placement()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

int RunEditor(int argc, char* argv[])
{
    THandOverServer server;
    switch (ClaimOrHandOver(server, HandOverServerName(), ExistingFileArgument(argc, argv))) {
    case TStartRole::Editor:
        HandOverServer = &server;
        break;
    case TStartRole::EditorWithoutHandOver:
        // The editor still runs; later starts can't reach it.
        std::fprintf(stderr, "%s: can't take the single-instance socket; later starts open editors of their own\n",
                     argv[0]);
        break;
    case TStartRole::HandedOver:
        return 0;
    case TStartRole::NoAnswer:
        // Another editor runs but doesn't answer (still starting or ending):
        // a second one would break the one-editor rule, so this start ends.
        std::fprintf(stderr, "%s: the running editor doesn't answer\n", argv[0]);
        return 0;
    }
    QtUiServices uiServices;
    SetUiServices(&uiServices);
    InstallFirstRunSettingsDialog();
    const std::vector<std::string> args(argv, argv + argc);
    TZKedit window(args);
    AnchorMessageBoxToMainWindow(uiServices, window);
    // Owned by the main window; its start timer shows it.
    new TZKToolbar(window);
    window.show();
    QApplication::exec();
    HandOverServer = nullptr;
    SetUiServices(nullptr);
    return 0;
}

}  // namespace

int ProgramMain(int argc, char* argv[])
{
    std::optional<QApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        PreferX11Placement();
        application.emplace(argc, argv);
    }
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(QIcon::fromTheme("zkedit"));
    try {
        return RunEditor(argc, argv);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, ApplicationTitle, QString::fromLocal8Bit(error.what()));
    }
    return 0;
}

void AnchorMessageBoxToMainWindow(QtUiServices& services, TZKedit& window)
{
    services.SetAnchorSource([window = QPointer<TZKedit>(&window)]() -> std::optional<TBoxAnchor> {
        if (window.isNull()) {
            return std::nullopt;
        }
        return window->MessageBoxAnchor();
    });
}

void OpenHandedOverLabel(const std::string& path)
{
    CallLoadLabelFile(path);
}

std::string DirectoryPart(const std::string& path)
{
    std::string dir = std::filesystem::path(path).parent_path().string();
    if (dir.empty() || dir.back() != '/') {
        dir.push_back('/');
    }
    return dir;
}

void OnOpenFileMessage(const std::string& path)
{
    OpenHandedOverLabel(path);
    ProgramPaths.WorkDir = DirectoryPart(path);
}

}  // namespace zk
