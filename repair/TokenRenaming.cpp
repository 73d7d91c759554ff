#include "repair/TokenRenaming.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "repair/TokenRewrites.h"

namespace repair {
namespace {

void Report(const RenameProgress& progress, std::int64_t index, std::int64_t last)
{
    if (progress) progress(index, last);
}

// Whether pair `index` renames: the first pair with its old name decides what
// that name becomes, and one with an empty name leaves it as it is.
template <class IsFirstWithOldName>
std::vector<std::size_t> RenamingPairs(const NamePairs& pairs, const RenameProgress& progress, IsFirstWithOldName isFirst)
{
    std::vector<std::size_t> renaming;
    const auto last = static_cast<std::int64_t>(pairs.OldNames.size()) - 1;
    for (std::size_t i = 0; i < pairs.OldNames.size(); ++i) {
        if (isFirst(i) && !pairs.OldNames[i].empty() && !pairs.NewNames[i].empty()) renaming.push_back(i);
        Report(progress, static_cast<std::int64_t>(i), last);
    }
    return renaming;
}

std::string RenameFast(std::string text, const NamePairs& pairs, const RenameProgress& progress)
{
    std::unordered_set<std::string_view> decided;
    decided.reserve(pairs.OldNames.size());
    const std::vector<std::size_t> renaming
        = RenamingPairs(pairs, progress, [&](std::size_t i) { return decided.insert(pairs.OldNames[i]).second; });

    TokenRewrites rewrites;
    for (const std::size_t i : renaming) rewrites.Add(pairs.OldNames[i], pairs.NewNames[i]);
    if (rewrites.Empty()) return text;
    return rewrites.ApplyTo(std::move(text));
}

// At each byte, the first renaming pair whose old name stands there as a
// whole token takes its bytes; otherwise the byte is kept.
std::string RenameLiteral(std::string_view text, const NamePairs& pairs, const RenameProgress& progress)
{
    const std::vector<std::size_t> renaming = RenamingPairs(
        pairs, progress, [&](std::size_t i) { return IndexOfB(pairs.OldNames, pairs.OldNames[i]) == static_cast<std::int64_t>(i); });

    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const auto pair = std::find_if(renaming.begin(), renaming.end(), [&](std::size_t i) {
            const std::string& name = pairs.OldNames[i];
            return text.substr(at, name.size()) == name && StandsAsWholeToken(text, at, name.size());
        });
        if (pair == renaming.end()) {
            out.push_back(text[at++]);
        } else {
            out += pairs.NewNames[*pair];
            at += pairs.OldNames[*pair].size();
        }
    }
    return out;
}

} // namespace

std::string RenameTokens(std::string text, const NamePairs& pairs, const RenameProgress& progress, RenameRoad road)
{
    if (pairs.OldNames.size() != pairs.NewNames.size()) throw std::invalid_argument("the two name lists differ in length");
    if (road == RenameRoad::Literal) return RenameLiteral(text, pairs, progress);
    return RenameFast(std::move(text), pairs, progress);
}

} // namespace repair
