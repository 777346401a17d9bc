#include "tests/support/engine_fixture.h"

#include <cstdlib>
#include <string>

#include "engine/config/configuration.h"
#include "engine/config/program_paths.h"
#include "engine/engine_state.h"

namespace zk::test {

EngineTest::EngineTest()
{
    ResetEngineState();
    // The port list is the one the test set (the printer emulator's), never
    // the machine's: the program's start-up and the settings refill it.
    SerialPortSource = [] { return ProgramPaths.SerialPortList; };
    std::string pattern = (std::filesystem::temp_directory_path() / "zktest.XXXXXX").string();
    m_tempDir = mkdtemp(pattern.data());
    ProgramPaths.ProgramDir = (m_tempDir / "program").string() + "/";
    ProgramPaths.UserDir = (m_tempDir / "user").string() + "/";
    std::filesystem::create_directories(ProgramPaths.ProgramDir);
    ProgramPaths.WorkDir = ProgramPaths.ProgramDir;
    ProgramPaths.ConfigFileName = ProgramPaths.UserDir + ConfigFileBaseName;
    ProgramPaths.TempLabelFileName = ProgramPaths.UserDir + TempLabelFileBaseName;
}

EngineTest::~EngineTest()
{
    ResetEngineState();
    SerialPortSource = nullptr;
    std::error_code error;
    std::filesystem::remove_all(m_tempDir, error);
}

}  // namespace zk::test
