#include "platform/core/Text.h"

#include <algorithm>

namespace platform {
namespace {

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsTrimmedSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at `pos`, or 1 when the bytes there
// do not form one (the byte then stands for itself).
std::size_t SequenceLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 1;
    }
    if (pos + length > text.size()) return 1;
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    if (second < low || second > high) return 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return 1;
    }
    return length;
}

} // namespace

bool PlainEquals(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string LeftB(std::string_view text, std::size_t count)
{
    return std::string(text.substr(0, std::min(count, text.size())));
}

std::string RightB(std::string_view text, std::size_t count)
{
    const std::size_t n = std::min(count, text.size());
    return std::string(text.substr(text.size() - n));
}

std::string ReplaceLineEndingsLF(std::string text)
{
    // No line end grows, so the text is rewritten from its first CR on, each
    // byte moving toward the front; a text without CR is left untouched.
    std::size_t out = text.find('\r');
    if (out == std::string::npos) return text;
    for (std::size_t i = out; i < text.size(); ++i) {
        if (text[i] == '\r') {
            text[out++] = '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            text[out++] = text[i];
        }
    }
    text.resize(out);
    return text;
}

std::string Trim(std::string text)
{
    std::size_t end = text.size();
    while (end > 0 && IsTrimmedSpace(text[end - 1])) --end;
    text.resize(end);
    std::size_t begin = 0;
    while (begin < end && IsTrimmedSpace(text[begin])) ++begin;
    text.erase(0, begin);
    return text;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string> pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, found - start));
        start = found + separator.size();
    }
}

std::string ReplaceFirstPlain(std::string_view text, std::string_view find, std::string_view replacement)
{
    const std::size_t found = find.empty() ? std::string_view::npos : text.find(find);
    if (found == std::string_view::npos) return std::string(text);
    std::string out(text.substr(0, found));
    out.append(replacement);
    out.append(text.substr(found + find.size()));
    return out;
}

std::size_t CharactersToBytes(std::string_view text, std::int64_t characters)
{
    std::size_t pos = 0;
    for (std::int64_t n = 0; n < characters && pos < text.size(); ++n) {
        pos += SequenceLength(text, pos);
    }
    return pos;
}

bool IsInsideCharacter(std::string_view text, std::size_t pos)
{
    // A character's first byte never occurs inside another one, so a
    // well-formed sequence that starts up to three bytes back and reaches
    // past `pos` is the character that `pos` lies in.
    for (std::size_t back = 1; back <= 3 && back <= pos && pos < text.size(); ++back) {
        if (SequenceLength(text, pos - back) > back) return true;
    }
    return false;
}

} // namespace platform
