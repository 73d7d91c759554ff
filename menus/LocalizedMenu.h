#pragma once

#include <string>
#include <string_view>

// The titles of the menu bar and the active language code. Each returns the
// text stored under "LocalizedMenu.<name>" for the language, or its English
// default; an empty language code gives the active localisation.
namespace LocalizedMenu {

std::string kFile(std::string_view language = {});
std::string kFileClose(std::string_view language = {});
std::string kEdit(std::string_view language = {});
std::string kCut(std::string_view language = {});
std::string kCopy(std::string_view language = {});
std::string kPaste(std::string_view language = {});
std::string kDelete(std::string_view language = {});
std::string kSelectAll(std::string_view language = {});
std::string kWindow(std::string_view language = {});
std::string kMinimize(std::string_view language = {});
std::string kZoom(std::string_view language = {});
std::string kBringAllToFront(std::string_view language = {});
std::string kHelp(std::string_view language = {});
// The code of the localisation: "en" by default, "ja" in Japanese.
std::string kLang(std::string_view language = {});

} // namespace LocalizedMenu
