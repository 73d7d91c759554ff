#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/core/FolderItem.h"
#include "platform/gui/Picture.h"

// File icons for the drop zones.
namespace Icon {

// The desktop's icon for the item, as a picture of size x size points that
// carries the icon at size and at twice the size (its 1x and 2x bitmaps).
// Nothing for an absent item, one that no longer exists, or a size that gives
// no picture (below 1 or above kMaxSize).
std::shared_ptr<const platform::Picture> Get(const std::optional<platform::FolderItem>& item, std::int64_t size);

// The largest size drawn; its 2x bitmap still takes only 16 MB.
constexpr std::int64_t kMaxSize = 1024;

} // namespace Icon
