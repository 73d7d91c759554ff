#include <benchmark/benchmark.h>

#include <string>

#include "HeapCounter.h"
#include "SyntheticSource.h"
#include "repair/Readers.h"
#include "repair/TokenRenaming.h"

namespace {

using synthetic::CidName;
using synthetic::GlyphsText;

// `count` changed names spread over the glyph set.
repair::NamePairs ChangedPairs(int count)
{
    repair::NamePairs pairs;
    for (int i = 0; i < count; ++i) {
        const int cid = synthetic::ChangedCid(i, count);
        pairs.OldNames.push_back(CidName(cid));
        pairs.NewNames.push_back(synthetic::RenamedCid(cid));
    }
    return pairs;
}

void BM_Rename(benchmark::State& state)
{
    const std::string& source = GlyphsText(static_cast<std::size_t>(state.range(0)));
    const repair::NamePairs pairs = ChangedPairs(static_cast<int>(state.range(1)));
    double peakRatio = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t before = heap::LiveBytes();
        std::string text = source;
        heap::ResetPeak();
        state.ResumeTiming();

        std::string result = repair::RenameTokens(std::move(text), pairs, {});
        benchmark::DoNotOptimize(result.data());

        state.PauseTiming();
        peakRatio = static_cast<double>(heap::PeakBytes() - before) / static_cast<double>(source.size());
        result = std::string();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size()));
    // The most memory held during one call, the source text included, in
    // multiples of the source's size.
    state.counters["peak_x_source"] = peakRatio;
}

BENCHMARK(BM_Rename)->ArgsProduct({{1, 10, 100}, {10, 1000, 10000}})->ArgNames({"MB", "pairs"})->Unit(benchmark::kMillisecond)->UseRealTime();

std::string MapText(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += std::to_string(i) + "\t" + (i % 3 == 0 ? "uni" + std::to_string(0x4E00 + i) : CidName(i)) + "\t" + std::to_string(0x3000 + i) + "\n";
    }
    return text;
}

void BM_ParseMap(benchmark::State& state)
{
    const std::string text = MapText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        repair::NameMap map = repair::ParseMapText(text);
        benchmark::DoNotOptimize(map.KeyCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(BM_ParseMap)->Arg(25000)->ArgName("lines")->Unit(benchmark::kMillisecond);

// A crafted property list: a key and an opening string element again and
// again, never closed, the worst case of the version's lazy search.
void BM_ParseUnclosedVersion(benchmark::State& state)
{
    std::string plist;
    while (plist.size() < static_cast<std::size_t>(state.range(0)) * 1024) plist += "<key>CFBundleVersion</key><string>";
    for (auto _ : state) benchmark::DoNotOptimize(repair::ParseAppVersion(plist));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plist.size()));
}

BENCHMARK(BM_ParseUnclosedVersion)->Arg(64)->Arg(4096)->ArgName("KB")->Unit(benchmark::kMillisecond);

} // namespace
