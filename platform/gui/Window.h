#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/gui/Geometry.h"

#include <QMargins>

class QWidget;

namespace platform {

class Control;
class WindowFrame;

// The framework's window. Left, Top, Width and Height are the content area in
// global coordinates; Bounds is the outer frame, which also takes in the title
// bar and, on this platform, the menu bar that sits above the content.
class Window {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The framework's window constructor: applies the designed values
    // (Layout), creates the controls (CreateControls), raises each control's
    // Open event in creation order and then the window's, and shows it.
    void Construct();

    std::int64_t Left() const;
    std::int64_t Top() const;
    std::int64_t Width() const;
    std::int64_t Height() const;
    void SetLeft(std::int64_t left);
    void SetTop(std::int64_t top);
    void SetWidth(std::int64_t width);
    void SetHeight(std::int64_t height);

    Rect Bounds() const;
    void SetBounds(const Rect& frame);
    // Where Bounds leaves out the decorations that the window manager has yet
    // to put around the hidden window (nothing could tell them in advance),
    // calls `placement` once, when they appear, instead of setting the
    // frame's corner again; otherwise does nothing. A placement made on the
    // frame without decorations can thus be made again on the whole frame.
    void PlaceAgainWhenDecorated(std::function<void()> placement);

    std::int64_t MinWidth() const { return m_minWidth; }
    std::int64_t MinHeight() const { return m_minHeight; }
    std::int64_t MaxWidth() const { return m_maxWidth; }
    std::int64_t MaxHeight() const { return m_maxHeight; }
    void SetMinWidth(std::int64_t value);
    void SetMinHeight(std::int64_t value);
    void SetMaxWidth(std::int64_t value);
    void SetMaxHeight(std::int64_t value);

    bool Resizeable() const { return m_resizeable; }
    bool CloseButton() const { return m_closeButton; }
    bool MinimizeButton() const { return m_minimizeButton; }
    bool HasMaximizeButton() const { return m_maximizeButton; }
    bool HasFullScreenButton() const { return m_fullScreenButton; }
    void SetResizeable(bool value);
    void SetCloseButton(bool value);
    void SetMinimizeButton(bool value);
    void SetHasMaximizeButton(bool value);
    void SetHasFullScreenButton(bool value);

    std::string Title() const;
    void SetTitle(const std::string& title);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool MenuBarVisible() const { return m_menuBarVisible; }
    void SetMenuBarVisible(bool visible);

    // Repaints the whole window; with `immediately` the paint is done before
    // the call returns.
    void Refresh(bool immediately);

    // Closes the window as its close button does: raises Close, then hides.
    void Close();
    bool IsOpen() const { return m_open; }

    // Controls: created for this window and kept under their names.
    template <class T>
    T& NewControl(const std::string& name)
    {
        auto control = std::make_unique<T>();
        T& ref = *control;
        AddControl(name, std::move(control));
        return ref;
    }
    void AddControl(const std::string& name, std::unique_ptr<Control> control);
    Control* ControlByName(std::string_view name) const;
    // The control of that name as class T; throws NilObjectException when
    // there is none and RuntimeException when it is of another class.
    template <class T>
    T& ControlAs(std::string_view name) const
    {
        Control* control = ControlByName(name);
        if (control == nullptr) throw NilObjectException("No control named " + std::string(name));
        T* cast = dynamic_cast<T*>(control);
        if (cast == nullptr) throw RuntimeException("Control " + std::string(name) + " is of another class");
        return *cast;
    }
    std::vector<Control*> Controls() const;

    // The native window and the widget that holds the content area.
    QWidget* Handle() const;
    QWidget* ContentWidget() const;
    // Puts a menu bar widget above the content (the window takes it over).
    void SetMenuBarWidget(QWidget* bar);
    QWidget* MenuBarWidget() const;

    // The file that the window represents; the title shows its name when
    // asked to, and an empty path clears both.
    void SetRepresentedFilename(const std::string& path);
    void SetTitleWithRepresentedFilename(const std::string& path);
    std::string RepresentedFilename() const;

protected:
    // Events of the window; the defaults do nothing.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}

private:
    friend class WindowFrame;
    void HandleCloseRequest();
    void FrameMayHaveChanged();
    QMargins FrameMargins() const;
    void ContentResized(int oldWidth, int oldHeight, int newWidth, int newHeight);
    void ApplySizeLimits();
    void ApplyWindowFlags();

    std::unique_ptr<WindowFrame> m_frame;
    QWidget* m_content = nullptr;
    std::vector<std::pair<std::string, std::unique_ptr<Control>>> m_controls;
    std::int64_t m_minWidth = 64;
    std::int64_t m_minHeight = 64;
    std::int64_t m_maxWidth = 32000;
    std::int64_t m_maxHeight = 32000;
    bool m_resizeable = true;
    bool m_closeButton = true;
    bool m_minimizeButton = true;
    bool m_maximizeButton = true;
    bool m_fullScreenButton = false;
    bool m_visible = true;
    bool m_menuBarVisible = true;
    bool m_open = false;
    std::string m_title;
    std::string m_representedFile;
    // A frame asked for while the decorations were unknown; asked for again
    // once the window manager has put them around the window.
    std::optional<Rect> m_frameAskedBlind;
    std::function<void()> m_placeWhenDecorated;
    mutable std::optional<QMargins> m_estimatedMargins;
};

// Windows that are open, the frontmost first.
std::vector<Window*> OpenWindows();

// The framework's implicit instances: one window per class name, created by
// the class's accessor and released once it has closed.
Window* ImplicitInstance(const std::string& className);
void SetImplicitInstance(const std::string& className, std::unique_ptr<Window> window);
// Releases every implicit instance, open or closed; part of the finalisation.
void ReleaseImplicitInstances();

} // namespace platform
