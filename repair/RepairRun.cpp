#include "repair/RepairRun.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#include "platform/core/Exceptions.h"
#include "platform/core/Text.h"
#include "platform/core/TextFile.h"
#include "repair/Localized.h"
#include "repair/Messages.h"
#include "repair/NamePairs.h"
#include "repair/Readers.h"
#include "repair/TokenRenaming.h"

namespace repair {
namespace {

// A zone's item counts only while it is still on disk: a bundle or file
// removed after its drop is as good as none.
bool IsThere(const std::optional<platform::FolderItem>& item)
{
    return item && item->Exists();
}

// "i/last" in plain decimal digits: the denominator is the last index, not
// the number of pairs.
std::string ProgressText(std::int64_t index, std::int64_t last)
{
    return std::to_string(index) + "/" + std::to_string(last);
}

// "Repaired_<version>.glyphs", always a file name: a "/" in the version text
// (a build such as "3.2/beta", or markup the version reader kept) would make
// the save dialog take the suggestion for a path into a folder.
std::string SuggestedFileName(const std::string& newVersion)
{
    std::string name = "Repaired_" + newVersion + ".glyphs";
    std::replace(name.begin(), name.end(), '/', '-');
    return name;
}

// The pairs of the two bundles' maps, or nothing when either map is empty.
// Both maps are read before either is tested, so the user learns of two
// broken bundles at once; the reader has already said what went wrong. The
// maps are let go here, before the source text is read.
std::optional<NamePairs> ReadNamePairs(const platform::FolderItem& oldApp, const platform::FolderItem& newApp)
{
    const NameMap oldMap = ReadMapFile(oldApp);
    const NameMap newMap = ReadMapFile(newApp);
    if (oldMap.KeyCount() == 0 || newMap.KeyCount() == 0) return std::nullopt;
    return PairNames(oldMap, newMap);
}

// The steps of RunRepair.
void Repair(RepairView& view)
{
    view.ShowProgress("", CountDraw::AtOnce);

    // The labels are compared before the inputs are: two bundles of one
    // version make a repair pointless whatever else is missing.
    if (platform::PlainEquals(view.OldAppText(), view.NewAppText())) {
        ShowAlert(Localized::Both_apps_are_the_same_version());
        return;
    }
    // The inputs in the order they are checked, each with what the user is
    // asked for when it is missing; the first missing one stops the run.
    const std::optional<platform::FolderItem> oldApp = view.OldApp();
    const std::optional<platform::FolderItem> newApp = view.NewApp();
    const std::optional<platform::FolderItem> source = view.SourceFile();
    const std::pair<const std::optional<platform::FolderItem>*, std::string (*)(std::string_view)> inputs[] = {
        {&oldApp, Localized::Drop_the_old_Glyphs_app},
        {&newApp, Localized::Drop_the_new_Glyphs_app},
        {&source, Localized::Drop_the_old_Glyphs_file},
    };
    for (const auto& [item, askFor] : inputs) {
        if (!IsThere(*item)) {
            ShowAlert(askFor({}));
            return;
        }
    }

    const std::optional<NamePairs> read = ReadNamePairs(*oldApp, *newApp);
    if (!read) return;
    const NamePairs& pairs = *read;
    if (pairs.OldNames.empty()) {
        ShowAlert(Localized::Both_AJ1_Map_Files_are_the_same());
        return;
    }

    std::string text = ReadGlyphsText(*source);
    if (platform::LenB(text) == 0) {
        ShowAlert(Localized::The_Glyphs_file_is_empty());
        return;
    }

    const auto last = static_cast<std::int64_t>(pairs.OldNames.size()) - 1;
    view.ShowProgress(ProgressText(0, last), CountDraw::AtOnce);
    // Every pair is decided before the text is rewritten, so the last count
    // comes before the longest wait of the run and must be seen through it.
    text = RenameTokens(std::move(text), pairs, [&view](std::int64_t index, std::int64_t lastIndex) {
        view.ShowProgress(ProgressText(index, lastIndex), index == lastIndex ? CountDraw::AtOnce : CountDraw::Paced);
    });

    const std::optional<platform::FolderItem> output = view.AskForOutputFile(SuggestedFileName(view.NewAppText()));
    if (!output) return;
    try {
        platform::WriteTextAtomically(*output, text);
    } catch (const platform::SavedWithFaultException& fault) {
        // The new text is in place: saying that it could not be saved would
        // send the user to save again, or to give up on a file that is there.
        const bool mayNotBeOnDisk = fault.Kind() == platform::SavedWithFaultException::Fault::MayNotBeOnDisk;
        ShowAlert(mayNotBeOnDisk ? Localized::The_repaired_file_was_saved_but_may_not_be_on_the_disk_yet()
                                 : Localized::The_repaired_file_was_saved_but_a_copy_of_its_old_text_is_left(),
                  fault.Path() + "\n" + fault.Reason());
    } catch (const platform::IOException& error) {
        // Success shows nothing, so a failure that showed nothing would pass
        // for one. The explanation names the file and gives the reason: the
        // system's, in the C library's words, or the program's own, in the
        // active language.
        ShowAlert(Localized::The_repaired_file_could_not_be_saved(), error.Path() + "\n" + error.Reason());
    }
}

} // namespace

void RunRepair(RepairView& view)
{
    // A source or a map that memory could not hold ends the run with an
    // alert, not the program. The texts of the run are freed by then.
    try {
        Repair(view);
    } catch (const std::bad_alloc&) {
        ShowAlert(Localized::There_is_not_enough_memory_to_repair_this_file());
    }
}

} // namespace repair
