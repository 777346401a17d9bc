// One QApplication for all UI tests, off screen.

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zkui.XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);
        }
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
