#include "platform/core/RegEx.h"

#include <algorithm>
#include <array>
#include <new>
#include <stdexcept>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include "platform/core/Exceptions.h"

namespace platform {
namespace {

// How a pattern and a text are matched. Utf is the normal case. A text or
// pattern holding bytes that are not valid UTF-8 is matched as Bytes; a
// pattern that names characters beyond one byte (such as "\x{3042}") cannot be
// compiled that way, and is then matched as UtfTolerant, in which such bytes
// are skipped by the engine but still kept in the text.
enum class Mode { Utf, Bytes, UtfTolerant };
constexpr std::size_t kModeCount = 3;

std::uint32_t CompileOptions(Mode mode)
{
    switch (mode) {
    case Mode::Utf: return PCRE2_UTF;
    case Mode::Bytes: return 0;
    case Mode::UtfTolerant: return PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
    }
    return 0;
}

bool IsUtfError(int code)
{
    return (code <= PCRE2_ERROR_UTF8_ERR1 && code >= PCRE2_ERROR_UTF8_ERR21) || code == PCRE2_ERROR_BADUTFOFFSET;
}

std::string EngineMessage(int code)
{
    std::array<PCRE2_UCHAR, 256> buffer{};
    const int length = pcre2_get_error_message(code, buffer.data(), buffer.size());
    if (length < 0) return "unknown error " + std::to_string(code);
    return std::string(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(length));
}

const PCRE2_UCHAR* Units(std::string_view text) { return reinterpret_cast<const PCRE2_UCHAR*>(text.data()); }

struct CodeFree {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct CompileContextFree {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};

struct Compiled {
    std::unique_ptr<pcre2_code, CodeFree> code;
    std::unique_ptr<pcre2_match_data, MatchDataFree> data;
    std::uint32_t groups = 0; // capture groups, sub-expression 0 not counted
};

// The replacement, parsed once: literal pieces and sub-expression numbers.
struct ReplacementPiece {
    std::string literal;
    int group = -1;
};

std::vector<ReplacementPiece> ParseReplacement(std::string_view pattern)
{
    std::vector<ReplacementPiece> pieces(1);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool hasNext = i + 1 < pattern.size();
        const char next = hasNext ? pattern[i + 1] : '\0';
        if ((c == '\\' || c == '$') && next >= '0' && next <= '9') {
            pieces.push_back({{}, next - '0'});
            pieces.emplace_back();
            ++i;
        } else if (c == '\\' && hasNext) {
            pieces.back().literal.push_back(next);
            ++i;
        } else {
            pieces.back().literal.push_back(c);
        }
    }
    return pieces;
}

} // namespace

// Holds the compiled forms of the current pattern, so that a RegEx used for
// several searches compiles each form once; they are dropped when the pattern
// or the case option changes.
class detail::CompiledPatterns {
public:
    // The code for `mode`, or nullptr when the pattern cannot be compiled that
    // way for a reason of encoding. Throws RegExException for any other fault.
    const Compiled* CodeFor(const std::string& pattern, bool caseSensitive, Mode mode)
    {
        if (pattern != m_pattern || caseSensitive != m_caseSensitive) {
            m_pattern = pattern;
            m_caseSensitive = caseSensitive;
            for (auto& slot : m_slots) slot = Slot{};
        }
        Slot& slot = m_slots[static_cast<std::size_t>(mode)];
        if (!slot.tried) {
            // Marked only once compiled: a pattern that throws throws again.
            slot.compiled = Compile(mode, slot.encodingError);
            slot.tried = true;
        }
        if (slot.encodingError) return nullptr;
        return &slot.compiled;
    }

private:
    struct Slot {
        bool tried = false;
        bool encodingError = false;
        Compiled compiled;
    };

    Compiled Compile(Mode mode, bool& encodingError) const
    {
        std::unique_ptr<pcre2_compile_context, CompileContextFree> context(pcre2_compile_context_create(nullptr));
        if (!context) throw std::bad_alloc();
        pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);

