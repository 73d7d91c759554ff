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
    const auto found = m_index.find(key);
    if (found != m_index.end()) {
        m_names[found->second].assign(name);
        return;
    }
    m_index.emplace(std::string(key), m_keys.size());
    m_keys.emplace_back(key);
    m_names.emplace_back(name);
}

} // namespace repair
