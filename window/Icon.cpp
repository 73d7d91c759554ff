#include "window/Icon.h"

#include <vector>

#include "platform/gui/FileIcons.h"

namespace Icon {

std::shared_ptr<const platform::Picture> Get(const std::optional<platform::FolderItem>& item, std::int64_t size)
{
    if (!item || !item->Exists()) return nullptr;
    if (size < 1 || size > kMaxSize) return nullptr;

    std::vector<platform::Picture> bitmaps;
    const platform::FileIcon icon(item->NativePath());
    for (const std::int64_t scale : {1, 2}) {
        const int pixels = static_cast<int>(size * scale);
        platform::Picture bitmap(pixels, pixels);
        icon.DrawInto(bitmap);
        bitmaps.push_back(std::move(bitmap));
    }
    const int points = static_cast<int>(size);
    return std::make_shared<const platform::Picture>(points, points, std::move(bitmaps));
}

} // namespace Icon
