#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QObject>
#include <QPushButton>

#include "platform/gui/Dialogs.h"
#include "platform/gui/FileType.h"
#include "platform/gui/PacedRepaint.h"
#include "tests/dropzones/DropDelivery.h"
#include "tests/run/EditorFixtures.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

// Records what a widget shows each time it is painted: a label's text, ""
// for any other widget.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintedTexts() override { m_widget->removeEventFilter(this); }
    std::vector<std::string> texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_widget || event->type() != QEvent::Paint) return false;
        const auto* label = qobject_cast<QLabel*>(m_widget);
        texts.push_back(label != nullptr ? label->text().toStdString() : std::string());
        return false;
    }

private:
    QWidget* m_widget;
};

// Centres of the three zones in the window's content area.
const QPoint kZones[] = {{185, 65}, {185, 167}, {185, 293}};

// `count` pairs: "a<i>" becomes "b<i>", in a source that names each once.
fixtures::Repair ManyPairs(int count)
{
    std::vector<std::pair<std::string, std::string>> oldNames, newNames;
    std::string source, expected;
    for (int i = 0; i < count; ++i) {
        const std::string key = std::to_string(i), separator = i == 0 ? "" : " ";
        oldNames.emplace_back(key, "a" + key);
        newNames.emplace_back(key, "b" + key);
        source += separator + "a" + key;
        expected += separator + "b" + key;
    }
    return {fixtures::MapText(oldNames), fixtures::MapText(newNames), source, expected};
}

} // namespace

// The main window runs the repair: the user's dialogs answer through their
// test seams, the engine's messages reach them through the window's sink.
class Window1RunTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        MessageDialog::SetResponderForTesting([this](const MessageDialog& alert, Window* parent) {
            shown.push_back("alert: " + alert.Message + (alert.Explanation.empty() ? "" : "\n" + alert.Explanation));
            EXPECT_EQ(parent, nullptr);
            return MessageDialog::Pressed::Action;
        });
        SetMsgBoxResponderForTesting([this](const std::string& text) { shown.push_back("box: " + text); });
        SaveAsDialog::SetResponderForTesting([this](const SaveAsDialog& dialog, Window* parent) {
            saveDialogs.push_back(dialog);
            EXPECT_EQ(parent, nullptr);
            if (painted != nullptr) paintedAtSave = painted->texts;
            return saveTo;
        });
        PacedRepaint::SetClockForTesting([this] { return now += clockStep; });
    }

    void TearDown() override
    {
        MessageDialog::SetResponderForTesting(nullptr);
        SetMsgBoxResponderForTesting(nullptr);
        SaveAsDialog::SetResponderForTesting(nullptr);
        PacedRepaint::SetClockForTesting(nullptr);
        MainWindowFixture::TearDown();
    }

    // Bundles and a source file on disk, put on the zones as accepted drops
    // leave them.
    void Fill(const fixtures::Repair& repair)
    {
        window->AppOLD = FolderItem(fixtures::Make(dir, {"Glyphs 3.1.app", std::nullopt, repair.oldMap}));
        window->AppNEW = FolderItem(fixtures::Make(dir, {"Glyphs 3.2.app", std::nullopt, repair.newMap}));
        window->GlyphsFile = FolderItem(dir.Write("Font.glyphs", repair.source));
        window->Label1().SetText("3.1-3151");
        window->Label2().SetText("3.2-3259");
    }

    void PressRepair() { window->PushButton1().ButtonWidget()->click(); }

    TempDir dir;
    std::vector<std::string> shown;
    std::vector<SaveAsDialog> saveDialogs;
    std::optional<FolderItem> saveTo;

    // The count's pace reads this clock, which moves by `clockStep` at each
    // reading: standing still, every run is faster than a screen.
    PacedRepaint::Clock::time_point now;
    PacedRepaint::Clock::duration clockStep{};

    // Records the count's paints while set; what it held when the save
    // question came.
    PaintedTexts* painted = nullptr;
    std::vector<std::string> paintedAtSave;
};

TEST_F(Window1RunTest, RepairsWhatWasDroppedAndSavesWhereTheUserChooses)
{
    using fixtures::MapPlace;
    const std::string oldApp = fixtures::Make(dir, {"Glyphs 3.1.app", fixtures::InfoPlist("3.1", "3151", "    "),
                                                    fixtures::kThreePairs.oldMap, MapPlace::PlugInWithoutHyphen});
    const std::string newApp = fixtures::Make(dir, {"Glyphs 3.2.app", fixtures::InfoPlist("3.2", "3259", "\t"),
                                                    fixtures::kThreePairs.newMap, MapPlace::PlugIn});
    const std::string source = dir.Write("Font.glyphs", fixtures::kThreePairs.source);
    DropFilesAt(*window, kZones[0], {oldApp});
    DropFilesAt(*window, kZones[1], {newApp});
    DropFilesAt(*window, kZones[2], {source});
    ASSERT_EQ(window->Label2().Text(), "3.2-3259");

    for (const char* name : {"Repaired.glyphs", "Again.glyphs"}) {
        saveTo = FolderItem(dir.Path(name));
        PressRepair();
        EXPECT_EQ(fixtures::Contents(dir.Path(name)), fixtures::kThreePairs.expected) << name;
    }
    EXPECT_EQ(shown, std::vector<std::string>{});
    ASSERT_EQ(saveDialogs.size(), 2u);
    const SaveAsDialog& asked = saveDialogs[0];
    EXPECT_EQ(asked.SuggestedFileName, "Repaired_3.2-3259.glyphs");
    EXPECT_FALSE(asked.InitialDirectory);
    const FileType* type = FindRegisteredFileType(asked.Filter);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->ExtensionList(), std::vector<std::string>{"glyphs"});
    // The run only reads the zones.
    EXPECT_EQ(window->AppOLD, FolderItem(oldApp));
    EXPECT_EQ(window->Label1().Text(), "3.1-3151");
}

