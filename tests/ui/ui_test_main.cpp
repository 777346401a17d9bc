// The UI tests share one QApplication, created before any test runs.

#include "tests/support/qt_test_main.h"

int main(int argc, char* argv[]) { return zk::test::RunQtTests(argc, argv); }
