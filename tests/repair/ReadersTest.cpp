#include <gtest/gtest.h>

#include <unistd.h>

#include "repair/Readers.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempDir.h"

using platform::FolderItem;
using repair::NameMap;

namespace {

const std::string kPlugInPlace = "Contents/PlugIns/OTF.glyphsFileFormat/Contents/Resources/";
const std::string kFrameworkPlace = "Contents/Frameworks/GlyphsCore.framework/Versions/A/Resources/";

std::vector<std::pair<std::string, std::string>> Entries(const NameMap& map)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& key : map.Keys()) entries.emplace_back(key, map.Value(key));
    return entries;
}

using Entry = std::pair<std::string, std::string>;

} // namespace

// Each line stands between two others, so that the trim of the whole text
// does not touch it.
TEST(ParseMapText, WorkedExamples)
{
    struct Case { std::string line; std::vector<Entry> entries; };
    const Case cases[] = {
        {"K\tN\tX", {{"K", "N"}}},
        {"K\tN\tX\tW", {{"K", "N"}}},
        {"K\tN", {}},
        {"K\tN\t", {{"K", "N"}}},
        {"K\t", {{"K", ""}}},
        {"K", {}},
        {"\tN\tX", {{"", "N"}}},
        {"\t", {{"", ""}}},
        {"", {}},
        {" K \t N \tX", {{" K ", " N "}}},
        {"K\r\tN\tX", {{"", "N"}}}, // a lone CR ends a line: "K", then "TAB N TAB X"
    };
    for (const Case& c : cases) {
        std::vector<Entry> expected = {{"first", "a"}};
        expected.insert(expected.end(), c.entries.begin(), c.entries.end());
        expected.emplace_back("last", "z");
        EXPECT_EQ(Entries(repair::ParseMapText("first\ta\t1\n" + c.line + "\nlast\tz\t1")), expected) << c.line;
    }
}

TEST(ParseMapText, KeysKeepTheOrderOfTheirFirstLine)
{
    const NameMap map = repair::ParseMapText("b\t1\tx\na\t2\tx\nb\t3\tx\nB\t4\tx");
    EXPECT_EQ(Entries(map), (std::vector<Entry>{{"b", "3"}, {"a", "2"}, {"B", "4"}}));
    EXPECT_TRUE(map.HasKey("B"));
    EXPECT_FALSE(map.HasKey("A"));
    EXPECT_THROW(map.Value("A"), std::out_of_range);
}

TEST(ParseMapText, LineEndsAndTheTrimOfTheWholeText)
{
    const std::vector<Entry> expected = {{"1", "a"}, {"2", "b"}};
    for (const char* text : {"1\ta\tx\n2\tb\tx\n", "1\ta\tx\r\n2\tb\tx\r\n", "1\ta\tx\r2\tb\tx\r", " \n1\ta\tx\n\n2\tb\tx \n\n"}) {
        EXPECT_EQ(Entries(repair::ParseMapText(text)), expected);
    }
    // The trim takes tabs too: a last line ending in a tab loses it, then its
    // last field, and gives no entry.
    EXPECT_EQ(Entries(repair::ParseMapText("1\ta\tx\nK\tN\t")), (std::vector<Entry>{{"1", "a"}}));
    EXPECT_EQ(Entries(repair::ParseMapText("\tK\tN\tx")), (std::vector<Entry>{{"K", "N"}}));
    EXPECT_EQ(repair::ParseMapText(" \r\n\t").KeyCount(), 0u);
    EXPECT_EQ(repair::ParseMapText("1\ta\n2\tb").KeyCount(), 0u);
}

