#include "platform/gui/Application.h"

#include <QApplication>
#include <QString>

#include "platform/gui/Window.h"

namespace platform {
namespace {

Application* g_appObject = nullptr;

} // namespace

Application::~Application()
{
    if (g_appObject == this) g_appObject = nullptr;
}

void Application::SetVersionData(int major, int minor, int bug, int nonRelease, int stage,
                                 std::string longVersion, std::string shortVersion, std::string packageInfo)
{
    m_version = VersionData{major, minor, bug, nonRelease, stage,
                            std::move(longVersion), std::move(shortVersion), std::move(packageInfo)};
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::setApplicationVersion(QString::fromStdString(m_version.ShortVersion));
    }
}

void Application::SetMenuBar(MenuBar* bar)
{
    m_menuBar = bar;
}

void Application::SetAutoQuit(bool autoQuit)
{
    m_autoQuit = autoQuit;
    if (QCoreApplication::instance() != nullptr) QApplication::setQuitOnLastWindowClosed(autoQuit);
}

FolderItem Application::ExecutableFile() const
{
    return FolderItem(QCoreApplication::applicationFilePath().toStdString());
}

int Application::WindowCount() const
{
    return static_cast<int>(OpenWindows().size());
}

Window* Application::WindowAt(int index) const
{
    const std::vector<Window*> windows = OpenWindows();
    return index >= 0 && index < static_cast<int>(windows.size()) ? windows[static_cast<std::size_t>(index)] : nullptr;
}

void Application::AddMenuHandler(const std::string& itemName, std::function<bool()> handler)
{
    m_menuHandlers[itemName] = std::move(handler);
}

bool Application::HasMenuHandler(const std::string& itemName) const
{
    return m_menuHandlers.find(itemName) != m_menuHandlers.end();
}

bool Application::HandleMenuCommand(const std::string& itemName)
{
    const auto found = m_menuHandlers.find(itemName);
    return found != m_menuHandlers.end() && found->second();
}

void Application::Quit()
{
    // Windows close first, so that their Close events run as they would when
    // the user closes them.
    for (Window* window : OpenWindows()) window->Close();
    QCoreApplication::quit();
}

void RegisterAppObject(Application* app)
{
    g_appObject = app;
}

Application* GetAppObject()
{
    return g_appObject;
}

MenuBar* GetAppMenuBar()
{
    return g_appObject != nullptr ? g_appObject->GetMenuBar() : nullptr;
}

} // namespace platform
