#pragma once

#include <string>

#include <QIcon>

#include "platform/gui/Picture.h"

namespace platform {

// Makes sure that an icon theme gives file icons and the alerts' icons, where
// the desktop session names no such theme. Called once the application object
// exists; later calls do nothing.
void MakeSureAThemeGivesIcons();

// The icon that the desktop's icon theme gives for a file or folder: a folder
// (an application bundle too) gets the folder icon, a file the icon of its
// type.
class FileIcon {
public:
    explicit FileIcon(const std::string& nativePath);

    // Draws the icon over the picture's first bitmap, scaled to its pixels.
    void DrawInto(Picture& picture) const;

private:
    QIcon m_icon;
};

} // namespace platform
