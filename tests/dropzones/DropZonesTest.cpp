#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gui/Application.h"
#include "platform/gui/Dialogs.h"
#include "tests/dropzones/DropDelivery.h"
#include "tests/support/TempDir.h"
#include "window/FileTypeGroup1.h"
#include "window/Window1.h"

namespace {

const std::string kPlist = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                           "\t<key>CFBundleShortVersionString</key>\n\t<string>3.2</string>\n"
                           "\t<key>CFBundleVersion</key>\n\t<string>3259</string>\n</dict>\n</plist>\n";
const char* const kPrompts[] = {"", "Drop the old Glyphs app.", "Drop the new Glyphs app.", "Drop the old Glyphs file."};

// What a zone shows: its item's path, whether an icon is drawn, and its
// label's text, left edge, width, alignment and text size. Only the source
// file's label changes its size; the bundles' labels keep 15 throughout.
using Shown = std::tuple<std::string, bool, std::string, int, int, int, double>;
Shown Filled(int zone, const std::string& path, const std::string& text)
{
    return {path, true, text, 108, 230, 0, zone == 3 ? 0.0 : 15.0};
}
Shown Cleared(int zone) { return {"", false, kPrompts[zone], 32, 306, 1, 15.0}; }

class DropZonesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!FileTypeGroup1::App()) FileTypeGroup1::Initialize();
    }
    void SetUp() override
    {
        platform::MessageDialog::SetResponderForTesting([this](const platform::MessageDialog& alert, platform::Window*) {
            alerts.push_back(alert.Message);
            // The alert must stand over a zone that is already cleared.
            shownAtAlert.push_back({ShownBy(1), ShownBy(2), ShownBy(3)});
            return platform::MessageDialog::Pressed::Action;
        });
        // The window's Open event names its preference file after the application.
        platform::RegisterAppObject(&app);
        OpenFreshWindow();
    }
    void TearDown() override
    {
        platform::MessageDialog::SetResponderForTesting(nullptr);
        platform::RegisterAppObject(nullptr);
    }

    void OpenFreshWindow()
    {
        alerts.clear();
        shownAtAlert.clear();
        window = std::make_unique<class Window1>();
        window->Construct();
    }

    // Places to drop on: over a zone's icon and over the right of its label.
    static QPoint OverIcon(int zone) { return {64, 65 + 102 * (zone - 1) + (zone == 3 ? 24 : 0)}; }
    static QPoint OverLabel(int zone) { return OverIcon(zone) + QPoint(236, 0); }

    Shown ShownBy(int zone) const
    {
        class Window1& w = *window;
        const auto& item = zone == 1 ? w.AppOLD : zone == 2 ? w.AppNEW : w.GlyphsFile;
        platform::Canvas& canvas = zone == 1 ? w.Canvas1() : zone == 2 ? w.Canvas2() : w.Canvas3();
        platform::Label& label = zone == 1 ? w.Label1() : zone == 2 ? w.Label2() : w.Label3();
        return {item ? item->NativePath() : "", canvas.Backdrop() != nullptr, label.Text(),
                label.Left(), label.Width(), label.TextAlign(), label.TextSize()};
    }

    std::string Bundle(const std::string& name, const std::string& plist = kPlist)
    {
        if (plist.empty()) return dir.MakeFolder(name);
        dir.Write(name + "/Contents/Info.plist", plist);
        return dir.Path(name);
    }

    TempDir dir;
    platform::Application app;
    std::unique_ptr<class Window1> window;
    std::vector<std::string> alerts;
    std::vector<std::array<Shown, 3>> shownAtAlert;
};

