#include "engine/io/atomic_file.h"

#include <cstdlib>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zk {

AtomicFile::AtomicFile(std::string targetPath) : m_target(std::move(targetPath))
{
    std::vector<char> pattern(m_target.begin(), m_target.end());
    const std::string suffix = ".XXXXXX";
    pattern.insert(pattern.end(), suffix.begin(), suffix.end());
    pattern.push_back('\0');
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return;
    }
    m_tempPath = pattern.data();
    m_file = fdopen(fd, "wb");
    if (m_file == nullptr) {
        close(fd);
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

AtomicFile::~AtomicFile()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
    if (!m_tempPath.empty()) {
        unlink(m_tempPath.c_str());
    }
}

bool AtomicFile::Write(std::span<const unsigned char> bytes)
{
    if (m_file == nullptr || m_failed) {
        return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_failed = true;
    }
    return !m_failed;
}

bool AtomicFile::Write(std::string_view text)
{
    return Write(std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

bool AtomicFile::Commit()
{
    if (m_file == nullptr || m_failed) {
        return false;
    }
    bool ok = std::fflush(m_file) == 0 && fsync(fileno(m_file)) == 0;
    // A new file gets the usual permissions rather than mkstemp's 0600.
    const mode_t mask = umask(0);
    umask(mask);
    ok = ok && fchmod(fileno(m_file), 0666 & ~mask) == 0;
    ok = (std::fclose(m_file) == 0) && ok;
    m_file = nullptr;
    if (!ok || std::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        return false;
    }
    m_tempPath.clear();
    return true;
}

bool WriteFileAtomically(const std::string& path, std::span<const unsigned char> bytes)
{
    AtomicFile file(path);
    return file.Write(bytes) && file.Commit();
}

}  // namespace zk
