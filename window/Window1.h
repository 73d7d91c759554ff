#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/FolderItem.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Window.h"
#include "repair/NameMap.h"

// The program's one window: three drop zones (the old and the new editor
// bundle, the old .glyphs file), the Repair button and the progress count.
class Window1 : public platform::Window {
public:
    // The framework's name for the class and its one implicit instance.
    static constexpr const char* kClassName = "Window1.Window1";

    Window1();
    ~Window1() override;

    // The items of the last accepted drop on each zone.
    std::optional<platform::FolderItem> AppOLD;
    std::optional<platform::FolderItem> AppNEW;
    std::optional<platform::FolderItem> GlyphsFile;

    // Controls, looked up by name.
    platform::GroupBox& GroupBox1() const;
    platform::Canvas& Canvas1() const;
    platform::Label& Label1() const;
    platform::GroupBox& GroupBox2() const;
    platform::Canvas& Canvas2() const;
    platform::Label& Label2() const;
    platform::Canvas& Canvas3() const;
    platform::GroupBox& GroupBox3() const;
    platform::Canvas& Canvas4() const;
    platform::Label& Label3() const;
    platform::PushButton& PushButton1() const;
    platform::Separator& Separator1() const;
    platform::Label& LabelCount() const;

    // Whether the class handles the window event of that name.
    bool IsEventImplemented(std::string_view eventName) const;
    // Sets the file that the window represents; with `withTitle` the title
    // shows its name. An absent or vanished file clears both.
    void SetProxyIcon(const std::optional<platform::FolderItem>& item, bool withTitle);

    // Handlers of the controls' events.
    void GroupBox1_Open(platform::GroupBox& box);
    void GroupBox1_DropObject(platform::GroupBox& box, platform::DragItem& drag, int action);
    void GroupBox2_Open(platform::GroupBox& box);
    void GroupBox2_DropObject(platform::GroupBox& box, platform::DragItem& drag, int action);
    void GroupBox3_Open(platform::GroupBox& box);
    void GroupBox3_DropObject(platform::GroupBox& box, platform::DragItem& drag, int action);
    void PushButton1_Action(platform::PushButton& button);

    // The repair, from the inputs on the zones to the saved file.
    void Run();

    // The glyph names of the bundle's Adobe-Japan1 map file; empty after an
    // alert, or when no line gives an entry.
    repair::NameMap GetMapFile(const platform::FolderItem& bundle);
    // The bundle's version text: the short version, "-" and the build from
    // its Info.plist; the empty text when it has none.
    std::string GetAppVerInfo(const platform::FolderItem& bundle);
    // The source file's text with LF line ends, trimmed; empty after an alert.
    std::string ReadGlyphsFile(const platform::FolderItem& file);
    // The index of the first entry of `list` equal to `text` (letter case
    // counts), or -1.
    std::int64_t IndexOfB(const std::vector<std::string>& list, std::string_view text);

    // Moves the window right or down, never left or up, so that its frame
    // starts inside the main screen's usable area.
    void AdjustPosition();

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
    void Event_Close() override;

private:
    using ZoneOpenHandler = void (Window1::*)(platform::GroupBox&);
    using ZoneDropHandler = void (Window1::*)(platform::GroupBox&, platform::DragItem&, int);

    void CreateControls0();
    void AttachZoneHandlers(platform::GroupBox& box, ZoneOpenHandler open, ZoneDropHandler drop);
};

// The one main window; created and opened on the first call.
class Window1& Window1();