TEST_F(DropZonesTest, NameTestsDecideWhatEachZoneTakes)
{
    struct Case { int zone; const char* name; bool accepted; };
    const Case cases[] = {
        {1, "Glyphs.app", true},
        {2, "Glyphs 3.2 (3259).app", true},
        {1, "glyphs 3.APP", true},     // the plain equality ignores ASCII case
        {2, "My Glyphs 3.app", false}, // text before "Glyphs"
        {1, "Glyphs 3", false},        // no ".app"
        {2, "Glyphs", false},
        {1, "Glyp", false},            // shorter than "Glyphs"
        {2, ".app", false},
        {3, "Font.glyphs", true},
        {3, ".glyphs", true},          // the whole name is the extension
        {3, "Font.glyphs.bak", false},
        {3, "glyphs", false},          // shorter than ".glyphs"
        {3, "Glyphs 3.app", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenFreshWindow();
        const std::string path = c.zone == 3 ? dir.Write(c.name, "{}") : Bundle(c.name);
        DropFilesAt(*window, OverIcon(c.zone), {path});
        EXPECT_EQ(ShownBy(c.zone), c.accepted ? Filled(c.zone, path, c.zone == 3 ? c.name : "3.2-3259") : Cleared(c.zone));
        const std::string alert = c.zone == 3 ? "Not a Glyphs file." : "Not a Glyphs app.";
        EXPECT_EQ(alerts, c.accepted ? std::vector<std::string>{} : std::vector<std::string>{alert});
        if (!c.accepted && !shownAtAlert.empty()) {
            EXPECT_EQ(shownAtAlert[0][static_cast<std::size_t>(c.zone - 1)], Cleared(c.zone));
        }
    }
}

TEST_F(DropZonesTest, EveryDropClearsFirstAndOnlyTheFirstItemCounts)
{
    const std::string good = Bundle("Glyphs 3.app"), other = Bundle("Glyphs 2.app"), bad = Bundle("Font.app");
    QMimeData noFile;
    noFile.setText(QStringLiteral("just text"));

    struct Step { std::vector<std::string> files; std::string kept; std::size_t alerts; };
    const Step steps[] = {
        {{good}, good, 0},
        {{}, "", 0},             // a drag without a file empties the zone silently
        {{other, good}, other, 0}, // several items: the first decides
        {{bad, good}, "", 1},
        {{good}, good, 1},
    };
    for (const Step& step : steps) {
        step.files.empty() ? DropAt(*window, OverLabel(1), noFile) : DropFilesAt(*window, OverLabel(1), step.files);
        EXPECT_EQ(ShownBy(1), step.kept.empty() ? Cleared(1) : Filled(1, step.kept, "3.2-3259"));
        EXPECT_EQ(alerts.size(), step.alerts);
    }
    EXPECT_EQ(window->Label2().Text(), "Drop New Glyphs App"); // the other zones took no part
    EXPECT_EQ(window->Label3().Text(), "Drop Old Glyphs File");
}

TEST_F(DropZonesTest, SourceFileZoneSwitchesTextSizeAndDrawsOnlyCanvas3)
{
    const std::string font = dir.Write("Font.glyphs", "{}"), wrong = dir.Write("Font.txt", "");
    struct Step { std::string file; QPoint at; double textSize; };
    const Step steps[] = {
        {font, OverIcon(3), 0.0},
        {wrong, OverLabel(3), 15.0},
        {font, OverLabel(3), 0.0},
        {font, OverIcon(3), 0.0}, // over the icon now shown, which lets the drop through
    };
    EXPECT_EQ(window->Label3().TextSize(), 15.0);
    for (const Step& step : steps) {
        DropFilesAt(*window, step.at, {step.file});
        EXPECT_EQ(window->Label3().TextSize(), step.textSize);
        EXPECT_EQ(window->Canvas3().Backdrop() != nullptr, step.file == font);
        EXPECT_EQ(window->Canvas4().Backdrop(), nullptr);
    }
}

TEST_F(DropZonesTest, AcceptedBundleKeepsItsExactPathAndShowsItsVersionText)
{
    struct Case { const char* name; std::string plist; const char* text; };
    const Case cases[] = {
        {"Glyphs A.app", "", ""}, // no Info.plist: an empty label, yet the bundle is taken
        {"Glyphs B.app", "<plist><dict><key>CFBundleName</key><string>G</string></dict></plist>", "-"},
        {"Glyphs \xFF.app", kPlist, "3.2-3259"}, // a byte that is not UTF-8 survives the drag
    };
    for (const Case& c : cases) {
        const std::string path = Bundle(c.name, c.plist);
        DropFilesAt(*window, OverIcon(2), {path});
        EXPECT_EQ(ShownBy(2), Filled(2, path, c.text));
    }
}

TEST_F(DropZonesTest, SourceIsNeverToldToMoveTheFile)
{
    const std::string path = Bundle("Glyphs 3.app");
    struct Case { Qt::DropActions offered; Qt::DropAction answered; };
    const Case cases[] = {
        {Qt::CopyAction | Qt::MoveAction, Qt::CopyAction},
        {Qt::MoveAction | Qt::LinkAction, Qt::LinkAction},
        {Qt::MoveAction, Qt::IgnoreAction},
    };
    for (const Case& c : cases) {
        window->AppOLD.reset();
        EXPECT_EQ(DropFilesAt(*window, OverIcon(1), {path}, c.offered), c.answered);
        EXPECT_TRUE(window->AppOLD.has_value()); // the zone took the drop all the same
    }
}

} // namespace
