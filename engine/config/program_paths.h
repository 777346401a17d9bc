#pragma once
// The program's directories and fixed file names, the translation files and
// the serial port list.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace zk {

struct TProgramPaths {
    std::string ProgramDir;  // directory of the executable, ending in '/'
    std::string UserDir;     // per-user directory for written files, ending in '/'
    std::string WorkDir;     // last directory used by the file dialogs; the home folder at first
    std::string ConfigFileName;
    std::string HelpFileName;
    std::string PrinterFontFileName;
    std::string TempLabelFileName;
    std::string CommandLineLabel;  // absolute path of a label named on the command line
    std::vector<std::filesystem::path> TranslationFileList;
    std::vector<std::string> SerialPortList;
    std::array<unsigned char, 128> TranslateToOemTable{};
    std::array<unsigned char, 128> TranslateToAnsiTable{};
};

extern TProgramPaths ProgramPaths;

inline constexpr const char* ConfigFileBaseName = "ZOVIDURU.CFG";
// An HTML page, so that the desktop's browser opens it.
inline constexpr const char* HelpFileBaseName = "ZOVIDURU.html";
inline constexpr const char* PrinterFontFileBaseName = "VEZARAZ.EVU";
inline constexpr const char* TempLabelFileBaseName = "ZOVIDURU.$$$";
inline constexpr const char* LabelFileMagic = "ZK7300 FILE";

// Fills ProgramPaths from the command line and the environment.
void InitProgramPaths(int argc, const char* const* argv);

// A work directory that is empty or no longer a folder becomes the user's
// home folder; run after the configuration is read.
void UseExistingWorkDir();

// Creates the per-user directory when it is missing; false when it can't be.
bool EnsureUserDir();

}  // namespace zk
