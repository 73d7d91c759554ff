#include "repair/TokenRewrites.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <queue>
#include <utility>

#include "platform/core/Text.h"

namespace repair {
namespace {

constexpr std::array<bool, 256> kTokenBytes = [] {
    std::array<bool, 256> table{};
    for (int c = '0'; c <= '9'; ++c) table[static_cast<std::size_t>(c)] = true;
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = true;
    for (int c = 'a'; c <= 'z'; ++c) table[static_cast<std::size_t>(c)] = true;
    table['_'] = table['.'] = table['-'] = true;
    return table;
}();

bool IsTokenByte(unsigned char c) { return kTokenBytes[c]; }

std::uint64_t Load(const char* bytes, std::size_t count)
{
    std::uint64_t value = 0;
    std::memcpy(&value, bytes, count);
    return value;
}

// A quick hash for tokens, which are mostly short: up to eight bytes from each
// end, and the bytes between them eight at a time.
std::uint64_t HashToken(std::string_view token)
{
    const std::size_t n = token.size();
    const char* p = token.data();
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    if (n >= 8) {
        a = Load(p, 8);
        b = Load(p + n - 8, 8);
        for (std::size_t i = 8; i + 8 < n; i += 8) a = std::rotl((a ^ Load(p + i, 8)) * 0x9FB21C651E98DF25ULL, 29);
    } else if (n >= 4) {
        a = Load(p, 4);
        b = Load(p + n - 4, 4);
    } else if (n > 0) {
        a = Load(p, n);
    }
    std::uint64_t h = (a ^ 0x9E3779B97F4A7C15ULL) * 0xBF58476D1CE4E5B9ULL;
    h ^= std::rotl(b * 0x94D049BB133111EBULL, 31) ^ (n * 0xD6E8FEB86659FD93ULL);
    h ^= h >> 32;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 29;
    return h;
}

// The rewrites of token names, for lookups of every token of a large text:
// most tokens are not in it, so a small bitmap turns most of them away before
// the table is probed.
class TokenTable {
public:
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};

    void Insert(std::string_view from, std::uint32_t rewrite) { m_entries.push_back({from, HashToken(from), rewrite}); }

    void Build()
    {
        const std::size_t slots = std::bit_ceil(std::max<std::size_t>(16, m_entries.size() * 2));
        m_slots.assign(slots, kNone);
        m_slotMask = slots - 1;
        const std::size_t filterBits = std::clamp<std::size_t>(std::bit_ceil(m_entries.size() * 16), 1024, std::size_t{1} << 20);
        m_filter.assign(filterBits / 64, 0);
        m_filterMask = filterBits - 1;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            const Entry& entry = m_entries[i];
            m_maxLength = std::max(m_maxLength, entry.from.size());
            const std::size_t bit = (entry.hash >> 40) & m_filterMask;
            m_filter[bit / 64] |= std::uint64_t{1} << (bit % 64);
            std::size_t slot = entry.hash & m_slotMask;
            while (m_slots[slot] != kNone) slot = (slot + 1) & m_slotMask;
            m_slots[slot] = static_cast<std::uint32_t>(i);
        }
    }

    // The rewrite of `token`, or kNone when it stays.
    std::uint32_t Find(std::string_view token) const
    {
        if (token.size() > m_maxLength) return kNone;
        const std::uint64_t hash = HashToken(token);
        const std::size_t bit = (hash >> 40) & m_filterMask;
        if ((m_filter[bit / 64] & (std::uint64_t{1} << (bit % 64))) == 0) return kNone;
        for (std::size_t slot = hash & m_slotMask; m_slots[slot] != kNone; slot = (slot + 1) & m_slotMask) {
            const Entry& entry = m_entries[m_slots[slot]];
            if (entry.hash == hash && entry.from == token) return entry.rewrite;
        }
        return kNone;
    }

private:
    struct Entry {
        std::string_view from;
        std::uint64_t hash;
        std::uint32_t rewrite;
    };

    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_slots; // entry index, or kNone for an empty slot
    std::size_t m_slotMask = 0;
    std::vector<std::uint64_t> m_filter;
    std::size_t m_filterMask = 0;
    std::size_t m_maxLength = 0;
};

struct Hit {
    std::size_t start;
    std::uint32_t rewrite; // index in the order added, which also breaks ties

    bool operator>(const Hit& other) const { return start != other.start ? start > other.start : rewrite > other.rewrite; }
};

// The rewrites to make, in the order of the text, from a byte that starts a
// token or stands outside one. Token names are found by looking up every
// token of the text; the other names by plain search, each keeping its next
// place in a queue, nearest first.
class HitScanner {
public:
    HitScanner(std::string_view text, const std::vector<TokenRewrites::Rewrite>& rewrites, const TokenTable& tokens,
               const std::vector<std::uint32_t>& otherNames, std::size_t from)
        : m_text(text), m_rewrites(rewrites), m_tokens(tokens), m_end(from), m_tokenScan(from)
    {
        for (const std::uint32_t rewrite : otherNames) QueueNextPlace(rewrite, from);
    }

