#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_set>

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "HeapCounter.h"
#include "SyntheticSource.h"
#include "platform/gui/Application.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Runtime.h"
#include "repair/NamePairs.h"
#include "repair/Readers.h"
#include "repair/RepairRun.h"
#include "repair/TokenRenaming.h"
#include "tests/run/EditorFixtures.h"
#include "tests/support/TempDir.h"
#include "window/FileTypeGroup1.h"
#include "window/Window1.h"

// The whole repair run through the real main window, from the press of
// Repair to the save question, next to the same run without a window (the
// difference is what showing the count costs) and next to the engine's part
// of it: reading the source and renaming.

namespace {

using Clock = std::chrono::steady_clock;
using platform::FolderItem;

// A map file with an entry for every glyph; the glyphs in `renamed` have
// their new names.
std::string MapText(const std::unordered_set<int>& renamed)
{
    std::string text;
    for (int cid = 0; cid < synthetic::kGlyphCount; ++cid) {
        const std::string name = renamed.count(cid) != 0 ? synthetic::RenamedCid(cid) : synthetic::CidName(cid);
        text += std::to_string(cid) + "\t" + name + "\t" + std::to_string(0x4E00 + cid) + "\n";
    }
    return text;
}

// Two editor bundles that differ in `changed` names and a source of
// `megabytes` MB, on disk, and where the result goes.
struct Inputs {
    TempDir dir;
    FolderItem oldApp, newApp, source, output;
    std::size_t sourceBytes;

    Inputs(std::size_t megabytes, int changed)
        : oldApp(dir.Path("Glyphs 3.1.app")), newApp(dir.Path("Glyphs 3.2.app")), source(dir.Path("Font.glyphs")),
          output(dir.Path("Repaired.glyphs")), sourceBytes(synthetic::GlyphsText(megabytes).size())
    {
        std::unordered_set<int> renamed;
        for (int i = 0; i < changed; ++i) renamed.insert(synthetic::ChangedCid(i, changed));
        fixtures::Make(dir, {"Glyphs 3.1.app", std::nullopt, MapText({})});
        fixtures::Make(dir, {"Glyphs 3.2.app", std::nullopt, MapText(renamed)});
        dir.Write("Font.glyphs", synthetic::GlyphsText(megabytes));
    }
};

// The run without a window: the zones as the window would give them, a count
// that goes nowhere, and the save question answered at once.
class HeadlessView final : public repair::RepairView {
public:
    explicit HeadlessView(const Inputs& inputs) : m_inputs(inputs) {}
    std::optional<Clock::time_point> asked;

