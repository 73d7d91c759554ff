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

// A quick hash for tokens: the length and up to eight bytes from each end. Two
// long tokens that share both ends only cost a comparison more.
std::uint64_t HashToken(std::string_view token)
{
    const std::size_t n = token.size();
    const char* p = token.data();
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    if (n >= 8) {
        a = Load(p, 8);
        b = Load(p + n - 8, 8);
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
    void Insert(std::string from, const std::string* to)
    {
        m_entries.push_back({std::move(from), to, 0});
    }

    bool Empty() const { return m_entries.empty(); }

    void Build()
    {
        const std::size_t slots = std::bit_ceil(std::max<std::size_t>(16, m_entries.size() * 2));
        m_slots.assign(slots, 0);
        m_slotMask = slots - 1;
        const std::size_t filterBits = std::clamp<std::size_t>(std::bit_ceil(m_entries.size() * 16), 1024, std::size_t{1} << 20);
        m_filter.assign(filterBits / 64, 0);
        m_filterMask = filterBits - 1;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            Entry& entry = m_entries[i];
            entry.hash = HashToken(entry.from);
            m_maxLength = std::max(m_maxLength, entry.from.size());
            const std::size_t bit = (entry.hash >> 40) & m_filterMask;
            m_filter[bit / 64] |= std::uint64_t{1} << (bit % 64);
            std::size_t slot = entry.hash & m_slotMask;
            while (m_slots[slot] != 0) slot = (slot + 1) & m_slotMask;
            m_slots[slot] = static_cast<std::uint32_t>(i + 1);
        }
    }

    // What `token` becomes, or nullptr when it stays.
    const std::string* Find(std::string_view token) const
    {
        if (token.size() > m_maxLength) return nullptr;
        const std::uint64_t hash = HashToken(token);
        const std::size_t bit = (hash >> 40) & m_filterMask;
        if ((m_filter[bit / 64] & (std::uint64_t{1} << (bit % 64))) == 0) return nullptr;
        for (std::size_t slot = hash & m_slotMask; m_slots[slot] != 0; slot = (slot + 1) & m_slotMask) {
            const Entry& entry = m_entries[m_slots[slot] - 1];
            if (entry.hash == hash && entry.from == token) return entry.to;
        }
        return nullptr;
    }

private:
    struct Entry {
        std::string from;
        const std::string* to;
        std::uint64_t hash;
    };

    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_slots; // entry index + 1; 0 is an empty slot
    std::size_t m_slotMask = 0;
    std::vector<std::uint64_t> m_filter;
    std::size_t m_filterMask = 0;
    std::size_t m_maxLength = 0;
};

// Calls onHit(start, length, replacement) for every token of `text` from
// `from` on that the table rewrites; `from` must be the start of a token or a
// byte outside one.
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
        if (const std::string* replacement = table.Find(text.substr(start, i - start))) {
            onHit(start, i - start, *replacement);
        }
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
    const std::string fromName(from);
    if (m_tracked.insert(fromName).second) {
        // Tokens that read `from` at the start still do: they join the group
        // whose tokens read `from` now, or start one.
        auto [reading, isNew] = m_groupReading.try_emplace(fromName, m_groups.size());
        if (isNew) m_groups.push_back({fromName, {}});
        m_groups[reading->second].originals.push_back(fromName);
    }

    const auto source = m_groupReading.find(fromName);
    if (source == m_groupReading.end()) return; // no token reads `from` any more
    const std::size_t moved = source->second;
    m_groupReading.erase(source);

    const std::string toName(to);
    const auto target = m_groupReading.find(toName);
    if (target == m_groupReading.end()) {
        m_groups[moved].reads = toName;
        m_groupReading.emplace(toName, moved);
        return;
    }
    // Both groups now read `to`: keep one. Moving the smaller list into the
    // larger keeps long chains and swaps cheap.
    Group& kept = m_groups[target->second];
    Group& merged = m_groups[moved];
    if (merged.originals.size() > kept.originals.size()) std::swap(merged.originals, kept.originals);
    std::move(merged.originals.begin(), merged.originals.end(), std::back_inserter(kept.originals));
    merged.originals.clear();
}

std::string TokenRewrites::ApplyTo(std::string text)
{
    TokenTable table;
    for (Group& group : m_groups) {
        for (std::string& original : group.originals) {
            if (original != group.reads) table.Insert(std::move(original), &group.reads);
        }
    }
    table.Build();

    std::string out;
    bool rewritten = false;
    if (!table.Empty()) {
        // A first pass finds the size of the result, so that it is allocated once
        // and the text is never held more than twice.
        std::size_t size = text.size();
        std::size_t firstHit = text.size();
        ForEachRewrittenToken(text, 0, table, [&](std::size_t start, std::size_t length, const std::string& replacement) {
            firstHit = std::min(firstHit, start);
            size = size - length + replacement.size();
        });
        if (firstHit < text.size()) {
            rewritten = true;
            out.reserve(size);
            out.append(text, 0, firstHit);
            std::size_t copied = firstHit;
            ForEachRewrittenToken(text, firstHit, table, [&](std::size_t start, std::size_t length, const std::string& replacement) {
                out.append(text, copied, start - copied);
                out.append(replacement);
                copied = start + length;
            });
            out.append(text, copied);
        }
    }

    m_groups.clear();
    m_groupReading.clear();
    m_tracked.clear();
    if (rewritten) return out;
    return text;
}

} // namespace repair