// The run keeps the main thread until it ends, so the count is seen only
// because it is repainted at once: the first and the last count always, and
// those between as often as a screen shows them, never once per pair.
TEST_F(Window1RunTest, CountIsPaintedAtThePaceOfTheScreen)
{
    const fixtures::Repair thousand = ManyPairs(1000);
    struct Case {
        const char* what;
        const fixtures::Repair& repair;
        std::string last;      // the last index
        double framesPerCount; // how far the clock moves from one count to the next
        std::size_t fewestPaints, mostPaints; // the cleared label included
    };
    const Case cases[] = {
        {"one pair", fixtures::kOnePair, "0", 0, 2, 2},
        {"three pairs within a frame", fixtures::kThreePairs, "2", 0, 3, 3},
        {"three pairs, a frame each", fixtures::kThreePairs, "2", 1, 4, 4},
        {"a thousand pairs within a frame", thousand, "999", 0, 3, 3},
        {"a thousand pairs, an eighth of a frame each", thousand, "999", 0.125, 1000 / 16, 1000 / 4},
        {"a thousand pairs, a frame each", thousand, "999", 1, 1001, 1001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir scratch;
        Fill(c.repair);
        saveTo = FolderItem(scratch.Path("out.glyphs"));
        const auto frame = PacedRepaint(window->LabelCount()).FrameInterval();
        clockStep = std::chrono::duration_cast<PacedRepaint::Clock::duration>(frame * c.framesPerCount);
        window->LabelCount().SetText("9/9"); // what an earlier run left
        QApplication::processEvents();        // the window is shown and painted
        PaintedTexts recorder(window->LabelCount().LabelWidget());
        PaintedTexts button(window->PushButton1().Widget());
        painted = &recorder;
        PressRepair();
        painted = nullptr;

        EXPECT_EQ(paintedAtSave, recorder.texts); // every paint came before the save question
        ASSERT_GE(recorder.texts.size(), 2u);
        EXPECT_EQ(recorder.texts[0], "");
        EXPECT_EQ(recorder.texts[1], "0/" + c.last);
        EXPECT_EQ(recorder.texts.back(), c.last + "/" + c.last);
        EXPECT_GE(recorder.texts.size(), c.fewestPaints);
        EXPECT_LE(recorder.texts.size(), c.mostPaints);
        EXPECT_TRUE(button.texts.empty()); // the count's paints leave the rest of the window alone
        EXPECT_EQ(fixtures::Contents(scratch.Path("out.glyphs")), c.repair.expected);
    }
}

TEST_F(Window1RunTest, EndsOfTheRunAsTheUserSeesThem)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::vector<std::string> shown;
        std::size_t saveDialogs;
        std::string count;
    };
    // First, while the zone labels still show their initial prompts.
    const Case cases[] = {
        {"nothing dropped", [] {}, {"alert: Drop the old Glyphs app."}, 0, ""},
        {"two bundles without a map file",
         [this] {
             Fill(fixtures::kOnePair);
             window->AppOLD = FolderItem(fixtures::Make(dir, {"Glyphs 1.app", std::nullopt, std::nullopt}));
             window->AppNEW = FolderItem(fixtures::Make(dir, {"Glyphs 2.app", std::nullopt, std::nullopt}));
         },
         {"alert: Not found MapFileAdobe-Japan1.txt", "alert: Not found MapFileAdobe-Japan1.txt"}, 0, ""},
        {"save cancelled", [this] { Fill(fixtures::kOnePair); }, {}, 1, "0/0"},
        {"a write that fails",
         [this] {
             Fill(fixtures::kOnePair);
             saveTo = FolderItem(dir.Path("Font.glyphs/Repaired.glyphs"));
         },
         {"alert: The repaired file could not be saved.\n" + dir.Path("Font.glyphs/Repaired.glyphs") + "\nNot a directory"}, 1, "0/0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shown.clear();
        saveDialogs.clear();
        saveTo.reset();
        window->AppOLD.reset();
        window->AppNEW.reset();
        window->GlyphsFile.reset();
        c.arrange();
        QApplication::processEvents();
        PaintedTexts recorder(window->LabelCount().LabelWidget());
        const std::vector<std::string> filesBefore = fixtures::Listing(dir.Path());
        PressRepair();
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(saveDialogs.size(), c.saveDialogs);
        EXPECT_EQ(window->LabelCount().Text(), c.count);
        EXPECT_EQ(recorder.texts.empty() ? "" : recorder.texts.back(), c.count);
        // A run that ends without a saved file writes nothing beside the source.
        EXPECT_EQ(fixtures::Listing(dir.Path()), filesBefore);
    }
}
