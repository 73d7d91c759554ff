#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Text operations of the framework. Texts are UTF-8 in std::string; lengths
// and positions named "B" are in bytes.
namespace platform {

// The plain equality used by every comparison that is not one of glyph names:
// the ASCII letters compare without regard to case, as on the platform the
// program was written for; every other byte must match exactly.
bool PlainEquals(std::string_view a, std::string_view b);

inline std::size_t LenB(std::string_view text) { return text.size(); }
std::string LeftB(std::string_view text, std::size_t count);
std::string RightB(std::string_view text, std::size_t count);

// Every line end (CR LF, CR or LF) becomes LF. Both work in the text's own
// buffer, so a large text moved in is not copied.
std::string ReplaceLineEndingsLF(std::string text);

// Removes blanks, tabs, CR, LF, vertical tabs and form feeds from both ends.
std::string Trim(std::string text);

// The pieces between the separators, in order, empty pieces included.
std::vector<std::string> Split(std::string_view text, std::string_view separator);

// Plain (not pattern) replacement of the first occurrence only.
std::string ReplaceFirstPlain(std::string_view text, std::string_view find, std::string_view replacement);

// The byte length of the first `characters` characters of a UTF-8 text. A byte
// that does not start a valid UTF-8 sequence counts as one character, so no
// byte is ever skipped or lost.
std::size_t CharactersToBytes(std::string_view text, std::int64_t characters);

// Whether the byte offset `pos` falls inside a well-formed UTF-8 character of
// `text`, after its first byte. Bytes that do not form one are characters of
// their own, so no offset falls inside them.
bool IsInsideCharacter(std::string_view text, std::size_t pos);

} // namespace platform
