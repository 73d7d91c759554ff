#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "repair/NamePairs.h"

namespace repair {

// Called after each pair index is done, with the index and the last index.
using RenameProgress = std::function<void(std::int64_t index, std::int64_t last)>;

struct RenameResult {
    std::string Text;
    // The pattern engine failed and has shown its message. Text then holds the
    // rewrites done before the failure and must not be taken as the result.
    bool EngineFailed = false;
};

enum class RenameRoad {
    // Rewrites between token names are composed and done in one pass over the
    // text; any other rewrite takes the four pattern passes.
    Fast,
    // Every rewrite takes the four pattern passes. Slow on large texts; kept as
    // the reference that the fast road must equal byte for byte.
    Literal,
};

// Renames, pair by pair in list order, every old name of `pairs` that stands as
// a whole token in `text`: a token is a run of the characters 0-9, A-Z, a-z,
// "_", "." and "-" with a line start or any other character before it and a
// line end or any other character after it.
//
// Before its own pair, a pair whose new name is the old name of another pair
// (the first such) has that pair rewritten first, one level deep. An old name
// is rewritten at most once. A pair with an empty old or new name renames
// nothing. `progress` is called after each index.
//
// Stops at the first failure of the pattern engine (its message shown) and
// says so in the result. The literal road is the reference within the
// engine's limits: a token name too long to compile into a pattern (some
// 32,000 bytes) fails there, while the fast road renames it.
RenameResult RenameTokens(std::string text, const NamePairs& pairs, const RenameProgress& progress, RenameRoad road = RenameRoad::Fast);

} // namespace repair
