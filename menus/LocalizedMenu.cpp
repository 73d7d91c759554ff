#include "menus/LocalizedMenu.h"

#include "platform/core/Localization.h"

namespace LocalizedMenu {

std::string kFile(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kFile", "File", language);
}

std::string kFileClose(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kFileClose", "Close", language);
}

std::string kEdit(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kEdit", "Edit", language);
}

std::string kCut(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kCut", "Cut", language);
}

std::string kCopy(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kCopy", "Copy", language);
}

std::string kPaste(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kPaste", "Paste", language);
}

std::string kDelete(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kDelete", "Delete", language);
}

std::string kSelectAll(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kSelectAll", "Select All", language);
}

std::string kWindow(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kWindow", "Window", language);
}

std::string kMinimize(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kMinimize", "Minimize", language);
}

std::string kZoom(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kZoom", "Zoom", language);
}

std::string kBringAllToFront(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kBringAllToFront", "Bring All to Front", language);
}

std::string kHelp(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kHelp", "Help", language);
}

std::string kLang(std::string_view language)
{
    return platform::GetLocalizedString("LocalizedMenu.kLang", "en", language);
}

} // namespace LocalizedMenu
