#include "window/Window1.h"

#include <optional>
#include <string>

#include "platform/core/Text.h"
#include "repair/Localized.h"
#include "window/General.h"
#include "window/Icon.h"

// What a drop on each zone does with the dropped item. The three zones run one
// procedure on their own controls; they differ in the prompt, the name test,
// the alert and what the label shows for an accepted item.

namespace {

// The controls and texts of one zone. Application zones take an editor
// bundle and show its version; the source-file zone shows the file's name.
struct Zone {
    bool takesApp;
    std::optional<platform::FolderItem>& item;
    platform::Canvas& canvas;
    platform::Label& label;
    std::string prompt;
};

// The geometry and style of a zone label with no item and with one.
constexpr int kClearedLeft = 32, kClearedWidth = 306, kClearedAlign = 1;
constexpr int kFilledLeft = 108, kFilledWidth = 230, kFilledAlign = 0;
constexpr double kClearedTextSize = 15.0, kFilledTextSize = 0.0;

// A bundle of the editor: "Glyphs", anything, ".app".
bool IsGlyphsAppName(const platform::FolderItem& item)
{
    if (!platform::PlainEquals(platform::LeftB(item.Name(), 6), "Glyphs")) return false;
    return platform::PlainEquals(platform::RightB(item.Name(), 4), ".app");
}

bool IsGlyphsFileName(const platform::FolderItem& item)
{
    return platform::PlainEquals(platform::RightB(item.Name(), 7), ".glyphs");
}

void DropOnZone(class Window1& window, const Zone& zone, platform::DragItem& drag)
{
    // Every drop clears the zone first, so a refused drop also forgets the
    // item that the zone held before.
    zone.item.reset();
    zone.canvas.SetBackdrop(nullptr);
    zone.label.SetText(zone.prompt);
    if (!zone.takesApp) zone.label.SetTextSize(kClearedTextSize);
    zone.label.SetWidth(kClearedWidth);
    zone.label.SetLeft(kClearedLeft);
    zone.label.SetTextAlign(kClearedAlign);

    if (!drag.FolderItemAvailable()) return;
    const platform::FolderItem item = drag.GetFolderItem();
    if (!(zone.takesApp ? IsGlyphsAppName(item) : IsGlyphsFileName(item))) {
        General::ShowAlertOK(zone.takesApp ? Localized::Not_a_Glyphs_app() : Localized::Not_a_Glyphs_file(), "", nullptr);
        return;
    }

    zone.item = item;
    zone.canvas.SetBackdrop(Icon::Get(item, window.Canvas1().Width()));
    if (zone.takesApp) {
        zone.label.SetText(window.GetAppVerInfo(item));
    } else {
        zone.label.SetText(item.Name());
        zone.label.SetTextSize(kFilledTextSize);
    }
    zone.label.SetWidth(kFilledWidth);
    zone.label.SetLeft(kFilledLeft);
    zone.label.SetTextAlign(kFilledAlign);
}

} // namespace

void Window1::GroupBox1_DropObject(platform::GroupBox&, platform::DragItem& drag, int)
{
    DropOnZone(*this, {true, AppOLD, Canvas1(), Label1(), Localized::Drop_the_old_Glyphs_app()}, drag);
}

void Window1::GroupBox2_DropObject(platform::GroupBox&, platform::DragItem& drag, int)
{
    DropOnZone(*this, {true, AppNEW, Canvas2(), Label2(), Localized::Drop_the_new_Glyphs_app()}, drag);
}

void Window1::GroupBox3_DropObject(platform::GroupBox&, platform::DragItem& drag, int)
{
    // The third zone's icon goes to Canvas3, the window's canvas at the
    // zone's icon place; Canvas4 inside the group box stays empty.
    DropOnZone(*this, {false, GlyphsFile, Canvas3(), Label3(), Localized::Drop_the_old_Glyphs_file()}, drag);
}
