#pragma once

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "repair/NamePairs.h"

// The renaming rule written out as plainly as it reads, slow, and sharing no
// code with the program, so that a fault in the program's token or character
// checks cannot hide by showing on both sides of a comparison.
namespace reference {

// The byte length of the UTF-8 character at `at`. A byte that does not start
// a well-formed one (truncated, overlong, a surrogate, past U+10FFFF) is a
// character of its own.
inline std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || at + length > text.size()) return 1;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 1;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = code >= kSmallest[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    return valid ? length : 1;
}

inline bool IsTokenCharacter(std::string_view character)
{
    if (character.size() != 1) return false;
    const char c = character[0];
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '.' || c == '-';
}

// At each character of the text, the first renaming pair whose old name is
// spelled there by whole characters, with a line start or a character outside
// the tokens before it and a line end or such a character after it, takes
// those characters; otherwise the character is kept. A line end is outside
// the tokens, so a name after one stands at a line start either way.
inline std::string Rename(std::string_view text, const repair::NamePairs& pairs)
{
    // Character c of the text is its bytes from starts[c] to starts[c + 1].
    std::vector<std::size_t> starts{0};
    while (starts.back() < text.size()) starts.push_back(starts.back() + CharacterLength(text, starts.back()));
    const std::size_t count = starts.size() - 1;
    const auto character = [&](std::size_t c) { return text.substr(starts[c], starts[c + 1] - starts[c]); };

    // The first pair with an old name decides it; one with an empty name
    // leaves that name as it is.
    std::vector<std::size_t> renaming;
    std::set<std::string> decided;
    for (std::size_t i = 0; i < pairs.OldNames.size(); ++i) {
        if (decided.insert(pairs.OldNames[i]).second && !pairs.OldNames[i].empty() && !pairs.NewNames[i].empty()) {
            renaming.push_back(i);
        }
    }

    std::string out;
    for (std::size_t c = 0; c < count;) {
        bool renamed = false;
        for (const std::size_t i : renaming) {
            const std::string& name = pairs.OldNames[i];
            if (text.substr(starts[c], name.size()) != name) continue;
            const auto ends = std::find(starts.begin() + static_cast<std::ptrdiff_t>(c), starts.end(), starts[c] + name.size());
            if (ends == starts.end()) continue; // ends inside a character
            const auto end = static_cast<std::size_t>(ends - starts.begin());
            const bool before = c == 0 || !IsTokenCharacter(character(c - 1));
            const bool after = end == count || !IsTokenCharacter(character(end));
            if (before && after) {
                out += pairs.NewNames[i];
                c = end;
                renamed = true;
                break;
            }
        }
        if (!renamed) out += character(c++);
    }
    return out;
}

} // namespace reference
