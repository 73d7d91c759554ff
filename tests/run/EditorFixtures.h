#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempDir.h"

// Editor bundles and source files made in a temporary folder, and the texts
// of the repairs that the tests run on them.
namespace fixtures {

// The three places where a bundle may keep its map file.
enum class MapPlace { PlugInWithoutHyphen, PlugIn, Framework };

inline std::string MapFilePath(MapPlace place)
{
    switch (place) {
    case MapPlace::PlugInWithoutHyphen: return "Contents/PlugIns/OTF.glyphsFileFormat/Contents/Resources/MapFileAdobeJapan1.txt";
    case MapPlace::PlugIn: return "Contents/PlugIns/OTF.glyphsFileFormat/Contents/Resources/MapFileAdobe-Japan1.txt";
    case MapPlace::Framework: break;
    }
    return "Contents/Frameworks/GlyphsCore.framework/Versions/A/Resources/MapFileAdobe-Japan1.txt";
}

// Map-file lines for (key, glyph name) entries; each line has a third field,
// which the reader drops.
inline std::string MapText(const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::string text;
    for (const auto& [key, name] : entries) text += key + "\t" + name + "\tcomment\n";
    return text;
}

// An XML property list as the editor writes it: indented, the key and its
// string on lines of their own.
inline std::string InfoPlist(const std::string& shortVersion, const std::string& build, const std::string& indent = "\t")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n<dict>\n" +
           indent + "<key>CFBundleShortVersionString</key>\n" + indent + "<string>" + shortVersion + "</string>\n" +
           indent + "<key>CFBundleVersion</key>\n" + indent + "<string>" + build + "</string>\n</dict>\n</plist>\n";
}

struct Bundle {
    std::string name;
    std::optional<std::string> plist; // nothing: no Info.plist
    std::optional<std::string> map;   // nothing: no map file at any place
    MapPlace place = MapPlace::Framework;
};

// Writes the bundle below `dir` and returns its path.
inline std::string Make(const TempDir& dir, const Bundle& bundle)
{
    dir.MakeFolder(bundle.name + "/Contents");
    if (bundle.plist) dir.Write(bundle.name + "/Contents/Info.plist", *bundle.plist);
    if (bundle.map) dir.Write(bundle.name + "/" + MapFilePath(bundle.place), *bundle.map);
    return dir.Path(bundle.name);
}

// A repair whose inputs and result are known: the two maps, the source text
// and the bytes that the repair must save.
struct Repair {
    std::string oldMap;
    std::string newMap;
    std::string source;
    std::string expected;
};

// Three keys whose names changed (a suffix added, a shorter name, a dot
// turned into a hyphen), one that kept its name and one of each release
// alone. Only whole tokens change: uni4E00.ss01 stays. The source's last line
// end is trimmed away.
inline const Repair kThreePairs = {
    MapText({{"1", "uni4E00"}, {"2", "cid00002"}, {"3", "uni4E8C.jp78"}, {"4", "same"}, {"5", "gone"}}),
    MapText({{"6", "added"}, {"1", "uni4E00.alt"}, {"2", "cid2"}, {"3", "uni4E8C-JP78"}, {"4", "same"}}),
    "{\nglyphs = (\n{\nglyphname = uni4E00;\n},\n{\nglyphname = cid00002;\n"
    "components = (uni4E8C.jp78, uni4E00.ss01);\n},\n{\nglyphname = same;\n}\n);\n}\n",
    "{\nglyphs = (\n{\nglyphname = uni4E00.alt;\n},\n{\nglyphname = cid2;\n"
    "components = (uni4E8C-JP78, uni4E00.ss01);\n},\n{\nglyphname = same;\n}\n);\n}",
};

inline const Repair kOnePair = {
    MapText({{"1", "a"}, {"2", "b"}}),
    MapText({{"1", "a"}, {"2", "c"}}),
    "b a\r\nab b\r\n",
    "c a\nab c",
};

// What a file holds, or nothing when there is no such file.
inline std::optional<std::string> Contents(const std::string& path)
{
    if (!std::filesystem::is_regular_file(path)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names in a folder, sorted.
inline std::vector<std::string> Listing(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace fixtures
