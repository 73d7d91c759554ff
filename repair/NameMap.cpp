#include "repair/NameMap.h"

#include <stdexcept>

namespace repair {

const std::string& NameMap::Value(std::string_view key) const
{
    const auto found = m_index.find(key);
    if (found == m_index.end()) throw std::out_of_range("the map holds no key \"" + std::string(key) + "\"");
    return m_names[found->second];
}

void NameMap::SetValue(std::string_view key, std::string_view name)
{
    const auto [entry, added] = m_index.try_emplace(std::string(key), m_keys.size());
    if (!added) {
        m_names[entry->second].assign(name);
        return;
    }
    m_keys.emplace_back(key);
    m_names.emplace_back(name);
}

void NameMap::Reserve(std::size_t keys)
{
    m_index.reserve(keys);
    m_keys.reserve(keys);
    m_names.reserve(keys);
}

} // namespace repair
