#pragma once
// An open file descriptor, closed with its owner.

#include <unistd.h>

#include <utility>

namespace zk {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // Closes now; false when close reported an error (a write it failed to
    // complete).
    bool Close()
    {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || close(fd) == 0;
    }

private:
    int m_fd;
};

}  // namespace zk
