#include "tests/support/private_test_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zk::test {

namespace {

namespace fs = std::filesystem;

// Names the folder to the program started again in it.
constexpr const char* FolderVariable = "ZK_TEST_FOLDER";

bool Fail(const std::string& what, const std::string& detail)
{
    std::fprintf(stderr, "private test folder: %s: %s\n", what.c_str(), detail.c_str());
    return false;
}

// Every file beside the program, as the tests find them there: the printer
// font file, the help page, the tools some tests run, all hard-linked,
// which costs nothing. A program too large to copy for every test is not
// copied: EXDEV when the folder lies on another file system, 0 when done.
int LinkProgram(const fs::path& self, const fs::path& into)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(self.parent_path(), error)) {
        if (!fs::is_regular_file(entry.status(error))) {
            continue;
        }
        const fs::path target = into / entry.path().filename();
        if (link(entry.path().c_str(), target.c_str()) != 0) {
            const int reason = errno;
            if (reason != EXDEV) {
                Fail("can't link " + entry.path().string(), std::strerror(reason));
            }
            return reason;
        }
    }
    if (error) {
        Fail("can't list " + self.parent_path().string(), error.message());
        return error.value();
    }
    return 0;
}

bool PointEnvironmentInto(const fs::path& folder)
{
    const struct {
        const char* variable;
        const char* place;
    } places[] = {
        {"HOME", ""},
        {"TMPDIR", "tmp"},
        {"XDG_CONFIG_HOME", ".config"},
        {"XDG_DATA_HOME", ".local/share"},
        {"XDG_CACHE_HOME", ".cache"},
        {"XDG_RUNTIME_DIR", "runtime"},
    };
    std::error_code error;
    for (const auto& place : places) {
        const fs::path path = *place.place != '\0' ? folder / place.place : folder;
        fs::create_directories(path, error);
        if (error || setenv(place.variable, path.c_str(), 1) != 0) {
            return Fail("can't make " + path.string(), error.message());
        }
    }
    // Qt wants the runtime directory private; the hand-over socket lives there.
    fs::permissions(folder / "runtime", fs::perms::owner_all, error);
    // No print system unless a test starts its own: the print server's
    // address leads nowhere, and the client configuration (default printer,
    // server name) is an empty folder, so no test reaches the host's printers.
    fs::create_directories(folder / "cups", error);
    if (error || setenv("CUPS_SERVER", (folder / "runtime" / "no-print-server").c_str(), 1) != 0 ||
        setenv("CUPS_SERVERROOT", (folder / "cups").c_str(), 1) != 0) {
        return Fail("can't point the print system into " + folder.string(), error.message());
    }
    unsetenv("PRINTER");
    unsetenv("LPDEST");
    return chdir(folder.c_str()) == 0 || Fail("can't enter " + folder.string(), std::strerror(errno));
}

}  // namespace

bool EnterPrivateFolder(char* argv[])
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return Fail("can't find the program", error.message());
    }
    const char* started = std::getenv(FolderVariable);
    if (started != nullptr && self.parent_path() == fs::path(started) / "program") {
        return PointEnvironmentInto(started);
    }
    // In the temporary directory, or where the build keeps its programs
    // when that lies on another file system.
    const fs::path bases[] = {fs::temp_directory_path(), self.parent_path().parent_path() / "test-folders"};
    fs::path folder;
    for (const fs::path& base : bases) {
        fs::create_directories(base, error);
        std::string pattern = (base / ("zk-" + self.filename().string() + ".XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return Fail("can't make " + pattern, std::strerror(errno));
        }
        const int linked = fs::create_directory(fs::path(pattern) / "program", error)
                               ? LinkProgram(self, fs::path(pattern) / "program")
                               : error.value();
        if (linked == 0) {
            folder = pattern;
            break;
        }
        fs::remove_all(pattern, error);
        if (linked != EXDEV) {
            return false;
        }
    }
    if (folder.empty()) {
        return Fail("can't link " + self.string(), "no folder on its file system");
    }
    const fs::path program = folder / "program" / self.filename();
    setenv(FolderVariable, folder.c_str(), 1);
    execv(program.c_str(), argv);
    const int reason = errno;
    fs::remove_all(folder, error);
    return Fail("can't start " + program.string(), std::strerror(reason));
}

void LeavePrivateFolder()
{
    if (const char* folder = std::getenv(FolderVariable); folder != nullptr) {
        std::error_code error;
        fs::remove_all(folder, error);
    }
}

}  // namespace zk::test