    std::string OldAppText() const override { return "3.1-3151"; }
    std::string NewAppText() const override { return "3.2-3259"; }
    std::optional<FolderItem> OldApp() const override { return m_inputs.oldApp; }
    std::optional<FolderItem> NewApp() const override { return m_inputs.newApp; }
    std::optional<FolderItem> SourceFile() const override { return m_inputs.source; }
    void ShowProgress(const std::string&, repair::CountDraw) override {}
    std::optional<FolderItem> AskForOutputFile(const std::string&) override
    {
        asked = Clock::now();
        return m_inputs.output;
    }

private:
    const Inputs& m_inputs;
};

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Any message means the run did not do what is measured: the benchmark
// stops instead of timing it.
std::string g_message;

void BM_WindowRun(benchmark::State& state)
{
    const Inputs inputs(static_cast<std::size_t>(state.range(0)), static_cast<int>(state.range(1)));
    class Window1& window = Window1();
    window.AppOLD = inputs.oldApp;
    window.AppNEW = inputs.newApp;
    window.GlyphsFile = inputs.source;
    window.Label1().SetText("3.1-3151");
    window.Label2().SetText("3.2-3259");
    QApplication::processEvents();

    std::optional<Clock::time_point> asked;
    platform::SaveAsDialog::SetResponderForTesting([&](const platform::SaveAsDialog&, platform::Window*) {
        asked = Clock::now();
        return std::optional<FolderItem>(inputs.output);
    });

    const repair::NamePairs pairs = repair::PairNames(repair::ReadMapFile(inputs.oldApp), repair::ReadMapFile(inputs.newApp));

    double readRenameMs = 0, engineMs = 0, windowMs = 0, wholeMs = 0, peakRatio = 0;
    for (auto _ : state) {
        g_message.clear();
        const Clock::time_point readStart = Clock::now();
        {
            const auto renamed = repair::RenameTokens(repair::ReadGlyphsText(inputs.source), pairs, {});
            benchmark::DoNotOptimize(&renamed);
        }
        readRenameMs += Milliseconds(Clock::now() - readStart);

        HeadlessView headless(inputs);
        const Clock::time_point engineStart = Clock::now();
        repair::RunRepair(headless);
        std::filesystem::remove(inputs.output.NativePath());

        asked.reset();
        const std::size_t before = heap::LiveBytes();
        heap::ResetPeak();
        const Clock::time_point pressed = Clock::now();
        window.PushButton1().ButtonWidget()->click();
        const Clock::time_point done = Clock::now();
        const double peak = static_cast<double>(heap::PeakBytes() - before);
        std::filesystem::remove(inputs.output.NativePath());
        QApplication::processEvents();

        if (!asked || !headless.asked || !g_message.empty()) {
            state.SkipWithError(("the run did not reach the save question: " + g_message).c_str());
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(*asked - pressed).count());
        engineMs += Milliseconds(*headless.asked - engineStart);
        windowMs += Milliseconds(*asked - pressed);
        wholeMs += Milliseconds(done - pressed);
        peakRatio = std::max(peakRatio, peak / static_cast<double>(inputs.sourceBytes));
    }
    platform::SaveAsDialog::SetResponderForTesting(nullptr);

    const auto n = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inputs.sourceBytes));
    // Reading the source and renaming it, and the window's time as a
    // multiple of that.
    state.counters["read_rename_ms"] = readRenameMs / n;
    state.counters["x_read_rename"] = windowMs / readRenameMs;
    // The same run without a window, to the save question, and the window's
    // time as a multiple of it.
    state.counters["engine_ms"] = engineMs / n;
    state.counters["x_engine"] = windowMs / engineMs;
    // Repair to the end of the run, the write of the result included.
    state.counters["with_write_ms"] = wholeMs / n;
    // The most memory held during the run through the window, in multiples
    // of the source's size.
    state.counters["peak_x_source"] = peakRatio;
}

// 20 MB and 100 MB sources with as many changed names as a large update
// brings, and an 8 MB source with few and with many changed names.
BENCHMARK(BM_WindowRun)
    ->Args({20, 2000})
    ->Args({100, 10000})
    ->Args({8, 10})
    ->Args({8, 10000})
    ->ArgNames({"MB", "pairs"})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    // Offscreen unless the environment names a platform: on an X server the
    // same program measures what a user's screen costs.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The main window keeps its position in the user's data folder; the
    // benchmark never writes there.
    const TempDir dataHome;
    ::setenv("XDG_DATA_HOME", dataHome.Path().c_str(), 1);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    platform::runtime::Initialize(argc, argv);
    FileTypeGroup1::Initialize();
    platform::Application app;
    platform::RegisterAppObject(&app);
    platform::MessageDialog::SetResponderForTesting([](const platform::MessageDialog& alert, platform::Window*) {
        g_message += alert.Message + "\n";
        return platform::MessageDialog::Pressed::Action;
    });
    platform::SetMsgBoxResponderForTesting([](const std::string& text) { g_message += text + "\n"; });

    const QScreen* screen = QGuiApplication::primaryScreen();
    benchmark::AddCustomContext("qpa", QGuiApplication::platformName().toStdString());
    benchmark::AddCustomContext("refresh_hz", screen != nullptr ? std::to_string(screen->refreshRate()) : "none");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::RegisterAppObject(nullptr);
    return 0;
}
