#pragma once
// A temporary folder tree for the shell tests, with HOME (and the trash in
// XDG_DATA_HOME) pointed into it so that the desktop's home folder is one
// the test owns. Trees reach the test's folders below "home" through the
// desktop's Home, so nothing outside the test's folder is shown or watched.

#include <QtTest/QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace zk::test {

class TempFolders : public ::testing::Test {
protected:
    // In the constructor, so that the fixture's views, made after it, see
    // the test's own home folder from the start.
    TempFolders()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zkshell.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "can't make " << pattern;
        }
        m_root = pattern;
        const char* home = std::getenv("HOME");
        m_oldHome = home != nullptr ? home : "";
        std::filesystem::create_directory(m_root / "home");
        setenv("HOME", (m_root / "home").c_str(), 1);
        const char* data = std::getenv("XDG_DATA_HOME");
        m_hadDataHome = data != nullptr;
        m_oldDataHome = data != nullptr ? data : "";
        setenv("XDG_DATA_HOME", (m_root / "home" / ".local" / "share").c_str(), 1);
    }
    // After the fixture's views are gone.
    ~TempFolders() override
    {
        setenv("HOME", m_oldHome.c_str(), 1);
        if (m_hadDataHome) {
            setenv("XDG_DATA_HOME", m_oldDataHome.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }

    std::string Path(const std::string& relative) const { return (m_root / relative).string(); }
    void MakeDir(const std::string& relative) const { std::filesystem::create_directories(m_root / relative); }
    void MakeFile(const std::string& relative, const std::string& content = "x") const
    {
        std::ofstream(m_root / relative, std::ios::binary) << content;
    }
    // Lets events run until the condition holds; the bound only keeps a
    // broken build from hanging.
    [[nodiscard]] static bool WaitFor(const std::function<bool()>& condition)
    {
        return QTest::qWaitFor(condition, 5000);
    }

    std::filesystem::path m_root;
    std::string m_oldHome;
    std::string m_oldDataHome;
    bool m_hadDataHome = false;
};

}  // namespace zk::test
