#include "window/Window1.h"

#include "repair/NamePairs.h"
#include "repair/Readers.h"

// The window's readers of the editor's bundles and of the source file, and
// its search in the name lists: the work is the engine's.

repair::NameMap Window1::GetMapFile(const platform::FolderItem& bundle)
{
    return repair::ReadMapFile(bundle);
}

std::string Window1::GetAppVerInfo(const platform::FolderItem& bundle)
{
    return repair::ReadAppVersion(bundle);
}

std::string Window1::ReadGlyphsFile(const platform::FolderItem& file)
{
    return repair::ReadGlyphsText(file);
}

std::int64_t Window1::IndexOfB(const std::vector<std::string>& list, std::string_view text)
{
    return repair::IndexOfB(list, text);
}
