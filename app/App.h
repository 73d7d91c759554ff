#pragma once

#include <string_view>

#include "platform/gui/Application.h"

// The application object: its version data, its Open event, its menu
// commands and the About item's text.
class App : public platform::Application {
public:
    static constexpr const char* kClassName = "App";

    App() = default;

    void Event_Open() override;
    void Event_EnableMenuItems() override;
    // The About command; true: handled.
    virtual bool AppAbout_Action();

    // Whether the class handles the application event of that name.
    bool IsEventImplemented(std::string_view eventName) const;
    // Gives the About item the application's name in the active language.
    void localizeAboutMenu();
};

// The registered application object. Throws when there is none or when it is
// of another class. Inside App's own members, call it as ::App(): there the
// bare name is the class.
class App& App();
