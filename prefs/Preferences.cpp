#include "prefs/Preferences.h"

#include "platform/core/Exceptions.h"
#include "platform/gui/Application.h"
#include "platform/gui/Keyboard.h"
#include "platform/gui/Window.h"

namespace Preferences {

void Initialize(const std::string& appName)
{
    Prefs = std::make_unique<PrefsClass>(appName);
}

void Raed()
{
    platform::Application* app = platform::GetAppObject();
    if (app == nullptr) throw platform::NilObjectException("No application object is registered");
    Initialize(app->ExecutableFile().Name());

    // Command is asked only when Option is held; both together reset.
    if (platform::Keyboard::AsyncOptionKey() && platform::Keyboard::AsyncCommandKey()) Prefs->Remove();

    if (!Prefs->Load()) SetDefault();
}

void SetDefault()
{
    if (!Prefs) return;
    Prefs->Set(kWinLeft, kDefaultWinLeft);
    Prefs->Set(kWinTop, kDefaultWinTop);
}

void Save(platform::Window& win)
{
    if (!Prefs) return;
    Prefs->Set(kWinLeft, win.Left());
    Prefs->Set(kWinTop, win.Top());
    Prefs->Save();
}

} // namespace Preferences
