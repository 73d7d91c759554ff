#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/core/FolderItem.h"

namespace platform {

class MenuBar;
class Window;

struct VersionData {
    int MajorVersion = 0;
    int MinorVersion = 0;
    int BugVersion = 0;
    int NonReleaseVersion = 0;
    int StageCode = 0;
    std::string LongVersion;
    std::string ShortVersion;
    std::string PackageInfo;
};

// The framework's application object. The program derives its one
// application class from it; the framework raises the events below on the
// object registered with RegisterAppObject.
class Application {
public:
    Application() = default;
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Five integers, then three texts, stored in that order.
    void SetVersionData(int major, int minor, int bug, int nonRelease, int stage,
                        std::string longVersion, std::string shortVersion, std::string packageInfo);
    const VersionData& Version() const { return m_version; }

    // The bar that the application shows; the application does not own it.
    void SetMenuBar(MenuBar* bar);
    MenuBar* GetMenuBar() const { return m_menuBar; }

    // With true the application quits when its last window closes.
    void SetAutoQuit(bool autoQuit);
    bool AutoQuit() const { return m_autoQuit; }

    // The running executable; its name is the application's name.
    FolderItem ExecutableFile() const;

    // Open windows; index 0 is the frontmost.
    int WindowCount() const;
    Window* WindowAt(int index) const;

    // A handler for the menu item of that name; true means handled.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    // Runs the handler registered for the item, if any; false when none.
    bool HandleMenuCommand(const std::string& itemName);
    bool HasMenuHandler(const std::string& itemName) const;

    // Ends the event loop.
    void Quit();

    // Events. The defaults do nothing, as an unhandled event does.
    virtual void Event_Open() {}
    virtual void Event_EnableMenuItems() {}

private:
    VersionData m_version;
    MenuBar* m_menuBar = nullptr;
    bool m_autoQuit = false;
    std::map<std::string, std::function<bool()>, std::less<>> m_menuHandlers;
};

// The application object registered with the framework, or nullptr.
void RegisterAppObject(Application* app);
Application* GetAppObject();
// The registered application object's menu bar, or nullptr when there is no
// application object or it has no menu bar.
MenuBar* GetAppMenuBar();

} // namespace platform
