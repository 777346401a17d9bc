// The main of the test programs without Qt: their tests run in the
// program's private folder (private_test_folder.h).

#include <cstdlib>
#include <gtest/gtest.h>

#include "tests/support/private_test_folder.h"

int main(int argc, char* argv[])
{
    if (!zk::test::EnterPrivateFolder(argv)) {
        return EXIT_FAILURE;
    }
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    zk::test::LeavePrivateFolder();
    return result;
}
