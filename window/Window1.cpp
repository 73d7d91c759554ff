#include "window/Window1.h"

#include "platform/gui/Runtime.h"
#include "repair/Localized.h"
#include "window/FileTypeGroup1.h"
#include "window/GuiMessageSink.h"

namespace {

// Where a control sits and which edges follow the window when it is resized.
struct Placement {
    const char* parent; // a group box's name, or "" for the window
    int left, top, width, height;
    bool lockLeft, lockTop, lockRight, lockBottom;
    int tabIndex;
};

// The designed values that every control of the window receives.
void Place(platform::Control& control, const Placement& p)
{
    control.SetInitialParent(p.parent);
    control.SetGeometry(p.left, p.top, p.width, p.height);
    control.LockLeft = p.lockLeft;
    control.LockTop = p.lockTop;
    control.LockRight = p.lockRight;
    control.LockBottom = p.lockBottom;
    control.TabIndex = p.tabIndex;
    control.TabPanelIndex = 0;
    control.TabStop = true;
    control.AllowAutoDeactivate = true;
    control.SetVisible(true);
    control.SetTooltip("");
}

void DesignGroupBox(platform::GroupBox& box, const Placement& p)
{
    box.SetCaption("");
    box.SetEnabled(true);
    box.SetFontSize(0);
    Place(box, p);
}

void DesignCanvas(platform::Canvas& canvas, const Placement& p)
{
    canvas.SetEnabled(true);
    canvas.Transparent = true;
    canvas.AllowFocus = false;
    canvas.AllowFocusRing = true;
    canvas.AllowTabs = false;
    canvas.DoubleBuffer = false;
    canvas.SetBackdrop(nullptr);
    Place(canvas, p);
}

// A label's designed values. The text colour is left to the palette, so that
// dark mode stays readable.
void DesignLabel(platform::Label& label, const Placement& p, bool enabled, int textAlignment, double fontSize)
{
    label.SetEnabled(enabled);
    label.Multiline = false;
    label.Selectable = false;
    label.SetTextAlignment(textAlignment);
    label.Transparent = false;
    label.SetFontSize(fontSize);
    Place(label, p);
}

// The zone labels: disabled prompts at size 15 that span their zone.
void DesignZoneLabel(platform::Label& label, const Placement& p)
{
    DesignLabel(label, p, false, 2, 15);
}

} // namespace

// The window is what shows the engine's messages to the user.
Window1::Window1()
{
    GuiMessageSink::Install();
}

Window1::~Window1()
{
    AppOLD.reset();
    AppNEW.reset();
    GlyphsFile.reset();
}

void Window1::Layout()
{
    SetWidth(370);
    SetHeight(400);
    SetMinWidth(370);
    SetMinHeight(400);
    SetMaxWidth(32000);
    SetMaxHeight(32000);
    SetTitle("Sorvanel");
    SetCloseButton(true);
    SetHasMaximizeButton(false);
    SetMinimizeButton(true);
    SetHasFullScreenButton(false);
    SetResizeable(false);
    SetVisible(true);
    SetMenuBarVisible(true);
}

void Window1::CreateControls()
{
    CreateControls0();
}

// A drop zone's Open and DropObject events call the window's handlers.
void Window1::AttachZoneHandlers(platform::GroupBox& box, ZoneOpenHandler open, ZoneDropHandler drop)
{
    box.Open = [this, open](platform::GroupBox& opened) { (this->*open)(opened); };
    box.DropObject = [this, drop](platform::GroupBox& target, platform::DragItem& drag, int action) {
        (this->*drop)(target, drag, action);
    };
}

