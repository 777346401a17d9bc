#pragma once
// The main of a Qt test program: one QApplication for all its tests, off
// screen, in the program's private folder (private_test_folder.h), so that
// test processes running side by side never see each other's files,
// folders or sockets. Answers a test armed for windows end with that test
// (armed_answers.h).
// Header-only: the including program links Qt.

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <gtest/gtest.h>

#include "tests/support/armed_answers.h"
#include "tests/support/private_test_folder.h"

namespace zk::test {

inline int RunQtTests(int argc, char* argv[])
{
    if (!EnterPrivateFolder(argv)) {
        return EXIT_FAILURE;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int result = EXIT_FAILURE;
    {
        QApplication application(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        ::testing::UnitTest::GetInstance()->listeners().Append(
            std::make_unique<EndArmedAnswersWithTheirTest>().release());
        result = RUN_ALL_TESTS();
    }
    LeavePrivateFolder();
    return result;
}

}  // namespace zk::test
