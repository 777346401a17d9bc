#include "engine/config/program_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "engine/io/file_head.h"
#include "engine/model/label_setup.h"

namespace zk {

TProgramPaths ProgramPaths;

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/') {
        dir.push_back('/');
    }
    return dir;
}

// The executable's directory: the kernel knows it even when argv[0] names
// no directory (a program found through PATH).
std::string ExecutableDir(const char* argv0)
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error && !self.empty()) {
        return WithSlash(self.parent_path().string());
    }
    if (argv0 != nullptr && std::strchr(argv0, '/') != nullptr) {
        return WithSlash(fs::absolute(fs::path(argv0), error).parent_path().string());
    }
    return WithSlash(fs::current_path(error).string());
}

// HOME, else the password database's entry: never a shared folder.
std::string HomeDir()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return WithSlash(home);
    }
    const passwd* entry = getpwuid(getuid());
    return WithSlash(entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/");
}

std::string UserConfigDir()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return WithSlash(std::string(xdg) + "/zkedit");
    }
    return HomeDir() + ".config/zkedit/";
}

// Normal *.trn files of one directory, sorted by name for a stable order.
void AddTranslationFiles(const fs::path& dir, std::vector<fs::path>& found)
{
    std::error_code error;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && name.size() > 4 && name[0] != '.' &&
            name.compare(name.size() - 4, 4, ".trn") == 0) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    found.insert(found.end(), files.begin(), files.end());
}

bool IsLabelFile(const std::string& path)
{
    constexpr std::size_t magicLength = 11;
    const auto head = ReadFileHead(path, magicLength);
    return head && head->Bytes.size() == magicLength &&
           std::memcmp(head->Bytes.data(), LabelFileMagic, magicLength) == 0;
}

}  // namespace

void InitProgramPaths(int argc, const char* const* argv)
{
    ProgramPaths.CommandLineLabel.clear();
    ProgramPaths.ProgramDir = ExecutableDir(argc > 0 ? argv[0] : nullptr);
    ProgramPaths.UserDir = UserConfigDir();
    // The program's folder is an installation folder here: a first-run file
    // dialog must not offer to save the user's labels into it.
    ProgramPaths.WorkDir = HomeDir();
    ProgramPaths.HelpFileName = ProgramPaths.ProgramDir + HelpFileBaseName;
    ProgramPaths.PrinterFontFileName = ProgramPaths.ProgramDir + PrinterFontFileBaseName;
    ProgramPaths.ConfigFileName = ProgramPaths.UserDir + ConfigFileBaseName;
    ProgramPaths.TempLabelFileName = ProgramPaths.UserDir + TempLabelFileBaseName;

    ProgramPaths.TranslationFileList.clear();
    AddTranslationFiles(ProgramPaths.ProgramDir, ProgramPaths.TranslationFileList);
    AddTranslationFiles(ProgramPaths.UserDir, ProgramPaths.TranslationFileList);
    Settings.TranslationCount = 2 + static_cast<std::int32_t>(ProgramPaths.TranslationFileList.size());

    if (argc > 1 && argv[1] != nullptr && IsLabelFile(argv[1])) {
        std::error_code error;
        ProgramPaths.CommandLineLabel = fs::absolute(argv[1], error).string();
    }
}

void UseExistingWorkDir()
{
    std::error_code error;
    if (ProgramPaths.WorkDir.empty() || !fs::is_directory(ProgramPaths.WorkDir, error)) {
        ProgramPaths.WorkDir = HomeDir();
    }
}

bool EnsureUserDir()
{
    std::error_code error;
    fs::create_directories(ProgramPaths.UserDir, error);
    return fs::is_directory(ProgramPaths.UserDir, error);
}

}  // namespace zk
