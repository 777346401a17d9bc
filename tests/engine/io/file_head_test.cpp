#include "engine/io/file_head.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/engine_fixture.h"
#include "tests/support/named_pipe.h"

namespace zk {
namespace {

class FileHeadTest : public test::EngineTest {
protected:
    std::string Write(const std::string& name, std::size_t size) const
    {
        const std::string path = (TempDir() / name).string();
        std::ofstream(path, std::ios::binary) << std::string(size, 'z');
        return path;
    }
};

TEST_F(FileHeadTest, ReadsUpToTheBoundAndRefusesOneByteMore)
{
    // Sizes around the read chunk as well as around the bound.
    constexpr std::size_t bound = 64 * 1024 + 3;
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{64 * 1024}, bound}) {
        const auto bytes = ReadWholeFile(Write("f" + std::to_string(size), size), bound);
        ASSERT_TRUE(bytes) << size;
        EXPECT_EQ(bytes->size(), size);
    }
    EXPECT_FALSE(ReadWholeFile(Write("over", bound + 1), bound));
}

TEST_F(FileHeadTest, AHeadStopsAtTheBoundAndKnowsTheWholeSize)
{
    const std::string path = Write("f", 100);
    for (const std::size_t bound : {std::size_t{0}, std::size_t{10}, std::size_t{100}, std::size_t{1000}}) {
        const auto head = ReadFileHead(path, bound);
        ASSERT_TRUE(head) << bound;
        EXPECT_EQ(head->Bytes, std::vector<std::uint8_t>(std::min<std::size_t>(bound, 100), 'z'));
        EXPECT_EQ(head->FileSize, 100u);
    }
}

// A directory is no regular file; reads of the process's own memory file at
// address 0 fail with a real I/O error, in a file that reports no size.
TEST_F(FileHeadTest, AFileThatCannotBeReadGivesNothing)
{
    std::filesystem::create_directory(TempDir() / "dir");
    std::filesystem::create_symlink("/proc/self/mem", TempDir() / "io-error");
    for (const char* name : {"missing", "dir", "io-error"}) {
        const std::string path = (TempDir() / name).string();
        EXPECT_FALSE(ReadWholeFile(path, 100)) << name;
        EXPECT_FALSE(ReadFileHead(path, 100)) << name;
    }
}

// A named pipe in place of a file gives nothing, at once.
TEST_F(FileHeadTest, ANamedPipeGivesNothing)
{
    const auto read = test::ReadUnwrittenPipe((TempDir() / "pipe").string(), [](const std::string& path) {
        return ReadFileHead(path, 100).has_value();
    });
    EXPECT_TRUE(read.Returned);
    EXPECT_FALSE(read.Result);
}

}  // namespace
}  // namespace zk
