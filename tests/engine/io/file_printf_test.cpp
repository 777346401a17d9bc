#include "engine/io/file_printf.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class FilePrintfTest : public test::EngineTest {};

TEST_F(FilePrintfTest, FormatsLinesAndCutsThemAt255Characters)
{
    const std::string path = (TempDir() / "out.txt").string();
    {
        AtomicFile file(path);
        EXPECT_EQ(FilePrintf(file, "A%03d,\"%s\"\r\n", 7, "x"), 10);
        EXPECT_EQ(FilePrintf(file, "%s", std::string(300, 'y').c_str()), 255);
        ASSERT_TRUE(file.Commit());
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(text, "A007,\"x\"\r\n" + std::string(255, 'y'));
}

}  // namespace
}  // namespace zk
