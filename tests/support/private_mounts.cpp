#include "tests/support/private_mounts.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zk::test {

namespace fs = std::filesystem;

std::optional<std::string> OnSecondFileSystem(const fs::path& folder, const std::function<std::string()>& body,
                                              const std::string& options, const std::string& type)
{
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return std::nullopt;
    }
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    const pid_t child = fork();
    if (child == 0) {
        close(pipe[0]);
        const auto say = [&](const std::string& text) {
            (void)!write(pipe[1], text.data(), text.size());
            _exit(0);
        };
        const auto writeFile = [](const char* path, const std::string& text) {
            const int fd = open(path, O_WRONLY);
            const bool done = fd >= 0 && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
            if (fd >= 0) {
                close(fd);
            }
            return done;
        };
        if (uid == 0 ? unshare(CLONE_NEWNS) != 0 : unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            say("unavailable: no namespace");
        }
        if (uid != 0 && !(writeFile("/proc/self/setgroups", "deny") &&
                          writeFile("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1") &&
                          writeFile("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1"))) {
            say("unavailable: no id map");
        }
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("zktest", folder.c_str(), type.c_str(), 0, options.c_str()) != 0) {
            say("unavailable: no " + type);
        }
        say(body());
    }
    close(pipe[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(pipe[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipe[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (text.starts_with("unavailable")) {
        return std::nullopt;
    }
    return text;
}

namespace {

// The calling thread's own mount namespace: unshared once, kept for the
// rest of the thread's life, private so that nothing mounted here leaks
// out. Empty when it is there, else why not.
std::string ThreadMountNamespace()
{
    if (geteuid() != 0) {
        return "only root has a private mount namespace in a process that runs threads";
    }
    static const int unshared = [] {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return errno;
        }
        return 0;
    }();
    if (unshared != 0) {
        return std::string("this system allows no private mount namespace: ") + std::strerror(unshared);
    }
    return {};
}

}  // namespace

ReadOnlyFolder::ReadOnlyFolder(fs::path folder) : m_folder(std::move(folder))
{
    if (geteuid() != 0) {
        std::error_code error;
        m_perms = fs::status(m_folder, error).permissions();
        fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec, error);
        if (error) {
            m_why = "can't change the mode of " + m_folder.string() + ": " + error.message();
        }
        return;
    }
    if (const std::string why = ThreadMountNamespace(); !why.empty()) {
        m_why = "root writes into any folder, and " + why;
        return;
    }
    if (mount(m_folder.c_str(), m_folder.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        m_why = "no bind mount of " + m_folder.string() + ": " + std::strerror(errno);
        return;
    }
    m_mounted = true;
    if (mount(nullptr, m_folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        m_why = "no read-only bind mount of " + m_folder.string() + ": " + std::strerror(errno);
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted) {
        umount2(m_folder.c_str(), MNT_DETACH);
    } else if (geteuid() != 0 && m_why.empty()) {
        std::error_code error;
        fs::permissions(m_folder, m_perms, error);
    }
}

FileModesHeld::FileModesHeld()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) {
        return;
    }
    m_effective[0] = data[0].effective;
    m_effective[1] = data[1].effective;
    for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
        data[capability / 32].effective &= ~(1U << (capability % 32));
    }
    m_held = syscall(SYS_capset, &header, data) == 0;
}

FileModesHeld::~FileModesHeld()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (m_held && syscall(SYS_capget, &header, data) == 0) {
        data[0].effective = m_effective[0];
        data[1].effective = m_effective[1];
        syscall(SYS_capset, &header, data);
    }
}

SecondFileSystem::SecondFileSystem(fs::path folder) : m_folder(std::move(folder))
{
    if (m_why = ThreadMountNamespace(); !m_why.empty()) {
        return;
    }
    if (mount("zktest", m_folder.c_str(), "tmpfs", 0, "mode=0755") != 0) {
        m_why = "no tmpfs on " + m_folder.string() + ": " + std::strerror(errno);
    }
}

SecondFileSystem::~SecondFileSystem()
{
    if (m_why.empty()) {
        umount2(m_folder.c_str(), MNT_DETACH);
    }
}

}  // namespace zk::test
