#include "platform/gui/FileType.h"

#include <deque>

#include "platform/core/Text.h"

namespace platform {
namespace {

std::deque<FileType>& Registered()
{
    static std::deque<FileType> types;
    return types;
}

} // namespace

std::string FileType::ToText()
{
    if (!m_registered) {
        m_registered = true;
        Registered().push_back(*this);
    }
    return Name;
}

std::vector<std::string> FileType::ExtensionList() const
{
    std::vector<std::string> list;
    for (const std::string& piece : Split(Extensions, ";")) {
        std::string extension = Trim(piece);
        if (!extension.empty() && extension.front() == '.') extension.erase(0, 1);
        if (!extension.empty()) list.push_back(extension);
    }
    return list;
}

const FileType* FindRegisteredFileType(const std::string& name)
{
    const auto& types = Registered();
    for (auto it = types.rbegin(); it != types.rend(); ++it) {
        if (it->Name == name) return &*it;
    }
    return nullptr;
}

int RegisteredFileTypeCount()
{
    return static_cast<int>(Registered().size());
}

} // namespace platform
