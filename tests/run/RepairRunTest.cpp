#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "repair/RepairRun.h"
#include "tests/run/EditorFixtures.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/InjectedFaults.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempDir.h"

using platform::FolderItem;

namespace {

// Stands in for the window: zone texts and items as a test sets them, and a
// record of every count shown and every name the save dialog suggested.
class FakeWindow final : public repair::RepairView {
public:
    std::string oldText = "Drop Old Glyphs App";
    std::string newText = "Drop New Glyphs App";
    std::optional<FolderItem> oldApp, newApp, source;
    std::optional<FolderItem> saveTo; // the save dialog's answer; nothing cancels
    bool memoryRunsOut = false;       // an allocation fails at the first count after the cleared one

    std::vector<std::string> counts;
    std::vector<std::string> countsAtOnce; // those to be drawn before the run goes on
    std::vector<std::string> suggested;

    std::string OldAppText() const override { return oldText; }
    std::string NewAppText() const override { return newText; }
    std::optional<FolderItem> OldApp() const override { return oldApp; }
    std::optional<FolderItem> NewApp() const override { return newApp; }
    std::optional<FolderItem> SourceFile() const override { return source; }
    void ShowProgress(const std::string& text, repair::CountDraw draw) override
    {
        if (memoryRunsOut && !text.empty()) throw std::bad_alloc();
        counts.push_back(text);
        if (draw == repair::CountDraw::AtOnce) countsAtOnce.push_back(text);
    }
    std::optional<FolderItem> AskForOutputFile(const std::string& suggestedName) override
    {
        suggested.push_back(suggestedName);
        return saveTo;
    }
};

// A folder with two editor bundles and a source file, dropped on a fake
// window; or, made without a repair, a window on which nothing was dropped.
struct Scene {
    TempDir dir;
    FakeWindow view;
    std::string oldApp, newApp, source;

    Scene() = default;
    explicit Scene(const fixtures::Repair& repair)
    {
        oldApp = fixtures::Make(dir, {"Glyphs 3.1.app", fixtures::InfoPlist("3.1", "3151"), repair.oldMap, fixtures::MapPlace::PlugInWithoutHyphen});
        newApp = fixtures::Make(dir, {"Glyphs 3.2.app", fixtures::InfoPlist("3.2", "3259"), repair.newMap, fixtures::MapPlace::Framework});
        source = dir.Write("Font.glyphs", repair.source);
        view.oldText = "3.1-3151";
        view.newText = "3.2-3259";
        view.oldApp = FolderItem(oldApp);
        view.newApp = FolderItem(newApp);
        view.source = FolderItem(source);
    }

    std::string MapOf(const std::string& bundle) const
    {
        const auto place = bundle == oldApp ? fixtures::MapPlace::PlugInWithoutHyphen : fixtures::MapPlace::Framework;
        return bundle + "/" + fixtures::MapFilePath(place);
    }

    // Runs the repair and gives the messages shown, in order.
    std::vector<std::string> Run()
    {
        MessageRecorder messages;
        repair::RunRepair(view);
        return messages.Shown();
    }
};

const std::string kNotFound = "alert: Not found MapFileAdobe-Japan1.txt";
const std::string kErrorAccessing = "alert: Error accessing";

} // namespace