void Window1::CreateControls0()
{
    NewControl<platform::GroupBox>("GroupBox1");
    DesignGroupBox(GroupBox1(), {"", 20, 20, 330, 90, true, true, true, false, 0});
    AttachZoneHandlers(GroupBox1(), &Window1::GroupBox1_Open, &Window1::GroupBox1_DropObject);

    NewControl<platform::Canvas>("Canvas1");
    DesignCanvas(Canvas1(), {"GroupBox1", 32, 33, 64, 64, true, true, false, false, 0});

    NewControl<platform::Label>("Label1");
    Label1().SetText(Localized::Drop_Old_Glyphs_App());
    DesignZoneLabel(Label1(), {"GroupBox1", 32, 33, 306, 64, true, true, true, false, 1});

    NewControl<platform::GroupBox>("GroupBox2");
    DesignGroupBox(GroupBox2(), {"", 20, 122, 330, 90, true, true, true, false, 1});
    AttachZoneHandlers(GroupBox2(), &Window1::GroupBox2_Open, &Window1::GroupBox2_DropObject);

    NewControl<platform::Canvas>("Canvas2");
    DesignCanvas(Canvas2(), {"GroupBox2", 32, 135, 64, 64, true, true, false, false, 0});

    NewControl<platform::Label>("Label2");
    Label2().SetText(Localized::Drop_New_Glyphs_App());
    DesignZoneLabel(Label2(), {"GroupBox2", 32, 135, 306, 64, true, true, true, false, 1});

    NewControl<platform::Canvas>("Canvas3");
    DesignCanvas(Canvas3(), {"", 32, 261, 64, 64, true, true, false, false, 2});

    NewControl<platform::GroupBox>("GroupBox3");
    DesignGroupBox(GroupBox3(), {"", 20, 248, 330, 90, true, true, true, false, 3});
    AttachZoneHandlers(GroupBox3(), &Window1::GroupBox3_Open, &Window1::GroupBox3_DropObject);

    NewControl<platform::Canvas>("Canvas4");
    DesignCanvas(Canvas4(), {"GroupBox3", 32, 261, 64, 64, true, true, false, false, 0});

    NewControl<platform::Label>("Label3");
    Label3().SetText(Localized::Drop_Old_Glyphs_File());
    DesignZoneLabel(Label3(), {"GroupBox3", 32, 261, 306, 64, true, true, true, false, 1});

    NewControl<platform::PushButton>("PushButton1");
    PushButton1().SetCaption(Localized::kRepair());
    PushButton1().Default = false;
    PushButton1().Cancel = false;
    PushButton1().SetEnabled(true);
    PushButton1().SetFontSize(0);
    Place(PushButton1(), {"", 122, 350, 126, 20, true, true, false, false, 4});
    PushButton1().Action = [this](platform::PushButton& button) { PushButton1_Action(button); };

    NewControl<platform::Separator>("Separator1");
    Separator1().SetEnabled(true);
    Place(Separator1(), {"", 20, 228, 330, 4, true, true, true, false, 5});

    NewControl<platform::Label>("LabelCount");
    LabelCount().SetText("");
    DesignLabel(LabelCount(), {"", 260, 350, 90, 20, false, false, true, true, 6}, true, 3, 0);

    // Canvas3 lies in the window, under GroupBox3, which was created after it;
    // brought to the front, the third zone's icon shows inside its zone as
    // the icons of the other two zones do.
    Canvas3().BringToFront();
}

platform::GroupBox& Window1::GroupBox1() const { return ControlAs<platform::GroupBox>("GroupBox1"); }
platform::Canvas& Window1::Canvas1() const { return ControlAs<platform::Canvas>("Canvas1"); }
platform::Label& Window1::Label1() const { return ControlAs<platform::Label>("Label1"); }
platform::GroupBox& Window1::GroupBox2() const { return ControlAs<platform::GroupBox>("GroupBox2"); }
platform::Canvas& Window1::Canvas2() const { return ControlAs<platform::Canvas>("Canvas2"); }
platform::Label& Window1::Label2() const { return ControlAs<platform::Label>("Label2"); }
platform::Canvas& Window1::Canvas3() const { return ControlAs<platform::Canvas>("Canvas3"); }
platform::GroupBox& Window1::GroupBox3() const { return ControlAs<platform::GroupBox>("GroupBox3"); }
platform::Canvas& Window1::Canvas4() const { return ControlAs<platform::Canvas>("Canvas4"); }
platform::Label& Window1::Label3() const { return ControlAs<platform::Label>("Label3"); }
platform::PushButton& Window1::PushButton1() const { return ControlAs<platform::PushButton>("PushButton1"); }
platform::Separator& Window1::Separator1() const { return ControlAs<platform::Separator>("Separator1"); }
platform::Label& Window1::LabelCount() const { return ControlAs<platform::Label>("LabelCount"); }

bool Window1::IsEventImplemented(std::string_view eventName) const
{
    return eventName == "Open" || eventName == "Close";
}

void Window1::SetProxyIcon(const std::optional<platform::FolderItem>& item, bool withTitle)
{
    if (!item || !item->Exists()) {
        SetTitleWithRepresentedFilename("");
    } else if (withTitle) {
        SetTitleWithRepresentedFilename(item->NativePath());
    } else {
        SetRepresentedFilename(item->NativePath());
    }
}

void Window1::GroupBox1_Open(platform::GroupBox& box)
{
    box.AcceptFileDrop(FileTypeGroup1::App()->ToText());
}

void Window1::GroupBox2_Open(platform::GroupBox& box)
{
    box.AcceptFileDrop(FileTypeGroup1::App()->ToText());
}

void Window1::GroupBox3_Open(platform::GroupBox& box)
{
    box.AcceptFileDrop(FileTypeGroup1::GlyphsFile()->ToText());
}

class Window1& Window1()
{
    if (platform::Window* existing = platform::ImplicitInstance(Window1::kClassName)) {
        return dynamic_cast<class Window1&>(*existing);
    }
    auto created = std::make_unique<class Window1>();
    class Window1& window = *created;
    platform::SetImplicitInstance(Window1::kClassName, std::move(created));
    window.Construct();
    return window;
}
