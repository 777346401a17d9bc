#pragma once
// A busy folder: a thread of its own makes and removes a subfolder in it
// over and over, a few hundred changes a second, until it is destroyed.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <thread>

namespace zk::test {

class FolderChurn {
public:
    explicit FolderChurn(std::filesystem::path folder);
    ~FolderChurn();
    FolderChurn(const FolderChurn&) = delete;
    FolderChurn& operator=(const FolderChurn&) = delete;

    // Changes made so far (each creation and each removal counts).
    std::size_t Changes() const { return m_changes.load(); }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<std::size_t> m_changes{0};
    std::thread m_thread;
};

}  // namespace zk::test
