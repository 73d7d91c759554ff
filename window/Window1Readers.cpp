#include "window/Window1.h"

#include "repair/NamePairs.h"
#include "repair/Readers.h"

// The window's readers of the editor's bundles and of the source file, and
// its search in the name lists: the work is the engine's.

std::string Window1::GetAppVerInfo(const platform::FolderItem& bundle)
{
    return repair::ReadAppVersion(bundle);
}
