#include "repair/Readers.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "platform/core/Exceptions.h"
#include "platform/core/Text.h"
#include "platform/core/TextFile.h"
#include "repair/Messages.h"
#include "repair/RegExVesk.h"

namespace repair {
namespace {

// The editor has kept its map file in three places over its releases; the
// first one that exists wins.
constexpr std::array<std::string_view, 3> kMapFilePlaces = {
    "/Contents/PlugIns/OTF.glyphsFileFormat/Contents/Resources/MapFileAdobeJapan1.txt",
    "/Contents/PlugIns/OTF.glyphsFileFormat/Contents/Resources/MapFileAdobe-Japan1.txt",
    "/Contents/Frameworks/GlyphsCore.framework/Versions/A/Resources/MapFileAdobe-Japan1.txt",
};

constexpr std::string_view kLastFieldPattern = "\t[^\t\n]+$";
constexpr std::string_view kShortVersionPattern = "(?<=<key>CFBundleShortVersionString</key><string>).+?(?=</string>)";
constexpr std::string_view kBuildPattern = "(?<=<key>CFBundleVersion</key><string>).+?(?=</string>)";
constexpr std::string_view kStringClose = "</string>";

const std::string kMapNotFound = "Not found MapFileAdobe-Japan1.txt";
const std::string kMapEmpty = "There is something wrong with MapFileAdobe-Japan1.txt";
const std::string kSourceEmpty = "There is something wrong with glyphs file";

std::optional<platform::FolderItem> FindMapFile(const platform::FolderItem& bundle)
{
    for (const std::string_view place : kMapFilePlaces) {
        platform::FolderItem candidate(bundle.NativePath() + std::string(place));
        if (candidate.Exists()) return candidate;
    }
    return std::nullopt;
}

// How many times its size a file takes in memory while the run works on it;
// one that memory could not hold so is refused before it is read. A source
// or an Info.plist is held about three times: as read, as its renamed or
// flattened text, and the work between. A map's entries take about seven
// times its text.
constexpr unsigned kTextTimesHeld = 3;
constexpr unsigned kMapTimesHeld = 8;

// The whole file, or nothing after an alert: "Error accessing" when it cannot
// be read, with the file and the reason (one too large for memory among
// them), and `emptyMessage` when it holds no byte.
std::optional<std::string> ReadNonEmptyFile(const platform::FolderItem& file, const std::string& emptyMessage,
                                            unsigned timesHeld)
{
    std::string text;
    try {
        text = platform::ReadAllText(file, timesHeld);
    } catch (const platform::IOException& error) {
        ShowAlert(std::string(kErrorAccessing), error.Path() + "\n" + error.Reason());
        return std::nullopt;
    }
    if (platform::LenB(text) == 0) {
        ShowAlert(emptyMessage);
        return std::nullopt;
    }
    return text;
}

// Works in the text's own buffer: a source of many megabytes is not copied.
std::string Normalised(std::string text)
{
    return platform::Trim(platform::ReplaceLineEndingsLF(std::move(text)));
}

} // namespace

NameMap ReadMapFile(const platform::FolderItem& bundle)
{
    const std::optional<platform::FolderItem> file = FindMapFile(bundle);
    if (!file) {
        ShowAlert(kMapNotFound);
        return {};
    }
    std::optional<std::string> text = ReadNonEmptyFile(*file, kMapEmpty, kMapTimesHeld);
    if (!text) return {};
    return ParseMapText(std::move(*text));
}

NameMap ParseMapText(std::string text)
{
    const std::string fields = RegExVesk::ReplaceAll(Normalised(std::move(text)), kLastFieldPattern, "", true);

    NameMap map;
    map.Reserve(static_cast<std::size_t>(std::count(fields.begin(), fields.end(), '\n')) + 1);
    std::string_view rest = fields;
    while (!rest.empty()) {
        const std::size_t lineEnd = std::min(rest.find('\n'), rest.size());
        const std::string_view line = rest.substr(0, lineEnd);
        rest.remove_prefix(std::min(lineEnd + 1, rest.size()));

        // A line without a tab has one field only and gives no entry.
        const std::size_t firstTab = line.find('\t');
        if (firstTab == std::string_view::npos) continue;
        const std::string_view afterKey = line.substr(firstTab + 1);
        map.SetValue(line.substr(0, firstTab), afterKey.substr(0, afterKey.find('\t')));
    }
    return map;
}

std::string ReadAppVersion(const platform::FolderItem& bundle)
{
    const platform::FolderItem plist = bundle.Child("Contents").Child("Info.plist");
    if (!plist.Exists()) return {};
    std::string text;
    try {
        text = platform::ReadAllText(plist, kTextTimesHeld);
    } catch (const platform::IOException&) {
        // Unreadable counts as missing: the zone then shows an empty version.
        return {};
    }
    return ParseAppVersion(text);
}

std::string ParseAppVersion(std::string_view plist)
{
    std::string flat = RegExVesk::ReplaceAll(plist, "^\\s+", "", true);
    flat = RegExVesk::ReplaceAll(flat, "\\n", "", true);
    // A value ends where a closing string element follows it, so none ends
    // past the last one: the text stops there. Otherwise every key that no
    // closing element follows would have the lazy search run on to the end
    // of the text, and a list of many such keys would take quadratic time.
    const std::size_t lastClose = flat.rfind(kStringClose);
    flat.resize(lastClose == std::string::npos ? 0 : lastClose + kStringClose.size());
    return RegExVesk::MachStr(flat, kShortVersionPattern, 0, true) + "-" + RegExVesk::MachStr(flat, kBuildPattern, 0, true);
}

std::string ReadGlyphsText(const platform::FolderItem& file)
{
    std::optional<std::string> text = ReadNonEmptyFile(file, kSourceEmpty, kTextTimesHeld);
    if (!text) return {};
    return Normalised(std::move(*text));
}

} // namespace repair