TEST(RepairRun, StopsAtTheFirstRefusalWithItsMessages)
{
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        bool dropped; // the three items were dropped before `change`
        std::function<void(Scene&)> change;
        std::vector<std::string> shown;
    };
    const auto nothing = [](Scene&) {};
    const Case cases[] = {
        {"nothing dropped: the prompts differ", false, nothing, {"alert: Drop the old Glyphs app."}},
        {"the prompts that refused drops leave", false,
         [](Scene& s) { s.view.oldText = "Drop the old Glyphs app."; s.view.newText = "Drop the new Glyphs app."; },
         {"alert: Drop the old Glyphs app."}},
        {"equal versions come before the missing items", false,
         [](Scene& s) { s.view.oldText = s.view.newText = "3.2-3259"; }, {"alert: Both apps are the same version."}},
        {"versions that differ in letter case only", true,
         [](Scene& s) { s.view.oldText = "3.2-a"; s.view.newText = "3.2-A"; }, {"alert: Both apps are the same version."}},
        {"two bundles without Info.plist", true,
         [](Scene& s) { s.view.oldText = s.view.newText = ""; }, {"alert: Both apps are the same version."}},
        {"old bundle removed after its drop", true, [](Scene& s) { fs::remove_all(s.oldApp); }, {"alert: Drop the old Glyphs app."}},
        {"no new bundle", true, [](Scene& s) { s.view.newApp.reset(); }, {"alert: Drop the new Glyphs app."}},
        {"new bundle removed after its drop", true, [](Scene& s) { fs::remove_all(s.newApp); }, {"alert: Drop the new Glyphs app."}},
        {"no source file", true, [](Scene& s) { s.view.source.reset(); }, {"alert: Drop the old Glyphs file."}},
        {"source file removed after its drop", true, [](Scene& s) { fs::remove(s.source); }, {"alert: Drop the old Glyphs file."}},
        {"neither bundle has a map file: both are read", true,
         [](Scene& s) { fs::remove(s.MapOf(s.oldApp)); fs::remove(s.MapOf(s.newApp)); }, {kNotFound, kNotFound}},
        {"old map empty, new map missing: old first", true,
         [](Scene& s) { std::ofstream(s.MapOf(s.oldApp), std::ios::trunc); fs::remove(s.MapOf(s.newApp)); },
         {"alert: There is something wrong with MapFileAdobe-Japan1.txt", kNotFound}},
        {"new map unreadable", true,
         [](Scene& s) { fs::remove(s.MapOf(s.newApp)); fs::create_directory(s.MapOf(s.newApp)); }, {kErrorAccessing}},
        {"a map whose lines give no entry", true,
         [](Scene& s) { std::ofstream(s.MapOf(s.newApp)) << "1\ta\n2\tb\n"; }, {}},
        {"no name changed", true,
         [](Scene& s) { std::ofstream(s.MapOf(s.newApp)) << fixtures::kThreePairs.oldMap; }, {"alert: Both AJ1 Map Files are the same."}},
        {"source of zero bytes", true, [](Scene& s) { std::ofstream(s.source, std::ios::trunc); },
         {"alert: There is something wrong with glyphs file", "alert: The Glyphs file is empty."}},
        {"source of white space only", true, [](Scene& s) { std::ofstream(s.source) << " \r\n\t\n"; },
         {"alert: The Glyphs file is empty."}},
        {"source unreadable", true, [](Scene& s) { fs::remove(s.source); fs::create_directory(s.source); },
         {kErrorAccessing, "alert: The Glyphs file is empty."}},
        {"memory running out", true, [](Scene& s) { s.view.memoryRunsOut = true; },
         {"alert: There is not enough memory to repair this file."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto scene = c.dropped ? std::make_unique<Scene>(fixtures::kThreePairs) : std::make_unique<Scene>();
        c.change(*scene);
        // The messages without their explanations: the file and the reason
        // that the readers add are their tests' to check.
        std::vector<std::string> shown = scene->Run();
        for (std::string& message : shown) message = message.substr(0, message.find('\n'));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(scene->view.counts, std::vector<std::string>{""}); // cleared, then left empty
        EXPECT_TRUE(scene->view.suggested.empty());
    }
}

TEST(RepairRun, CountsEachPairAndSavesUnderTheSuggestedName)
{
    // Two glyphs that trade names, and a name far too long for a pattern.
    const std::string longName = std::string(70000, 'q') + " z";
    const fixtures::Repair swapAndLongName = {
        fixtures::MapText({{"1", "uni4E00"}, {"2", "uni4E01"}, {"3", longName}}),
        fixtures::MapText({{"1", "uni4E01"}, {"2", "uni4E00"}, {"3", "x"}}),
        "glyphname = uni4E00;\nglyphname = uni4E01;\n" + longName + ";",
        "glyphname = uni4E01;\nglyphname = uni4E00;\nx;",
    };
    struct Case {
        const char* what;
        const fixtures::Repair& repair;
        std::vector<std::string> counts;
        std::vector<std::string> atOnce; // the first and the last count never wait for the screen
        std::string newVersion = "3.2-3259";
        std::string suggested = "Repaired_3.2-3259.glyphs";
    };
    const Case cases[] = {
        {"one pair", fixtures::kOnePair, {"", "0/0", "0/0"}, {"", "0/0", "0/0"}},
        {"three pairs", fixtures::kThreePairs, {"", "0/2", "0/2", "1/2", "2/2"}, {"", "0/2", "2/2"}},
        {"a swap and a long name", swapAndLongName, {"", "0/2", "0/2", "1/2", "2/2"}, {"", "0/2", "2/2"}},
        // The suggestion is a file name, never a path into a folder.
        {"a version with a slash", fixtures::kOnePair, {"", "0/0", "0/0"}, {"", "0/0", "0/0"}, "3.2/beta-3342", "Repaired_3.2-beta-3342.glyphs"},
        {"an empty short version, read with its markup", fixtures::kOnePair, {"", "0/0", "0/0"}, {"", "0/0", "0/0"},
         "</string><key>CFBundleVersion</key><string>3342-3342",
         "Repaired_<-string><key>CFBundleVersion<-key><string>3342-3342.glyphs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scene scene(c.repair);
        scene.view.newText = c.newVersion;
        scene.view.saveTo = FolderItem(scene.dir.Path("Repaired.glyphs"));
        EXPECT_EQ(scene.Run(), std::vector<std::string>{}); // success shows nothing
        EXPECT_EQ(scene.view.counts, c.counts);
        EXPECT_EQ(scene.view.countsAtOnce, c.atOnce);
        EXPECT_EQ(scene.view.suggested, std::vector<std::string>{c.suggested});
        EXPECT_EQ(fixtures::Contents(scene.dir.Path("Repaired.glyphs")), c.repair.expected);
    }
}

TEST(RepairRun, EveryRunReadsAfreshAndWritesTheSameBytes)
{
    Scene scene(fixtures::kThreePairs);
    const std::string first = scene.dir.Path("first.glyphs"), second = scene.dir.Write("second.glyphs", "older text, longer than the new one" + std::string(500, '.'));
    for (const std::string& path : {first, second, first}) {
        scene.view.saveTo = FolderItem(path);
        EXPECT_EQ(scene.Run(), std::vector<std::string>{});
    }
    EXPECT_EQ(fixtures::Contents(first), fixtures::kThreePairs.expected);
    EXPECT_EQ(fixtures::Contents(second), fixtures::kThreePairs.expected); // replaced whole, no tail left
    EXPECT_EQ(fixtures::Listing(scene.dir.Path()),
              (std::vector<std::string>{"Font.glyphs", "Glyphs 3.1.app", "Glyphs 3.2.app", "first.glyphs", "second.glyphs"}));

    // The inputs are read again on every press: a changed source gives a changed result.
    std::ofstream(scene.source) << "cid00002";
    scene.view.saveTo = FolderItem(first);
    scene.Run();
    EXPECT_EQ(fixtures::Contents(first), "cid2");
}

TEST(RepairRun, CancelledSaveWritesNothingAndKeepsTheCount)
{
    Scene scene(fixtures::kThreePairs);
    const auto before = fixtures::Listing(scene.dir.Path());
    EXPECT_EQ(scene.Run(), std::vector<std::string>{});
    EXPECT_EQ(scene.view.suggested.size(), 1u);
    EXPECT_EQ(scene.view.counts.back(), "2/2");
    EXPECT_EQ(fixtures::Listing(scene.dir.Path()), before);
}

// A failed write is told, with the file and the system's reason, and leaves
// the chosen place as it was: nothing where there was nothing, an existing
// file byte for byte, and no temporary file beside it. Tests may run as root,
// which writes into read-only folders, so the failures come from a path below
// a regular file, a file-size limit and calls of the C library made to fail.
// A failure after the new text took its place says that it was saved.
TEST(RepairRun, FailedWriteIsReportedAndLeavesTheChosenPlaceAsItWas)
{
    struct Case {
        const char* what;
        std::string target;
        rlim_t sizeLimit;
        std::string reason;
        const char* faults = "";
        std::string alert = "The repaired file could not be saved.";
        bool saved = false;
        std::string left = {}; // a file the save leaves beside the target
    };
    const Case cases[] = {
        {"below a regular file", "note.txt/Repaired.glyphs", RLIM_INFINITY, "Not a directory"},
        {"over an existing file, over the size limit", "note.txt", 64, "File too large"},
        {"over the source file itself, over the size limit", "Font.glyphs", 64, "File too large"},
        {"onto a folder", "Glyphs 3.2.app", RLIM_INFINITY, "Is a directory"},
        // A full disk on a network file system or under a quota often shows
        // only when the text is flushed.
        {"over an existing file, its flush failing", "note.txt", RLIM_INFINITY, "Input/output error", "fsync=EIO"},
        {"only the folder's flush failing", "note.txt", RLIM_INFINITY, "Input/output error", "dirsync=EIO",
         "The repaired file was saved, but it may not be on the disk yet.", true},
        // A file with two names is written into, with a copy of its old text beside it.
        {"over a file with two names, its copy not removed", "linked.txt", RLIM_INFINITY,
         "the copy of its old text, <target>~, could not be removed: Input/output error", "unlink=EIO",
         "The repaired file was saved, but a copy of its old text is left beside it.", true, "linked.txt~"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scene scene(fixtures::kThreePairs);
        scene.dir.Write("note.txt", "the user's own file");
        scene.dir.Write("linked.txt", "the user's own file");
        ASSERT_EQ(::link(scene.dir.Path("linked.txt").c_str(), scene.dir.Path("linked-too.txt").c_str()), 0);
        const std::string target = scene.dir.Path(c.target);
        auto listing = fixtures::Listing(scene.dir.Path());
        if (!c.left.empty()) {
            listing.push_back(c.left);
            std::sort(listing.begin(), listing.end());
        }
        std::string reason = c.reason;
        if (const std::size_t at = reason.find("<target>"); at != std::string::npos) reason.replace(at, 8, target);
        const auto contents = c.saved ? std::optional(fixtures::kThreePairs.expected) : fixtures::Contents(target);
        scene.view.saveTo = FolderItem(target);

        std::vector<std::string> shown;
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit != RLIM_INFINITY) limit.emplace(c.sizeLimit);
            ScopedFaults faults(c.faults);
            shown = scene.Run();
        }
        EXPECT_EQ(shown, std::vector<std::string>{"alert: " + c.alert + "\n" + target + "\n" + reason});
        EXPECT_EQ(fixtures::Contents(target), contents);
        EXPECT_EQ(fixtures::Listing(scene.dir.Path()), listing);
        EXPECT_EQ(scene.view.counts.back(), "2/2");
    }
}
