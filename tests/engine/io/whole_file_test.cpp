#include "engine/io/whole_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class WholeFileTest : public test::EngineTest {
protected:
    std::string Write(const std::string& name, std::size_t size) const
    {
        const std::string path = (TempDir() / name).string();
        std::ofstream(path, std::ios::binary) << std::string(size, 'z');
        return path;
    }
};

TEST_F(WholeFileTest, ReadsUpToTheBoundAndRefusesOneByteMore)
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

TEST_F(WholeFileTest, AFileThatCannotBeReadGivesNothing)
{
    std::filesystem::create_directory(TempDir() / "dir");
    std::filesystem::create_symlink("/proc/self/mem", TempDir() / "io-error");
    EXPECT_FALSE(ReadWholeFile((TempDir() / "missing").string(), 100));
    EXPECT_FALSE(ReadWholeFile((TempDir() / "dir").string(), 100));
    EXPECT_FALSE(ReadWholeFile((TempDir() / "io-error").string(), 100));
}

}  // namespace
}  // namespace zk
