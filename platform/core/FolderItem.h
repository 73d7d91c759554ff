#pragma once

#include <string>

namespace platform {

// A reference to a file or folder by its native (POSIX) path. The item need
// not exist; every query looks at the disk afresh.
class FolderItem {
public:
    explicit FolderItem(std::string nativePath);

    // The last component of the path, with its extension.
    std::string Name() const;
    const std::string& NativePath() const { return m_path; }

    bool Exists() const; // follows symbolic links

    FolderItem Child(const std::string& name) const;

    // Both report success; the callers in the program may ignore it.
    bool CreateAsFolder() const;
    bool Delete() const;

    friend bool operator==(const FolderItem&, const FolderItem&) = default;

private:
    std::string m_path;
};

// The per-user application-data folder of the platform (the XDG data home on
// Linux, Application Support on macOS).
FolderItem ApplicationDataFolder();

} // namespace platform