TEST(ReadMapFile, ProbesTheThreePlacesInOrder)
{
    struct Case { std::vector<std::string> files; std::string expectedName; };
    const Case cases[] = {
        {{kPlugInPlace + "MapFileAdobeJapan1.txt", kPlugInPlace + "MapFileAdobe-Japan1.txt", kFrameworkPlace + "MapFileAdobe-Japan1.txt"}, "0"},
        {{kPlugInPlace + "MapFileAdobe-Japan1.txt", kFrameworkPlace + "MapFileAdobe-Japan1.txt"}, "1"},
        {{kFrameworkPlace + "MapFileAdobe-Japan1.txt"}, "2"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        for (const std::string& file : c.files) {
            const bool first = file.find("AdobeJapan1") != std::string::npos;
            const bool second = !first && file.find("PlugIns") != std::string::npos;
            dir.Write("Glyphs.app/" + file, std::string("K\t") + (first ? "0" : second ? "1" : "2") + "\tx\n");
        }
        MessageRecorder messages;
        const NameMap map = repair::ReadMapFile(FolderItem(dir.Path("Glyphs.app")));
        EXPECT_EQ(Entries(map), (std::vector<Entry>{{"K", c.expectedName}}));
        EXPECT_TRUE(messages.Shown().empty());
    }
}

TEST(ReadMapFile, FailuresGiveOneAlertAndAnEmptyMap)
{
    struct Case { const char* name; std::function<void(const TempDir&)> make; std::vector<std::string> shown; };
    const Case cases[] = {
        {"no map file", [](const TempDir& dir) { dir.MakeFolder("Glyphs.app/Contents"); }, {"alert: Not found MapFileAdobe-Japan1.txt"}},
        {"no bundle", [](const TempDir&) {}, {"alert: Not found MapFileAdobe-Japan1.txt"}},
        {"zero bytes", [](const TempDir& dir) { dir.Write("Glyphs.app/" + kPlugInPlace + "MapFileAdobeJapan1.txt", ""); },
         {"alert: There is something wrong with MapFileAdobe-Japan1.txt"}},
        {"unreadable", [](const TempDir& dir) { dir.MakeFolder("Glyphs.app/" + kPlugInPlace + "MapFileAdobe-Japan1.txt"); },
         {"alert: Error accessing\n<dir>/Glyphs.app/" + kPlugInPlace + "MapFileAdobe-Japan1.txt\nit is not a regular file"}},
        // The first place that exists is the one read, even when a later
        // place holds a good file.
        {"unreadable first place", [](const TempDir& dir) {
             dir.MakeFolder("Glyphs.app/" + kPlugInPlace + "MapFileAdobeJapan1.txt");
             dir.Write("Glyphs.app/" + kPlugInPlace + "MapFileAdobe-Japan1.txt", "K\tN\tX\n");
         }, {"alert: Error accessing\n<dir>/Glyphs.app/" + kPlugInPlace + "MapFileAdobeJapan1.txt\nit is not a regular file"}},
        {"white space only", [](const TempDir& dir) { dir.Write("Glyphs.app/" + kFrameworkPlace + "MapFileAdobe-Japan1.txt", " \r\n\t\n"); }, {}},
        {"two fields a line", [](const TempDir& dir) { dir.Write("Glyphs.app/" + kFrameworkPlace + "MapFileAdobe-Japan1.txt", "1\ta\n2\tb\n"); }, {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        c.make(dir);
        MessageRecorder messages;
        EXPECT_EQ(repair::ReadMapFile(FolderItem(dir.Path("Glyphs.app"))).KeyCount(), 0u) << c.name;
        std::vector<std::string> shown = c.shown;
        for (std::string& alert : shown) {
            if (const std::size_t at = alert.find("<dir>"); at != std::string::npos) alert.replace(at, 5, dir.Path());
        }
        EXPECT_EQ(messages.Shown(), shown) << c.name;
    }
}

TEST(ParseAppVersion, FindsKeyAndStringElementsAsText)
{
    struct Case { const char* name; std::string plist; std::string version; };
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
    const std::string tail = "</dict>\n</plist>\n";
    const Case cases[] = {
        {"indented, separate lines",
         head + "\t<key>CFBundleShortVersionString</key>\n\t<string>3.2</string>\n\n  \t<key>CFBundleVersion</key>\n    <string>3259</string>\n" + tail,
         "3.2-3259"},
        {"build missing", head + "<key>CFBundleShortVersionString</key><string>3.2</string>\n" + tail, "3.2-"},
        {"short version missing", head + "<key>CFBundleVersion</key>\n<string>3259</string>\n" + tail, "-3259"},
        {"both missing", head + "<key>CFBundleName</key><string>Glyphs</string>\n" + tail, "-"},
        {"binary list", "bplist00\xD1\x01\x02", "-"},
        {"blank after the key element",
         head + "<key>CFBundleShortVersionString</key> \n<string>3.2</string>\n<key>CFBundleVersion</key>\n<string>3259</string>\n" + tail,
         "-3259"},
        {"CR LF line ends",
         head + "<key>CFBundleShortVersionString</key>\r\n<string>3.2</string>\r\n<key>CFBundleVersion</key><string>3259</string>\r\n" + tail,
         "-3259"},
        {"key in other letter case", head + "<key>cfbundleversion</key><string>3259</string>\n" + tail, "-"},
        {"empty string element runs on to the next one",
         head + "<key>CFBundleShortVersionString</key><string></string>\n<key>CFBundleVersion</key><string>3259</string>\n" + tail,
         "</string><key>CFBundleVersion</key><string>3259-3259"},
        {"no closing element after the last key",
         head + "<key>CFBundleVersion</key><string>3259</string><key>CFBundleShortVersionString</key><string>3.2" + tail, "-3259"},
        {"unclosed keys before a closed one",
         head + "<key>CFBundleVersion</key><string>\n<key>CFBundleVersion</key><string>3259</string>\n" + tail,
         "-<key>CFBundleVersion</key><string>3259"},
        {"non-ASCII and invalid bytes kept", head + "<key>CFBundleShortVersionString</key><string>\xCE\xB2\xFF</string>\n" + tail,
         "\xCE\xB2\xFF-"},
    };
    MessageRecorder messages;
    for (const Case& c : cases) {
        EXPECT_EQ(repair::ParseAppVersion(c.plist), c.version) << c.name;
    }
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(ReadAppVersion, ReadsContentsInfoPlistAndNeverAlerts)
{
    MessageRecorder messages;
    TempDir dir;
    dir.Write("Good.app/Contents/Info.plist", "<dict>\n  <key>CFBundleShortVersionString</key>\n  <string>3.2</string>\n"
                                              "  <key>CFBundleVersion</key>\n  <string>3259</string>\n</dict>\n");
    dir.MakeFolder("Bare.app/Contents");
    dir.MakeFolder("Unreadable.app/Contents/Info.plist");
    dir.Write("Empty.app/Contents/Info.plist", "");

    EXPECT_EQ(repair::ReadAppVersion(FolderItem(dir.Path("Good.app"))), "3.2-3259");
    EXPECT_EQ(repair::ReadAppVersion(FolderItem(dir.Path("Good.app/"))), "3.2-3259");
    EXPECT_EQ(repair::ReadAppVersion(FolderItem(dir.Path("Bare.app"))), "");
    EXPECT_EQ(repair::ReadAppVersion(FolderItem(dir.Path("Missing.app"))), "");
    EXPECT_EQ(repair::ReadAppVersion(FolderItem(dir.Path("Unreadable.app"))), "");
    EXPECT_EQ(repair::ReadAppVersion(FolderItem(dir.Path("Empty.app"))), "-");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(ReadGlyphsText, NormalisesOrAlerts)
{
    struct Case { const char* name; std::string bytes; std::string text; std::vector<std::string> shown; };
    const Case cases[] = {
        {"zero bytes", "", "", {"alert: There is something wrong with glyphs file"}},
        {"white space only", " \r\n\t\n", "", {}},
        {"line ends and trim", "\n  {\r\nglyphname = a;\rb\n}\n\n", "{\nglyphname = a;\nb\n}", {}},
        {"bytes kept", "\xFF\xC3(\xE3\x81\x82)\n", "\xFF\xC3(\xE3\x81\x82)", {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        MessageRecorder messages;
        EXPECT_EQ(repair::ReadGlyphsText(FolderItem(dir.Write("font.glyphs", c.bytes))), c.text) << c.name;
        EXPECT_EQ(messages.Shown(), c.shown) << c.name;
    }

    TempDir dir;
    MessageRecorder messages;
    EXPECT_EQ(repair::ReadGlyphsText(FolderItem(dir.MakeFolder("folder.glyphs"))), "");
    EXPECT_EQ(repair::ReadGlyphsText(FolderItem(dir.Path("missing.glyphs"))), "");
    // A source larger than memory (here one hole of a terabyte) is refused
    // before it is read.
    const std::string huge = dir.Write("huge.glyphs", "");
    ASSERT_EQ(::truncate(huge.c_str(), off_t{1} << 40), 0);
    EXPECT_EQ(repair::ReadGlyphsText(FolderItem(huge)), "");
    EXPECT_EQ(messages.Shown(), (std::vector<std::string>{
                                    "alert: Error accessing\n" + dir.Path("folder.glyphs") + "\nit is not a regular file",
                                    "alert: Error accessing\n" + dir.Path("missing.glyphs") + "\nNo such file or directory",
                                    "alert: Error accessing\n" + huge + "\nit is too large for this computer's memory"}));
}
