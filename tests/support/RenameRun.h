#pragma once

#include <string>
#include <utility>
#include <vector>

#include "repair/TokenRenaming.h"
#include "tests/support/MessageRecorder.h"

// Everything one renaming gives: the text, the failure flag, the progress
// reports as "i/last" and the messages shown, in order.
struct RenameRun {
    std::string text;
    bool failed = false;
    std::vector<std::string> labels;
    std::vector<std::string> shown;

    bool operator==(const RenameRun&) const = default;
};

inline RenameRun RunRenaming(const std::string& text, const repair::NamePairs& pairs, repair::RenameRoad road)
{
    MessageRecorder messages;
    RenameRun run;
    const repair::RenameResult result = repair::RenameTokens(text, pairs, [&](std::int64_t i, std::int64_t last) {
        run.labels.push_back(std::to_string(i) + "/" + std::to_string(last));
    }, road);
    run.text = result.Text;
    run.failed = result.EngineFailed;
    run.shown = messages.Shown();
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
