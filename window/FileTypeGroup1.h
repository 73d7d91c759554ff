#pragma once

#include <memory>
#include <vector>

#include "platform/gui/FileType.h"

// The program's two file types: application bundles and .glyphs sources.
namespace FileTypeGroup1 {

// Empty until Initialize has run.
std::shared_ptr<platform::FileType> App();
std::shared_ptr<platform::FileType> GlyphsFile();
// Both types, the application-bundle type first.
const std::vector<std::shared_ptr<platform::FileType>>& AllFileTypes();

// Creates, fills, lists and registers both types, in that order.
void Initialize();

} // namespace FileTypeGroup1
