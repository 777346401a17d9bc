// The shell tests share one QApplication, created before any test runs.

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt wants a private runtime directory.
    std::string runtimeDir = (std::filesystem::temp_directory_path() / "zkshell-run.XXXXXX").string();
    const bool haveRuntimeDir = mkdtemp(runtimeDir.data()) != nullptr;
    if (haveRuntimeDir) {
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (haveRuntimeDir) {
        std::error_code error;
        std::filesystem::remove_all(runtimeDir, error);
    }
    return result;
}
