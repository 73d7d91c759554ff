#include "app/App.h"

#include "platform/core/Exceptions.h"
#include "window/WindowEx.h"

void App::Event_Open()
{
    WindowEx::DisableAutoTabbing();
    ::App().SetAutoQuit(true); // inside the class, a bare App() would make a new object
    localizeAboutMenu();
}

bool App::IsEventImplemented(std::string_view eventName) const
{
    return eventName == "Open" || eventName == "EnableMenuItems";
}

class App& App()
{
    platform::Application* object = platform::GetAppObject();
    if (object == nullptr) throw platform::NilObjectException("No application object is registered");
    auto* app = dynamic_cast<class App*>(object);
    if (app == nullptr) throw platform::RuntimeException("The application object is not of class App");
    return *app;
}
