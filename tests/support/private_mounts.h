#pragma once
// File systems that refuse what a test asks of them, even when the tests
// run as root (who may write into any folder whatever its mode): mounts in
// a private mount namespace that no other process sees.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zk::test {

// Runs body in a child process with a private mount namespace in which a
// fresh file system (a tmpfs unless told otherwise, mounted with options:
// a size=, an nr_inodes= make a full one) is mounted on folder: a second
// file system that no one else sees and that goes away with the child.
// Returns what body returned, or nullopt when this system allows no such
// namespace. The child must not use Qt or threads of the parent: it runs
// only body.
std::optional<std::string> OnSecondFileSystem(const std::filesystem::path& folder,
                                              const std::function<std::string()>& body,
                                              const std::string& options = "mode=0755",
                                              const std::string& type = "tmpfs");

// Makes a folder unwritable for this process while it lives: for a user
// by its mode; for root by a read-only bind mount of it in a private mount
// namespace of the calling thread (the process's other threads keep the
// shared one). Why() says why it could not be done; the folder is then as
// it was.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Made() const { return m_why.empty(); }
    const std::string& Why() const { return m_why; }

private:
    std::filesystem::path m_folder;
    std::string m_why;
    bool m_mounted = false;
    std::filesystem::perms m_perms{};
};

// Root reads and changes any file whatever its mode: while this lives, the
// calling thread is held to the modes as any user is (root's capabilities
// that override them are off; others have none to drop). Held() is false
// when that could not be done.
class FileModesHeld {
public:
    FileModesHeld();
    ~FileModesHeld();
    FileModesHeld(const FileModesHeld&) = delete;
    FileModesHeld& operator=(const FileModesHeld&) = delete;
    bool Held() const { return m_held; }

private:
    std::uint32_t m_effective[2]{};
    bool m_held = false;
};

// A fresh tmpfs on folder while it lives: a second file system for the
// calling thread only (its private mount namespace, as for ReadOnlyFolder),
// which only root can have in a process that runs threads. Why() says why
// it could not be made; the folder is then as it was.
class SecondFileSystem {
public:
    explicit SecondFileSystem(std::filesystem::path folder);
    ~SecondFileSystem();
    SecondFileSystem(const SecondFileSystem&) = delete;
    SecondFileSystem& operator=(const SecondFileSystem&) = delete;

    bool Made() const { return m_why.empty(); }
    const std::string& Why() const { return m_why; }

private:
    std::filesystem::path m_folder;
    std::string m_why;
};

}  // namespace zk::test
