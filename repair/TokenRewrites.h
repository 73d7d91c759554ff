#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace repair {

// The characters that glyph names are made of: 0-9, A-Z, a-z, "_", "." and "-".
// A token is a maximal run of them; any other byte, a line end included, ends it.
bool IsTokenCharacter(char c);

// Whether `name` is a non-empty run of token characters.
bool IsTokenName(std::string_view name);

// Whether the `length` bytes at `start` of `text` stand there as a whole
// token: a line start or a character outside the tokens before them, a line
// end or such a character after them, and neither end inside a UTF-8
// character. A byte that is not UTF-8 is a character of its own, outside the
// tokens.
bool StandsAsWholeToken(std::string_view text, std::size_t start, std::size_t length);

// Whole-token rewrites made together, in one pass over a text. Each looks only
// at the text as it was before the pass: what one rewrite inserts is never
// rewritten again, so a swap or a cycle of names stays one and no two names
// end up as one.
//
// Where two old names stand over the same bytes (possible only for names that
// hold characters outside the tokens), the one that starts first is
// rewritten, and of two that start at the same byte the one added first.
class TokenRewrites {
public:
    // Adds `from` -> `to`. `from` must not be empty and must not have been
    // added before; both texts must stay alive until ApplyTo.
    void Add(std::string_view from, std::string_view to);

    bool Empty() const { return m_rewrites.empty(); }

    // The text with every rewrite made.
    std::string ApplyTo(std::string text) const;

    struct Rewrite {
        std::string_view from;
        std::string_view to;
    };

private:
    // In the order added, which decides between two that start at one byte.
    std::vector<Rewrite> m_rewrites;
};

} // namespace repair
