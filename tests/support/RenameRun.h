#pragma once

#include <string>
#include <utility>
#include <vector>

#include "repair/TokenRenaming.h"

// Everything one renaming gives: the text and the progress reports as
// "i/last", in order.
struct RenameRun {
    std::string text;
    std::vector<std::string> labels;
};

inline RenameRun RunRenaming(const std::string& text, const repair::NamePairs& pairs)
{
    RenameRun run;
    run.text = repair::RenameTokens(text, pairs, [&](std::int64_t i, std::int64_t last) {
        run.labels.push_back(std::to_string(i) + "/" + std::to_string(last));
    });
    return run;
}

inline repair::NamePairs MakePairs(const std::vector<std::pair<std::string, std::string>>& list)
{
    repair::NamePairs pairs;
    for (const auto& [oldName, newName] : list) {
        pairs.OldNames.push_back(oldName);
        pairs.NewNames.push_back(newName);
    }
    return pairs;
}
