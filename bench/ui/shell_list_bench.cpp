// The shell list over a folder of 5000 label files: a full Refresh, and the
// SmartRefresh that follows one file added, one removed and one renamed
// outside the program, in the report style (style/0, all columns) and the
// list style of the open-label browser (style/1). Each pass ends with the
// list drawn, so the texts of the rows on screen count.
// Goal: each at most 30 ms.

#include <benchmark/benchmark.h>


#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/shell_list.h"

namespace {

namespace fs = std::filesystem;

constexpr int FileCount = 5000;

// A private folder of FileCount small files, removed at the end.
class TLargeFolder {
public:
    TLargeFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "zkshellbench.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_path = pattern;
        for (int i = 0; i < FileCount; ++i) {
            std::ofstream(File("label" + std::to_string(i) + ".zlb")) << std::string(static_cast<std::size_t>(i % 4000), 'x');
        }
    }
    ~TLargeFolder()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    std::string Path() const { return m_path.string(); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

TLargeFolder& Folder()
{
    static TLargeFolder folder;
    return folder;
}

// A shown list on the folder in a view style, drawn once.
class TShownList {
public:
    explicit TShownList(const benchmark::State& state)
    {
        list.SetViewStyle(state.range(0) == 0 ? zk::TViewStyle::vsReport : zk::TViewStyle::vsList);
        list.resize(640, 480);
        list.show();
        list.SetPath(Folder().Path());
        Draw();
    }
    void Draw() { benchmark::DoNotOptimize(list.grab()); }

    zk::TQorShellList list;
};

void BM_FullRefresh(benchmark::State& state)
{
    TShownList shown(state);
    for (auto _ : state) {
        shown.list.Refresh();
        shown.Draw();
    }
    state.counters["items"] = shown.list.ItemCount();
}
BENCHMARK(BM_FullRefresh)->ArgName("style")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Times the SmartRefresh after change; undo puts the folder back untimed.
template <class Change, class Undo>
void SmartRefreshAfter(benchmark::State& state, Change change, Undo undo)
{
    TShownList shown(state);
    for (auto _ : state) {
        state.PauseTiming();
        change();
        state.ResumeTiming();
        shown.list.SmartRefresh();
        shown.Draw();
        state.PauseTiming();
        undo();
        shown.list.SmartRefresh();
        state.ResumeTiming();
    }
    state.counters["items"] = shown.list.ItemCount();
}

void BM_SmartRefreshOneAdded(benchmark::State& state)
{
    const std::string added = Folder().File("added.zlb");
    SmartRefreshAfter(
        state, [&] { std::ofstream(added) << "x"; }, [&] { fs::remove(added); });
}
BENCHMARK(BM_SmartRefreshOneAdded)->ArgName("style")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SmartRefreshOneRemoved(benchmark::State& state)
{
    const std::string removed = Folder().File("label2500.zlb");
    SmartRefreshAfter(
        state, [&] { fs::remove(removed); }, [&] { std::ofstream(removed) << "x"; });
}
BENCHMARK(BM_SmartRefreshOneRemoved)->ArgName("style")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SmartRefreshOneRenamed(benchmark::State& state)
{
    const std::string from = Folder().File("label2500.zlb");
    const std::string to = Folder().File("renamed.zlb");
    SmartRefreshAfter(
        state, [&] { fs::rename(from, to); }, [&] { fs::rename(to, from); });
}
BENCHMARK(BM_SmartRefreshOneRenamed)->ArgName("style")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
