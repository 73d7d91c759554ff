#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace repair {

// The characters that glyph names are made of: 0-9, A-Z, a-z, "_", "." and "-".
// A token is a maximal run of them; any other byte, a line end included, ends it.
bool IsTokenCharacter(char c);

// Whether `name` is a non-empty run of token characters.
bool IsTokenName(std::string_view name);

// A sequence of whole-token rewrites between token names, composed into one
// mapping and applied in one pass over the text.
//
// Rewriting the token name X to the token name Y replaces exactly the tokens
// that equal X, and the result is again a token at the same place: no token
// grows, merges or splits. Each token of the text therefore goes through the
// rewrites on its own, and the sequence equals one mapping from what a token
// read at the start to what it reads at the end. After Add("a", "b") and
// Add("b", "c"), the tokens that read a and those that read b both read c, as
// the two rewrites one after the other would leave them.
class TokenRewrites {
public:
    // Adds the rewrite `from` -> `to` after those already added. Both must be
    // token names, and their texts must stay alive until ApplyTo.
    void Add(std::string_view from, std::string_view to);

    bool Empty() const { return m_originals.empty(); }

    // The text with every added rewrite applied; afterwards none is left.
    std::string ApplyTo(std::string text);

private:
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};

    // A name that tokens read at the start, linked to the next one of its group.
    struct Original {
        std::string_view name;
        std::uint32_t next = kNone;
    };
    // The tokens that read the same name now, as a linked list of originals,
    // so that two groups merge in constant time.
    struct Group {
        std::string_view reads;
        std::uint32_t first = kNone;
        std::uint32_t last = kNone;
    };
    struct NameState {
        std::uint32_t groupReading = kNone; // the group whose tokens read this name now
        bool isOriginal = false;            // tokens that read it at the start belong to a group
    };

    std::vector<Original> m_originals;
    std::vector<Group> m_groups;
    std::unordered_map<std::string_view, NameState> m_names;
};

} // namespace repair
