#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The framework's regular-expression engine: Perl-compatible patterns (PCRE2)
// over UTF-8 texts.
//
// "^" and "$" match at the start and end of every line, and LF is the only line
// end: a CR is an ordinary character. A pattern and a text that are both valid
// UTF-8 are matched character by character. When either holds bytes that are
// not valid UTF-8, the whole text is matched byte by byte instead, so that such
// bytes never raise an error, never vanish and never stop a match: each byte is
// then a character of its own. (A pattern that names characters beyond one
// byte, such as "\x{3042}", keeps matching by character and steps over the
// invalid bytes, which stay in the text.)
namespace platform {

namespace detail {
class CompiledPatterns;
}

struct RegExOptions {
    bool CaseSensitive = false;
    // Replace every match rather than only the first.
    bool ReplaceAllMatches = false;
};

// One match: sub-expression 0 is the whole match, 1 and up the groups.
class RegExMatch {
public:
    explicit RegExMatch(std::vector<std::string> parts) : m_parts(std::move(parts)) {}

    int SubExpressionCount() const { return static_cast<int>(m_parts.size()); }
    // The text of sub-expression `index`; empty for a group that took no part.
    // Throws std::out_of_range for an index the pattern does not have.
    const std::string& SubExpressionString(int index) const;

private:
    std::vector<std::string> m_parts;
};

class RegEx {
public:
    RegEx();
    ~RegEx();
    RegEx(const RegEx&) = delete;
    RegEx& operator=(const RegEx&) = delete;

    RegExOptions Options;
    std::string SearchPattern;
    // In the replacement, "\0" to "\9" and "$0" to "$9" stand for the text of
    // that sub-expression; a backslash before any other character stands for
    // that character ("\\" is one backslash, "\$" a dollar sign). Everything
    // else is literal.
    std::string ReplacementPattern;
    // Where searching begins, as a byte offset into the text.
    std::int64_t SearchStartPosition = 0;

    // The first match at or after SearchStartPosition, or nothing.
    // Throws RegExException for a pattern the engine rejects or a failed match.
    std::optional<RegExMatch> Search(std::string_view text);

    // The text with the first match at or after SearchStartPosition replaced, or
    // every such match when ReplaceAllMatches is set. Matches do not overlap.
    // Throws RegExException as Search does.
    std::string Replace(std::string_view text);

private:
    std::unique_ptr<detail::CompiledPatterns> m_compiled;
};

} // namespace platform