    // The next rewrite, starting at or after the end of the one before it.
    std::optional<Hit> Next()
    {
        if (m_token && m_token->start < m_end) m_token.reset();
        if (!m_token) m_token = NextToken();
        while (!m_others.empty() && m_others.top().start < m_end) {
            const std::uint32_t skipped = m_others.top().rewrite;
            m_others.pop();
            QueueNextPlace(skipped, m_end);
        }

        const bool searched = !m_others.empty() && (!m_token || *m_token > m_others.top());
        std::optional<Hit> chosen;
        if (searched) {
            chosen = m_others.top();
            m_others.pop();
        } else {
            chosen = std::exchange(m_token, std::nullopt);
        }
        if (!chosen) return std::nullopt;
        m_end = chosen->start + m_rewrites[chosen->rewrite].from.size();
        // A name found by search keeps its next place in the queue.
        if (searched) QueueNextPlace(chosen->rewrite, m_end);
        return chosen;
    }

private:
    std::optional<Hit> NextToken()
    {
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_text.data());
        const std::size_t size = m_text.size();
        std::size_t i = std::max(m_tokenScan, m_end);
        while (i < size) {
            while (i < size && !IsTokenByte(bytes[i])) ++i;
            const std::size_t start = i;
            while (i < size && IsTokenByte(bytes[i])) ++i;
            if (i == start) break;
            const std::uint32_t rewrite = m_tokens.Find(m_text.substr(start, i - start));
            if (rewrite != TokenTable::kNone) {
                m_tokenScan = i;
                return Hit{start, rewrite};
            }
        }
        m_tokenScan = size;
        return std::nullopt;
    }

    void QueueNextPlace(std::uint32_t rewrite, std::size_t from)
    {
        const std::string_view name = m_rewrites[rewrite].from;
        for (std::size_t at = m_text.find(name, from); at != std::string_view::npos; at = m_text.find(name, at + 1)) {
            if (StandsAsWholeToken(m_text, at, name.size())) {
                m_others.push(Hit{at, rewrite});
                return;
            }
        }
    }

    std::string_view m_text;
    const std::vector<TokenRewrites::Rewrite>& m_rewrites;
    const TokenTable& m_tokens;
    std::size_t m_end;       // where the last rewrite chosen ends
    std::size_t m_tokenScan; // where the search for token names goes on
    std::optional<Hit> m_token;
    std::priority_queue<Hit, std::vector<Hit>, std::greater<>> m_others;
};

} // namespace

bool IsTokenCharacter(char c) { return IsTokenByte(static_cast<unsigned char>(c)); }

bool IsTokenName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), IsTokenCharacter);
}

bool StandsAsWholeToken(std::string_view text, std::size_t start, std::size_t length)
{
    const std::size_t end = start + length;
    return (start == 0 || !IsTokenCharacter(text[start - 1])) && (end == text.size() || !IsTokenCharacter(text[end]))
        && !platform::IsInsideCharacter(text, start) && !platform::IsInsideCharacter(text, end);
}

void TokenRewrites::Add(std::string_view from, std::string_view to)
{
    m_rewrites.push_back({from, to});
}

std::string TokenRewrites::ApplyTo(std::string text) const
{
    TokenTable tokens;
    std::vector<std::uint32_t> otherNames;
    for (std::size_t i = 0; i < m_rewrites.size(); ++i) {
        const auto rewrite = static_cast<std::uint32_t>(i);
        if (IsTokenName(m_rewrites[i].from)) {
            tokens.Insert(m_rewrites[i].from, rewrite);
        } else {
            otherNames.push_back(rewrite);
        }
    }
    tokens.Build();

    // One scan notes where the rewrites go and how long the result is, so
    // that the result is allocated once and the text is never held more than
    // twice. A text with more rewrites than the list may hold is scanned a
    // second time from the last one noted.
    const std::size_t maxHits = std::max<std::size_t>(std::size_t{1} << 16, text.size() / 64);
    std::vector<Hit> hits;
    bool listFull = false;
    std::size_t size = text.size();
    HitScanner scan(text, m_rewrites, tokens, otherNames, 0);
    while (const std::optional<Hit> hit = scan.Next()) {
        size = size - m_rewrites[hit->rewrite].from.size() + m_rewrites[hit->rewrite].to.size();
        if (hits.size() < maxHits) {
            hits.push_back(*hit);
        } else {
            listFull = true;
        }
    }
    if (hits.empty()) return text;

    std::string out;
    out.reserve(size);
    std::size_t copied = 0;
    const auto rewrite = [&](const Hit& hit) {
        out.append(text, copied, hit.start - copied);
        out.append(m_rewrites[hit.rewrite].to);
        copied = hit.start + m_rewrites[hit.rewrite].from.size();
    };
    for (const Hit& hit : hits) rewrite(hit);
    if (listFull) {
        HitScanner rest(text, m_rewrites, tokens, otherNames, copied);
        while (const std::optional<Hit> hit = rest.Next()) rewrite(*hit);
    }
    out.append(text, copied);
    return out;
}

} // namespace repair
