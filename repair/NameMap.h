#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace repair {

// The glyph names of one map file by key. Keys are compared case-sensitively
// and listed in the order of the line that first gave them; a later line with
// the same key replaces the name and keeps the key where it was.
class NameMap {
public:
    std::size_t KeyCount() const { return m_keys.size(); }
    const std::vector<std::string>& Keys() const { return m_keys; }
    bool HasKey(std::string_view key) const { return m_index.find(key) != m_index.end(); }

    // The name stored for `key`. Throws std::out_of_range for a key the map
    // does not hold.
    const std::string& Value(std::string_view key) const;
    void SetValue(std::string_view key, std::string_view name);

    // Makes room for `keys` keys at once, so that a large map is not rehashed
    // again and again while it fills.
    void Reserve(std::size_t keys);

private:
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };

    std::vector<std::string> m_keys;
    std::vector<std::string> m_names; // parallel to m_keys
    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> m_index;
};

} // namespace repair