        const std::uint32_t options = PCRE2_MULTILINE | CompileOptions(mode) | (m_caseSensitive ? 0 : PCRE2_CASELESS);
        int error = 0;
        PCRE2_SIZE errorOffset = 0;
        Compiled result;
        result.code.reset(pcre2_compile(Units(m_pattern), m_pattern.size(), options, &error, &errorOffset, context.get()));
        if (!result.code) {
            // A pattern that is not valid UTF-8, or one that needs more than
            // bytes, is tried in the next mode rather than refused.
            const bool needsWideCharacters = error == PCRE2_ERROR_CODE_POINT_TOO_BIG;
            if (IsUtfError(error) || (mode == Mode::Bytes && needsWideCharacters)) {
                encodingError = true;
                return result;
            }
            throw RegExException(EngineMessage(error) + " at offset " + std::to_string(errorOffset));
        }
        // Without JIT the engine still works, only slower.
        pcre2_jit_compile(result.code.get(), PCRE2_JIT_COMPLETE);
        pcre2_pattern_info(result.code.get(), PCRE2_INFO_CAPTURECOUNT, &result.groups);
        result.data.reset(pcre2_match_data_create_from_pattern(result.code.get(), nullptr));
        if (!result.data) throw std::bad_alloc();
        return result;
    }

    std::string m_pattern;
    bool m_caseSensitive = false;
    std::array<Slot, kModeCount> m_slots;
};

namespace {

// Runs the matches of one Search or Replace. It starts in UTF-8 mode and moves
// to the other modes the first time the engine reports that the text or the
// pattern is not valid UTF-8.
class Matcher {
public:
    Matcher(detail::CompiledPatterns& compiled, const std::string& pattern, bool caseSensitive, std::string_view text)
        : m_compiled(compiled), m_pattern(pattern), m_caseSensitive(caseSensitive), m_text(text)
    {
    }

    // Looks for a match at or after `offset`; false when there is none.
    bool Find(std::size_t offset, std::uint32_t options)
    {
        for (;;) {
            if (m_code == nullptr) SelectCode();
            std::uint32_t matchOptions = options;
            if (m_mode == Mode::Utf && m_textChecked) matchOptions |= PCRE2_NO_UTF_CHECK;
            int rc = pcre2_match(m_code->code.get(), Units(m_text), m_text.size(), offset, matchOptions, m_code->data.get(), nullptr);
            if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
                // The interpreter keeps its backtracking on the heap and gets further.
                rc = pcre2_match(m_code->code.get(), Units(m_text), m_text.size(), offset, matchOptions | PCRE2_NO_JIT, m_code->data.get(), nullptr);
            }
            if (m_mode == Mode::Utf && IsUtfError(rc)) {
                m_textValidUtf = false;
                m_code = nullptr;
                continue;
            }
            if (rc == PCRE2_ERROR_NOMATCH) return false;
            if (rc < 0) throw RegExException(EngineMessage(rc));
            m_textChecked = true;
            return true;
        }
    }

    std::size_t Start() const { return pcre2_get_ovector_pointer(m_code->data.get())[0]; }
    std::size_t End() const { return pcre2_get_ovector_pointer(m_code->data.get())[1]; }
    std::uint32_t Groups() const { return m_code->groups; }

    // Sub-expression `index` of the last match, or nothing when it took no part.
    std::optional<std::pair<std::size_t, std::size_t>> Group(std::uint32_t index) const
    {
        if (index >= pcre2_get_ovector_count(m_code->data.get())) return std::nullopt;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_code->data.get());
        if (ovector[2 * index] == PCRE2_UNSET) return std::nullopt;
        return std::make_pair(ovector[2 * index], ovector[2 * index + 1]);
    }

    // The offset one character after `offset`; bytes that do not continue a
    // character are stepped over one at a time.
    std::size_t NextCharacter(std::size_t offset) const
    {
        ++offset;
        if (m_mode != Mode::Bytes) {
            while (offset < m_text.size() && (static_cast<unsigned char>(m_text[offset]) & 0xC0) == 0x80) ++offset;
        }
        return offset;
    }

