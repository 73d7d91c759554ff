#include "app/AppMenus.h"

#include "app/App.h"

// The application's menu bar and its commands.

void InstallMenuBar(class App&) {}

void App::Event_EnableMenuItems() {}

bool App::AppAbout_Action()
{
    return true;
}

void App::localizeAboutMenu() {}
