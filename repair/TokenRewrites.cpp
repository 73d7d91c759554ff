#include "repair/TokenRewrites.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

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

// The final mapping, for lookups of every token of a large text: most tokens
// are not in it, so a small bitmap turns most of them away before the table
// is probed.
class TokenTable {
public:
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};

    void Reserve(std::size_t entries) { m_entries.reserve(entries); }
    void Insert(std::string_view from, std::string_view to) { m_entries.push_back({from, to, HashToken(from)}); }

    bool Empty() const { return m_entries.empty(); }
    std::string_view From(std::uint32_t entry) const { return m_entries[entry].from; }
    std::string_view To(std::uint32_t entry) const { return m_entries[entry].to; }

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

    // The entry that rewrites `token`, or kNone when it stays.
    std::uint32_t Find(std::string_view token) const
    {
        if (token.size() > m_maxLength) return kNone;
        const std::uint64_t hash = HashToken(token);
        const std::size_t bit = (hash >> 40) & m_filterMask;
        if ((m_filter[bit / 64] & (std::uint64_t{1} << (bit % 64))) == 0) return kNone;
        for (std::size_t slot = hash & m_slotMask; m_slots[slot] != kNone; slot = (slot + 1) & m_slotMask) {
            const Entry& entry = m_entries[m_slots[slot]];
            if (entry.hash == hash && entry.from == token) return m_slots[slot];
        }
        return kNone;
    }

private:
    struct Entry {
        std::string_view from;
        std::string_view to;
        std::uint64_t hash;
    };

    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_slots; // entry index, or kNone for an empty slot
    std::size_t m_slotMask = 0;
    std::vector<std::uint64_t> m_filter;
    std::size_t m_filterMask = 0;
    std::size_t m_maxLength = 0;
};

// Calls onHit(start, entry) for every token of `text` from `from` on that the
// table rewrites; `from` must be the start of a token or a byte outside one.
template <class OnHit>
void ForEachRewrittenToken(std::string_view text, std::size_t from, const TokenTable& table, OnHit onHit)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = from;
    while (i < size) {
        while (i < size && !IsTokenByte(bytes[i])) ++i;
        const std::size_t start = i;
        while (i < size && IsTokenByte(bytes[i])) ++i;
        if (i == start) continue;
        const std::uint32_t entry = table.Find(text.substr(start, i - start));
        if (entry != TokenTable::kNone) onHit(start, entry);
    }
}

} // namespace

bool IsTokenCharacter(char c) { return IsTokenByte(static_cast<unsigned char>(c)); }

bool IsTokenName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), IsTokenCharacter);
}

void TokenRewrites::Add(std::string_view from, std::string_view to)
{
    if (from == to) return;
    NameState& source = m_names[from];
    if (!source.isOriginal) {
        // Tokens that read `from` at the start still do: they join the group
        // whose tokens read `from` now, or start one.
        source.isOriginal = true;
        if (source.groupReading == kNone) {
            source.groupReading = static_cast<std::uint32_t>(m_groups.size());
            m_groups.push_back({from, kNone, kNone});
        }
        Group& group = m_groups[source.groupReading];
        const auto added = static_cast<std::uint32_t>(m_originals.size());
        m_originals.push_back({from, kNone});
        if (group.last == kNone) {
            group.first = added;
        } else {
            m_originals[group.last].next = added;
        }
        group.last = added;
    }

    const std::uint32_t moved = source.groupReading;
    if (moved == kNone) return; // no token reads `from` any more
    source.groupReading = kNone;

    NameState& target = m_names[to];
    if (target.groupReading == kNone) {
        target.groupReading = moved;
        m_groups[moved].reads = to;
        return;
    }
    // Both groups now read `to`: append one list to the other.
    Group& kept = m_groups[target.groupReading];
    Group& merged = m_groups[moved];
    m_originals[kept.last].next = merged.first;
    kept.last = merged.last;
    merged = Group{};
}

std::string TokenRewrites::ApplyTo(std::string text)
{
    TokenTable table;
    table.Reserve(m_originals.size());
    for (const Group& group : m_groups) {
        for (std::uint32_t i = group.first; i != kNone; i = m_originals[i].next) {
            if (m_originals[i].name != group.reads) table.Insert(m_originals[i].name, group.reads);
        }
    }
    m_originals.clear();
    m_groups.clear();
    m_names.clear();
    if (table.Empty()) return text;
    table.Build();

    // One scan notes where the rewritten tokens stand and how long the result
    // is, so that the result is allocated once and the text is never held more
    // than twice. A text with more such tokens than the list may hold is
    // scanned a second time from the last one noted.
    struct Hit {
        std::size_t start;
        std::uint32_t entry;
    };
    const std::size_t maxHits = std::max<std::size_t>(std::size_t{1} << 16, text.size() / 64);
    std::vector<Hit> hits;
    bool listFull = false;
    std::size_t size = text.size();
    ForEachRewrittenToken(text, 0, table, [&](std::size_t start, std::uint32_t entry) {
        size = size - table.From(entry).size() + table.To(entry).size();
        if (hits.size() < maxHits) {
            hits.push_back({start, entry});
        } else {
            listFull = true;
        }
    });
    if (hits.empty()) return text;

    std::string out;
    out.reserve(size);
    std::size_t copied = 0;
    const auto rewrite = [&](std::size_t start, std::uint32_t entry) {
        out.append(text, copied, start - copied);
        out.append(table.To(entry));
        copied = start + table.From(entry).size();
    };
    for (const Hit& hit : hits) rewrite(hit.start, hit.entry);
    if (listFull) ForEachRewrittenToken(text, copied, table, rewrite);
    out.append(text, copied);
    return out;
}

} // namespace repair
