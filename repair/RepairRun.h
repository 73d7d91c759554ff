#pragma once

#include <optional>
#include <string>

#include "platform/core/FolderItem.h"

namespace repair {

// How soon a count must be on the screen. The counts between the first and
// the last come faster than a screen can show them; the others are what the
// user must see while the run works on.
enum class CountDraw { AtOnce, Paced };

// What the repair run needs of the window that starts it. The run reads the
// zones and writes only the progress count, so a test can stand in for the
// window without widgets.
class RepairView {
public:
    virtual ~RepairView() = default;

    // The texts of the old and the new bundle's zone labels: the version
    // texts after accepted drops, otherwise whatever the labels show.
    virtual std::string OldAppText() const = 0;
    virtual std::string NewAppText() const = 0;

    // The items of the three zones, nothing where none was accepted.
    virtual std::optional<platform::FolderItem> OldApp() const = 0;
    virtual std::optional<platform::FolderItem> NewApp() const = 0;
    virtual std::optional<platform::FolderItem> SourceFile() const = 0;

    // Shows `text` as the progress count: "" as the run starts, "0/last"
    // before the renaming and "i/last" after each index. The run keeps the
    // main thread busy, so the view draws the count itself: AtOnce before it
    // returns, Paced at least as often as a screen can show it changing. A
    // repaint left to the event loop would only show the final count.
    virtual void ShowProgress(const std::string& text, CountDraw draw) = 0;

    // Asks where to save, suggesting `suggestedName`; nothing when the user
    // cancels.
    virtual std::optional<platform::FolderItem> AskForOutputFile(const std::string& suggestedName) = 0;
};

// One complete repair, from the inputs on the zones to the saved file:
// refuses equal versions and missing inputs, pairs the glyph names of the two
// bundles' map files, renames the old names in the source text while the
// count shows the pairs done, and writes the result where the user chooses.
// Every failure is shown as it happens (an alert, or the pattern engine's
// message) and ends the run, memory running out among them; a cancelled save
// ends it silently. A failed write leaves the chosen place as it was, or
// says what became of it (see WriteTextAtomically).
void RunRepair(RepairView& view);

} // namespace repair
