#include "repair/NamePairs.h"

namespace repair {

NamePairs PairNames(const NameMap& oldMap, const NameMap& newMap)
{
    NamePairs pairs;
    for (const std::string& key : oldMap.Keys()) {
        if (!newMap.HasKey(key)) continue;
        const std::string& oldName = oldMap.Value(key);
        const std::string& newName = newMap.Value(key);
        if (oldName != newName) {
            pairs.OldNames.push_back(oldName);
            pairs.NewNames.push_back(newName);
        }
    }
    return pairs;
}

std::int64_t IndexOfB(const std::vector<std::string>& list, std::string_view text)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) return static_cast<std::int64_t>(i);
    }
    return -1;
}

} // namespace repair
