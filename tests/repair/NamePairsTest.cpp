#include <gtest/gtest.h>

#include "repair/NamePairs.h"

using repair::NameMap;

TEST(PairNames, ChangedNamesOfSharedKeysInTheOldMapsOrder)
{
    NameMap oldMap;
    NameMap newMap;
    for (const auto& [key, name] : std::vector<std::pair<const char*, const char*>>{
             {"5", "e"}, {"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"6", "f"}}) {
        oldMap.SetValue(key, name);
    }
    for (const auto& [key, name] : std::vector<std::pair<const char*, const char*>>{
             {"6", "f"}, {"2", "b.jp"}, {"1", "x"}, {"3", "C"}, {"7", "g"}, {"5", "e2"}}) {
        newMap.SetValue(key, name);
    }
    // "4" is only in the old map, "7" only in the new one, "6" is unchanged,
    // and "3" differs in letter case only.
    const repair::NamePairs pairs = repair::PairNames(oldMap, newMap);
    EXPECT_EQ(pairs.OldNames, (std::vector<std::string>{"e", "a", "b", "c"}));
    EXPECT_EQ(pairs.NewNames, (std::vector<std::string>{"e2", "x", "b.jp", "C"}));
}

TEST(PairNames, KeysDifferingInCaseAreDifferentKeys)
{
    NameMap oldMap;
    NameMap newMap;
    oldMap.SetValue("k", "a");
    newMap.SetValue("K", "b");
    EXPECT_TRUE(repair::PairNames(oldMap, newMap).OldNames.empty());
}

TEST(IndexOfB, FirstCaseSensitiveMatchOrMinusOne)
{
    const std::vector<std::string> list = {"a", "B", "b", "a"};
    EXPECT_EQ(repair::IndexOfB(list, "a"), 0);
    EXPECT_EQ(repair::IndexOfB(list, "b"), 2);
    EXPECT_EQ(repair::IndexOfB(list, "A"), -1);
    EXPECT_EQ(repair::IndexOfB(list, ""), -1);
    EXPECT_EQ(repair::IndexOfB({}, "a"), -1);
    EXPECT_EQ(repair::IndexOfB({"", "x"}, ""), 0);
}
