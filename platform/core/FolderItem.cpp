#include "platform/core/FolderItem.h"

#include <filesystem>
#include <system_error>

#include <QStandardPaths>

namespace platform {
namespace fs = std::filesystem;

namespace {

// A dropped folder may arrive as "/a/b/"; without the trailing separator its
// name and children come out the same as for "/a/b".
std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

} // namespace

FolderItem::FolderItem(std::string nativePath) : m_path(WithoutTrailingSeparators(std::move(nativePath))) {}

std::string FolderItem::Name() const
{
    const auto slash = m_path.rfind('/');
    return slash == std::string::npos ? m_path : m_path.substr(slash + 1);
}

bool FolderItem::Exists() const
{
    std::error_code error;
    return !m_path.empty() && fs::exists(fs::path(m_path), error);
}

FolderItem FolderItem::Child(const std::string& name) const
{
    return FolderItem(m_path == "/" ? "/" + name : m_path + "/" + name);
}

bool FolderItem::CreateAsFolder() const
{
    std::error_code error;
    return fs::create_directory(fs::path(m_path), error) && !error;
}

bool FolderItem::Delete() const
{
    std::error_code error;
    return fs::remove(fs::path(m_path), error) && !error;
}

FolderItem ApplicationDataFolder()
{
    return FolderItem(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString());
}

} // namespace platform
