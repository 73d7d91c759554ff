#include "window/Window1.h"

#include "platform/core/Exceptions.h"
#include "platform/core/TextFile.h"

// Reading the editor's bundles.

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The property list on one line: the indentation of every line and every LF
// removed, so that a key element directly precedes its value's element.
std::string Flattened(const std::string& plist)
{
    std::string flat;
    bool atLineStart = true;
    for (const char c : plist) {
        if (c == '\n') {
            atLineStart = true;
        } else if (!(atLineStart && IsBlank(c))) {
            flat.push_back(c);
            atLineStart = false;
        }
    }
    return flat;
}

// The text of the string element right after the key's element: at least one
// character, up to the next "</string>"; empty when the key is not there.
std::string StringAfterKey(const std::string& flat, const std::string& key)
{
    const std::string opening = "<key>" + key + "</key><string>";
    const auto at = flat.find(opening);
    if (at == std::string::npos) return {};
    const auto start = at + opening.size();
    const auto end = flat.find("</string>", start + 1);
    return end == std::string::npos ? std::string() : flat.substr(start, end - start);
}

} // namespace

std::string Window1::GetAppVerInfo(const platform::FolderItem& bundle)
{
    const platform::FolderItem plist = bundle.Child("Contents").Child("Info.plist");
    if (!plist.Exists()) return {};
    std::string flat;
    try {
        flat = Flattened(platform::ReadAllText(plist));
    } catch (const platform::IOException&) {
        return {}; // unreadable: treated as a bundle without one
    }
    return StringAfterKey(flat, "CFBundleShortVersionString") + "-" + StringAfterKey(flat, "CFBundleVersion");
}
