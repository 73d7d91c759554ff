#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/RegEx.h"

// The program's only road to regular expressions. Both functions refuse empty
// input without touching the engine, and turn an engine error into a plain
// message box ("RegEx error: ", a line break, the engine's message) and an
// empty text.
namespace RegExVesk {

// The engine object of the latest call that got past its guards; empty until
// the first such call. Each such call replaces it with a fresh one, so no
// option ever carries over from one call to the next.
extern std::unique_ptr<platform::RegEx> reg;

// "Metacharacters ^ $ \b cannot be used alone.", or its text in `language`.
std::string kAlert_Metacharacters(std::string_view language = {});

// Replaces `reg` with a new engine object with default options.
void MakeRegEx();

// The first match of `pattern` in `source`, searching from the character
// `startPosition` on (counted in UTF-8 characters), or an empty text when
// nothing matches or the engine fails.
std::string MachStr(std::string_view source, std::string_view pattern, std::int64_t startPosition, bool caseSensitive);

// `source` with every match of `pattern` replaced by `replacement` (read in the
// engine's replacement syntax). Returns `source` unchanged for an empty source
// or pattern and, after a message, for a pattern that is only "^", "$" or "\b";
// returns an empty text after an engine error.
std::string ReplaceAll(std::string_view source, std::string_view pattern, std::string_view replacement, bool caseSensitive);

} // namespace RegExVesk