private:
    void SelectCode()
    {
        if (m_textValidUtf && (m_code = m_compiled.CodeFor(m_pattern, m_caseSensitive, Mode::Utf))) {
            m_mode = Mode::Utf;
        } else if ((m_code = m_compiled.CodeFor(m_pattern, m_caseSensitive, Mode::Bytes))) {
            m_mode = Mode::Bytes;
        } else {
            m_code = m_compiled.CodeFor(m_pattern, m_caseSensitive, Mode::UtfTolerant);
            m_mode = Mode::UtfTolerant;
            // A pattern refused both as UTF-8 and as bytes has already been
            // reported by a RegExException; this is only a safeguard.
            if (m_code == nullptr) throw RegExException("the pattern cannot be used");
        }
    }

    detail::CompiledPatterns& m_compiled;
    const std::string& m_pattern;
    bool m_caseSensitive;
    std::string_view m_text;
    const Compiled* m_code = nullptr;
    Mode m_mode = Mode::Utf;
    bool m_textValidUtf = true;
    bool m_textChecked = false;
};

std::size_t ClampedStart(std::int64_t position, std::size_t size)
{
    if (position <= 0) return 0;
    return std::min(static_cast<std::size_t>(position), size);
}

} // namespace

const std::string& RegExMatch::SubExpressionString(int index) const
{
    if (index < 0 || index >= SubExpressionCount()) {
        throw std::out_of_range("sub-expression " + std::to_string(index) + " does not exist");
    }
    return m_parts[static_cast<std::size_t>(index)];
}

RegEx::RegEx() : m_compiled(std::make_unique<detail::CompiledPatterns>()) {}
RegEx::~RegEx() = default;

std::optional<RegExMatch> RegEx::Search(std::string_view text)
{
    Matcher matcher(*m_compiled, SearchPattern, Options.CaseSensitive, text);
    if (!matcher.Find(ClampedStart(SearchStartPosition, text.size()), 0)) return std::nullopt;

    std::vector<std::string> parts;
    for (std::uint32_t i = 0; i <= matcher.Groups(); ++i) {
        const auto range = matcher.Group(i);
        parts.emplace_back(range ? text.substr(range->first, range->second - range->first) : std::string_view());
    }
    return RegExMatch(std::move(parts));
}

std::string RegEx::Replace(std::string_view text)
{
    Matcher matcher(*m_compiled, SearchPattern, Options.CaseSensitive, text);
    const std::vector<ReplacementPiece> replacement = ParseReplacement(ReplacementPattern);

    std::string out;
    std::size_t copied = 0; // text before this offset is already in `out`
    std::size_t offset = ClampedStart(SearchStartPosition, text.size());
    std::uint32_t options = 0;
    bool replacedAny = false;
    while (offset <= text.size()) {
        if (!matcher.Find(offset, options)) {
            if (options == 0) break;
            // No non-empty match where the last empty one was: move on one
            // character, as Perl does, so that the loop always advances.
            options = 0;
            offset = matcher.NextCharacter(offset);
            continue;
        }
        replacedAny = true;
        const std::size_t start = matcher.Start();
        const std::size_t end = std::max(start, matcher.End());
        std::string inserted;
        for (const ReplacementPiece& piece : replacement) {
            if (piece.group >= 0) {
                if (const auto range = matcher.Group(static_cast<std::uint32_t>(piece.group))) {
                    inserted.append(text.substr(range->first, range->second - range->first));
                }
            }
            inserted.append(piece.literal);
        }
        // Room for the rest of the text and a little more, so that a result
        // that grows is not reallocated at double size while the text is held.
        const std::size_t needed = out.size() + (start - copied) + inserted.size();
        if (needed > out.capacity()) {
            const std::size_t rest = text.size() - end;
            out.reserve(needed + rest + rest / 16 + 64);
        }
        out.append(text.substr(copied, start - copied));
        out.append(inserted);
        copied = end;
        if (!Options.ReplaceAllMatches) break;
        offset = end;
        options = start == end ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0;
    }
    if (!replacedAny) return std::string(text);
    out.append(text.substr(copied));
    return out;
}

} // namespace platform
