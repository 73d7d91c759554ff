#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QObject>
#include <QPushButton>

#include "platform/gui/Dialogs.h"
#include "platform/gui/FileType.h"
#include "tests/dropzones/DropDelivery.h"
#include "tests/run/EditorFixtures.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

// Records the text that a label shows each time it is painted.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : m_label(label) { label->installEventFilter(this); }
    ~PaintedTexts() override { m_label->removeEventFilter(this); }
    std::vector<std::string> texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_label && event->type() == QEvent::Paint) texts.push_back(m_label->text().toStdString());
        return false;
    }

private:
    QLabel* m_label;
};

// Centres of the three zones in the window's content area.
const QPoint kZones[] = {{185, 65}, {185, 167}, {185, 293}};

std::vector<std::string> FileNames(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
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
            shown.push_back("alert: " + alert.Message);
            EXPECT_EQ(parent, nullptr);
            return MessageDialog::Pressed::Action;
        });
        SetMsgBoxResponderForTesting([this](const std::string& text) { shown.push_back("box: " + text); });
        SaveAsDialog::SetResponderForTesting([this](const SaveAsDialog& dialog, Window* parent) {
            saveDialogs.push_back(dialog);
            EXPECT_EQ(parent, nullptr);
            return saveTo;
        });
    }

    void TearDown() override
    {
        MessageDialog::SetResponderForTesting(nullptr);
        SetMsgBoxResponderForTesting(nullptr);
        SaveAsDialog::SetResponderForTesting(nullptr);
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
// because the window is repainted after every change.
TEST_F(Window1RunTest, CountIsPaintedAfterEveryChange)
{
    struct Case { const char* what; const fixtures::Repair& repair; std::vector<std::string> painted; };
    const Case cases[] = {
        {"one pair", fixtures::kOnePair, {"", "0/0", "0/0"}},
        {"three pairs", fixtures::kThreePairs, {"", "0/2", "0/2", "1/2", "2/2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir scratch;
        Fill(c.repair);
        saveTo = FolderItem(scratch.Path("out.glyphs"));
        window->LabelCount().SetText("9/9"); // what an earlier run left
        QApplication::processEvents();        // the window is shown and painted
        PaintedTexts painted(window->LabelCount().LabelWidget());
        PressRepair();
        EXPECT_EQ(painted.texts, c.painted);
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
        {"a name the pattern engine cannot take",
         [this] {
             Fill({fixtures::MapText({{"1", std::string(70000, 'q') + " z"}}), fixtures::MapText({{"1", "x"}}), "a", ""});
             saveTo = FolderItem(dir.Path("Repaired.glyphs"));
         },
         {"box: RegEx error: \n"}, 0, "0/0"},
        {"save cancelled", [this] { Fill(fixtures::kOnePair); }, {}, 1, "0/0"},
        {"a write that fails",
         [this] {
             Fill(fixtures::kOnePair);
             saveTo = FolderItem(dir.Path("Font.glyphs/Repaired.glyphs"));
         },
         {"alert: Error accessing"}, 1, "0/0"},
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
        const std::vector<std::string> filesBefore = FileNames(dir);
        PressRepair();
        // The engine's message box also carries the engine's own words.
        if (!shown.empty() && shown[0].rfind("box: ", 0) == 0) shown[0].resize(std::string("box: RegEx error: \n").size());
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(saveDialogs.size(), c.saveDialogs);
        EXPECT_EQ(window->LabelCount().Text(), c.count);
        // A run that ends without a saved file writes nothing beside the source.
        EXPECT_EQ(FileNames(dir), filesBefore);
    }
}
