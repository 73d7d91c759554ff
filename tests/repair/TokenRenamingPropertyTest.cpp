#include <gtest/gtest.h>

#include <random>

#include "repair/TokenRenaming.h"
#include "repair/TokenRewrites.h"
#include "tests/repair/ReferenceRenaming.h"

using repair::NamePairs;

namespace {

// Few names, so that chains, swaps, cycles, repeated old names and case-only
// pairs come up often. Some hold characters outside tokens, so that the
// renamer has to search for them beside its token lookups, and overlap each
// other; some hold bytes that are not UTF-8 and could match inside a
// character of the text, four-byte ones included.
const std::vector<std::string> kNames = {
    "a", "b", "c", "A", "B", "a.b", "a-1", "_x", "uni4E00", "uni4E00.jp", "cid123", "a.", ".a",
    "a b", "b a", "a+", "(c)", "b;a", "q\"", "\xC3\xA9", "a\xE3\x81\x82", "\xFF" "b", "a$1", "",
    "\x81", "caf\xE9", "\x80" "a", "\xE3\x81", "\xF0\xA0\x80",
};

// What stands between names: line ends, CR, blanks, quotes, semicolons, token
// characters that glue names into longer tokens, non-ASCII text and bytes
// that are not UTF-8.
const std::vector<std::string> kGaps = {
    "", " ", "\n", "\n\n", "\r", "\r\n", ";", "\"", ".", "-", "_", "x", "1", "(", ")", " = ", "\t",
    "\xC3\xA9", "\xE3\x81\x82", "\xF0\xA0\x80\x80", "\xFF", "\xC3", "\xE3\x81", "\xC0\x80", "\xE9\x80\x80", "\x82", "caf",
};

template <class T>
const T& Pick(std::mt19937_64& random, const std::vector<T>& from)
{
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

std::string Printable(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\') {
            out.push_back(c);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
            out += escaped;
        }
    }
    return out;
}

} // namespace

TEST(RenamingProperty, RenamerEqualsPlainReferenceByteForByte)
{
    for (std::uint64_t seed = 1; seed <= 3000; ++seed) {
        std::mt19937_64 random(seed);
        const bool tokenNamesOnly = seed % 2 == 0;

        NamePairs pairs;
        const auto pairCount = std::uniform_int_distribution<int>(1, 10)(random);
        for (int i = 0; i < pairCount; ++i) {
            std::string oldName;
            std::string newName;
            do {
                oldName = Pick(random, kNames);
                newName = Pick(random, kNames);
            } while (tokenNamesOnly && !(repair::IsTokenName(oldName) && repair::IsTokenName(newName)));
            pairs.OldNames.push_back(oldName);
            pairs.NewNames.push_back(newName);
        }

        std::string text;
        const auto pieces = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < pieces; ++i) text += random() % 2 ? Pick(random, kNames) : Pick(random, kGaps);

        const std::string expected = reference::Rename(text, pairs);
        const std::string renamed = repair::RenameTokens(text, pairs, {});
        if (renamed != expected) {
            std::string listed;
            for (std::size_t i = 0; i < pairs.OldNames.size(); ++i) {
                listed += " [" + Printable(pairs.OldNames[i]) + " -> " + Printable(pairs.NewNames[i]) + "]";
            }
            ADD_FAILURE() << "seed " << seed << "\n  text:     " << Printable(text) << "\n  pairs:   " << listed
                          << "\n  expected: " << Printable(expected) << "\n  renamed:  " << Printable(renamed);
            return;
        }
    }
}

// Thousands of pairs drawn from a few hundred names fill the renamer's
// tables far beyond what the small cases reach, with long chains, swaps and
// repeated old names among them.
TEST(RenamingProperty, ManyPairsGiveTheReferenceBytes)
{
    std::mt19937_64 random(20261207);
    std::vector<std::string> names;
    for (int i = 0; i < 400; ++i) names.push_back("uni" + std::to_string(4000 + i) + (i % 3 == 0 ? ".jp" : ""));

    NamePairs pairs;
    for (int i = 0; i < 2000; ++i) {
        pairs.OldNames.push_back(Pick(random, names));
        pairs.NewNames.push_back(Pick(random, names));
    }
    std::string text;
    while (text.size() < 50000) text += Pick(random, names) + Pick(random, kGaps);

    const std::string renamed = repair::RenameTokens(text, pairs, {});
    EXPECT_TRUE(renamed == reference::Rename(text, pairs));
    EXPECT_NE(renamed, text);
}
