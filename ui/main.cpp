// The editor's process entry.

#include "ui/program_main.h"

int main(int argc, char* argv[])
{
    return zk::ProgramMain(argc, argv);
}
