#pragma once

#include <string>
#include <string_view>

#include "platform/core/FolderItem.h"
#include "repair/NameMap.h"

// The readers of the font editor's bundles and of the .glyphs source file.
// They only read. The map and source readers report each failure in an alert
// and then return an empty result, which the caller tests; the version reader
// shows nothing.
namespace repair {

// The alert of a file that exists but cannot be read.
inline constexpr std::string_view kErrorAccessing = "Error accessing";

// The Adobe-Japan1 map file of an application bundle, from the first of its
// three places that exists. Empty (never absent) after a reported failure or
// when no line gives an entry.
NameMap ReadMapFile(const platform::FolderItem& bundle);

// The entries of a map file's text as read: line ends become LF, the whole text
// is trimmed, every line loses its last field where that field is not empty,
// and each line that then holds at least two tab-separated fields gives its
// first field the second as its name.
NameMap ParseMapText(std::string text);

// The bundle's version, "CFBundleShortVersionString-CFBundleVersion" from its
// Contents/Info.plist; the empty text when that file is missing or unreadable.
std::string ReadAppVersion(const platform::FolderItem& bundle);

// The version text found in the text of an XML property list. A value is found
// only where, once the indentation and the line feeds are gone, its key element
// is directly followed by a string element; a missing value leaves its side of
// the "-" empty.
std::string ParseAppVersion(std::string_view plist);

// The whole source file with LF line ends and trimmed at both ends; the empty
// text after a reported failure.
std::string ReadGlyphsText(const platform::FolderItem& file);

} // namespace repair
