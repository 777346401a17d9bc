// The tests that only a real X server shows: how windows stack and take
// the focus without a window manager. run_under_xvfb.sh provides the server.

#include <cstdlib>

#include "tests/support/qt_test_main.h"

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    return zk::test::RunQtTests(argc, argv);
}
