#pragma once

#include <memory>
#include <string>

#include "platform/gui/MenuItem.h"

// The application's menu bar: File, Edit, Window and Help. Other parts find
// its items by Name.
class MainMenuBar : public platform::MenuBar {
public:
    // Builds the four menus, in bar order.
    MainMenuBar();

    void Untitled0(); // File
    void Untitled1(); // Edit
    void Untitled2(); // Window
    void Untitled3(); // Help

private:
    // One row of the bar. An empty shortcut is none; a null one is never
    // assigned (the separators). A parent left empty attaches the item to the
    // bar itself.
    struct Row {
        const char* name;
        bool autoEnabled;
        std::string text;
        const char* shortcut;
        const char* parent;
    };
    void Add(std::unique_ptr<platform::MenuItem> item, const Row& row);
};

// The one menu bar, built on the first call.
class MainMenuBar& MainMenuBar();
