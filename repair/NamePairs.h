#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "repair/NameMap.h"

namespace repair {

// Two parallel lists: for one key, the old release's glyph name and the new
// release's, which differ (letter case counts). A name may stand more than
// once in either list.
struct NamePairs {
    std::vector<std::string> OldNames;
    std::vector<std::string> NewNames;
};

// One pair for every key of the old map, in the old map's key order, that the
// new map holds with another name. Keys of only one map give no pair.
NamePairs PairNames(const NameMap& oldMap, const NameMap& newMap);

// The index of the first entry of `list` equal to `text` (case-sensitive), or
// -1 when there is none.
std::int64_t IndexOfB(const std::vector<std::string>& list, std::string_view text);

} // namespace repair
