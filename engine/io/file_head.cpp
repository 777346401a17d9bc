#include "engine/io/file_head.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace zk {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<TFileHead> ReadFileHead(const std::string& path, std::size_t maxBytes)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    struct stat status {};
    if (!file || fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    TFileHead head;
    const auto size = static_cast<std::uintmax_t>(status.st_size);
    head.Bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(size, maxBytes)));
    head.Bytes.resize(std::fread(head.Bytes.data(), 1, head.Bytes.size(), file.get()));
    // A file that shrank while being read is as long as what came.
    head.FileSize = head.Bytes.size() < std::min<std::uintmax_t>(size, maxBytes) ? head.Bytes.size() : size;
    return head;
}

}  // namespace zk
