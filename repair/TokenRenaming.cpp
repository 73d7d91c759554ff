#include "repair/TokenRenaming.h"

#include <array>
#include <stdexcept>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/core/RegEx.h"
#include "repair/RegExVesk.h"
#include "repair/TokenRewrites.h"

namespace repair {
namespace {

// A neighbour that ends a token without being a line end ("^" and "$" stand
// for those).
constexpr std::string_view kAfterToken = "(?=[^0-9a-zA-Z_.\\-\\n])";
constexpr std::string_view kBeforeToken = "(?<=[^0-9a-zA-Z_.\\-\\n])";

// Rewrites the whole-token occurrences of `oldName` in four pattern passes: a
// whole line, a line start, a line end, the middle of a line. False when the
// engine failed; `text` then holds what the passes before it left.
bool RewriteWithPatterns(std::string& text, const std::string& oldName, const std::string& newName)
{
    const std::string name = platform::RegEx::EscapePattern(oldName);
    const std::string replacement = platform::RegEx::EscapeReplacement(newName);
    const std::array<std::string, 4> patterns = {
        "^" + name + "$",
        "^" + name + std::string(kAfterToken),
        std::string(kBeforeToken) + name + "$",
        std::string(kBeforeToken) + name + std::string(kAfterToken),
    };
    for (const std::string& pattern : patterns) {
        std::optional<std::string> result = RegExVesk::TryReplaceAll(text, pattern, replacement, true);
        if (!result) return false;
        text = std::move(*result);
    }
    return true;
}

// DoneNames and the search for a pair by its old name in plain lists searched
// from the front: the simplest form, kept by the literal road as the reference.
class ListedNames {
public:
    explicit ListedNames(const std::vector<std::string>& oldNames) : m_oldNames(oldNames) {}

    std::int64_t FirstPairWithOldName(std::string_view name) const { return IndexOfB(m_oldNames, name); }

    // Adds `name` to DoneNames; false when it stood there already.
    bool MarkDone(const std::string& name)
    {
        if (IndexOfB(m_doneNames, name) != -1) return false;
        m_doneNames.push_back(name);
        return true;
    }

private:
    const std::vector<std::string>& m_oldNames;
    std::vector<std::string> m_doneNames;
};

// The same answers from hash tables, so that thousands of pairs cost no more
// than a few hundred.
class HashedNames {
public:
    explicit HashedNames(const std::vector<std::string>& oldNames)
    {
        m_firstPair.reserve(oldNames.size());
        m_done.reserve(oldNames.size());
        for (std::size_t i = 0; i < oldNames.size(); ++i) m_firstPair.try_emplace(oldNames[i], static_cast<std::int64_t>(i));
    }

    std::int64_t FirstPairWithOldName(std::string_view name) const
    {
        const auto found = m_firstPair.find(name);
        return found == m_firstPair.end() ? -1 : found->second;
    }

    bool MarkDone(const std::string& name) { return m_done.insert(name).second; }

private:
    std::unordered_map<std::string_view, std::int64_t> m_firstPair;
    std::unordered_set<std::string_view> m_done;
};

// The renaming loop: decides which rewrites happen in which order and leaves
// the text work to `rewrite(oldName, newName)`, which returns false when the
// engine failed. Calls `indexDone(i, last)` after each index.
template <class Names, class Rewrite, class IndexDone>
bool RunRenamingLoop(const NamePairs& pairs, Names& names, Rewrite rewrite, IndexDone indexDone)
{
    const auto renames = [&](std::size_t pair) {
        const std::string& oldName = pairs.OldNames[pair];
        const std::string& newName = pairs.NewNames[pair];
        // An empty old name would match at empty places between characters,
        // and an empty new name would delete glyph names: such a pair is left out.
        return oldName.empty() || newName.empty() || rewrite(oldName, newName);
    };

    const auto last = static_cast<std::int64_t>(pairs.OldNames.size()) - 1;
    for (std::int64_t i = 0; i <= last; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const std::int64_t j = names.FirstPairWithOldName(pairs.NewNames[index]);
        if (j >= 0 && names.MarkDone(pairs.OldNames[static_cast<std::size_t>(j)])) {
            if (!renames(static_cast<std::size_t>(j))) return false;
        }
        if (names.MarkDone(pairs.OldNames[index])) {
            if (!renames(index)) return false;
        }
        indexDone(i, last);
    }
    return true;
}

void Report(const RenameProgress& progress, std::int64_t index, std::int64_t last)
{
    if (progress) progress(index, last);
}

RenameResult RenameLiteral(std::string text, const NamePairs& pairs, const RenameProgress& progress)
{
    ListedNames names(pairs.OldNames);
    const bool done = RunRenamingLoop(
        pairs, names,
        [&](const std::string& oldName, const std::string& newName) { return RewriteWithPatterns(text, oldName, newName); },
        [&](std::int64_t i, std::int64_t last) { Report(progress, i, last); });
    return {std::move(text), !done};
}

// Collects rewrites between token names until a rewrite of another kind, or
// the end, needs the text. Progress is reported as each index is decided, so
// that the count moves while the loop runs; nothing reads the text in between.
class FastRoad {
public:
    explicit FastRoad(std::string text) : m_text(std::move(text)) {}

    bool Rewrite(const std::string& oldName, const std::string& newName)
    {
        if (IsTokenName(oldName) && IsTokenName(newName)) {
            m_pending.Add(oldName, newName);
            return true;
        }
        Flush();
        return RewriteWithPatterns(m_text, oldName, newName);
    }

    void Flush()
    {
        if (!m_pending.Empty()) m_text = m_pending.ApplyTo(std::move(m_text));
    }

    std::string TakeText() { return std::move(m_text); }

private:
    std::string m_text;
    TokenRewrites m_pending;
};

RenameResult RenameFast(std::string text, const NamePairs& pairs, const RenameProgress& progress)
{
    HashedNames names(pairs.OldNames);
    FastRoad road(std::move(text));
    const bool done = RunRenamingLoop(
        pairs, names,
        [&](const std::string& oldName, const std::string& newName) { return road.Rewrite(oldName, newName); },
        [&](std::int64_t i, std::int64_t last) { Report(progress, i, last); });
    if (done) road.Flush();
    return {road.TakeText(), !done};
}

} // namespace

RenameResult RenameTokens(std::string text, const NamePairs& pairs, const RenameProgress& progress, RenameRoad road)
{
    if (pairs.OldNames.size() != pairs.NewNames.size()) throw std::invalid_argument("the two name lists differ in length");
    if (road == RenameRoad::Literal) return RenameLiteral(std::move(text), pairs, progress);
    return RenameFast(std::move(text), pairs, progress);
}

} // namespace repair
