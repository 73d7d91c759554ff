#include "repair/TokenRenaming.h"

#include <stdexcept>
#include <string_view>
#include <unordered_set>

#include "repair/TokenRewrites.h"

namespace repair {

std::string RenameTokens(std::string text, const NamePairs& pairs, const RenameProgress& progress)
{
    if (pairs.OldNames.size() != pairs.NewNames.size()) throw std::invalid_argument("the two name lists differ in length");

    // The first pair with an old name decides what that name becomes, and one
    // with an empty name leaves it as it is.
    std::unordered_set<std::string_view> decided;
    decided.reserve(pairs.OldNames.size());
    TokenRewrites rewrites;
    const auto last = static_cast<std::int64_t>(pairs.OldNames.size()) - 1;
    for (std::size_t i = 0; i < pairs.OldNames.size(); ++i) {
        if (decided.insert(pairs.OldNames[i]).second && !pairs.OldNames[i].empty() && !pairs.NewNames[i].empty()) {
            rewrites.Add(pairs.OldNames[i], pairs.NewNames[i]);
        }
        if (progress) progress(static_cast<std::int64_t>(i), last);
    }
    if (rewrites.Empty()) return text;
    return rewrites.ApplyTo(std::move(text));
}

} // namespace repair
