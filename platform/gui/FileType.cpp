#include "platform/gui/FileType.h"

#include <deque>

#include "platform/core/Exceptions.h"
#include "platform/core/Text.h"

namespace platform {
namespace {

bool g_failRegistration = false;

std::deque<FileType>& Registered()
{
    static std::deque<FileType> types;
    return types;
}

} // namespace

std::string FileType::ToText()
{
    if (!m_registered) {
        if (g_failRegistration) throw RuntimeException("The file type " + Name + " could not be registered");
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

void FailFileTypeRegistrationForTesting(bool fail)
{
    g_failRegistration = fail;
}

int RegisteredFileTypeCount()
{
    return static_cast<int>(Registered().size());
}

} // namespace platform
