#pragma once

#include <cstddef>
#include <string>

// Sources of the sizes that users repair, made up of glyphs named by CID,
// and the names that a newer map file gives some of those glyphs.
namespace synthetic {

inline constexpr int kGlyphCount = 23060; // about the size of Adobe-Japan1

std::string CidName(int cid);

// The name that the newer release gives the glyph of `cid`.
std::string RenamedCid(int cid);

// The CID of the i-th of `count` changed names, spread over the glyph set.
int ChangedCid(int i, int count);

// A source of about `megabytes` MB, made once per size and kept.
const std::string& GlyphsText(std::size_t megabytes);

} // namespace synthetic
