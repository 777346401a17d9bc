#pragma once
// The main of a Qt test program: one QApplication for all its tests, off
// screen, with a private runtime directory, so that test processes running
// side by side never see each other's sockets.
// Header-only: the including program links Qt.

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace zk::test {

inline int RunQtTests(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string home = (std::filesystem::temp_directory_path() / "zkqt-test.XXXXXX").string();
    const bool haveHome = mkdtemp(home.data()) != nullptr;
    if (haveHome) {
        std::filesystem::create_directory(std::filesystem::path(home) / "runtime");
        // Qt wants the runtime directory private; the hand-over socket lives there too.
        std::filesystem::permissions(std::filesystem::path(home) / "runtime", std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (home + "/runtime").c_str(), 1);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (haveHome) {
        std::error_code error;
        std::filesystem::remove_all(home, error);
    }
    return result;
}

}  // namespace zk::test
