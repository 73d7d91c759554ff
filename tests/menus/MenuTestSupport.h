#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QString>

#include "platform/gui/Application.h"
#include "platform/gui/MenuItem.h"
#include "platform/gui/NativeMenu.h"
#include "platform/gui/Window.h"

namespace menutest {

// Puts a menu bar on the registered application object for one test and
// restores the one before afterwards.
class ScopedMenuBar {
public:
    explicit ScopedMenuBar(platform::MenuBar* bar) : m_app(*platform::GetAppObject()), m_previous(m_app.GetMenuBar())
    {
        m_app.SetMenuBar(bar);
    }
    ~ScopedMenuBar() { m_app.SetMenuBar(m_previous); }
    ScopedMenuBar(const ScopedMenuBar&) = delete;
    ScopedMenuBar& operator=(const ScopedMenuBar&) = delete;

private:
    platform::Application& m_app;
    platform::MenuBar* m_previous;
};

// Adds an item of class T with that name and text to `parent`.
template <class T = platform::MenuItem>
T& Add(platform::MenuItem& parent, const char* name, const char* text)
{
    auto item = std::make_unique<T>();
    T& added = *item;
    added.SetName(name);
    added.SetText(text);
    parent.AddMenu(std::move(item));
    return added;
}

// A window with the frame buttons a test asks for; it counts its Close events.
class TestWindow : public platform::Window {
public:
    struct Frame {
        bool closeButton = true;
        bool minimizeButton = true;
        bool resizeable = true;
    };
    explicit TestWindow(Frame frame) : m_frame(frame) { Construct(); }
    ~TestWindow() override { Close(); }
    int closeEvents = 0;

protected:
    void Layout() override
    {
        SetTitle("Test window");
        SetCloseButton(m_frame.closeButton);
        SetMinimizeButton(m_frame.minimizeButton);
        SetResizeable(m_frame.resizeable);
    }
    void Event_Close() override { ++closeEvents; }

private:
    Frame m_frame;
};

// A receiver that answers what a test tells it to and records what it gets.
class FakeReceiver : public platform::appkit::NSObject {
public:
    std::string action;              // the action it answers; empty: none
    bool answersValidateMenuItem = false;
    bool answersValidateInterfaceItem = false;
    bool menuItemValid = false;
    bool interfaceItemValid = false;

    std::vector<std::string> messages;
    std::vector<platform::appkit::NSObject*> senders;
    std::vector<std::int64_t> senderTags;

    bool RespondsToSelector(const platform::appkit::Selector& selector) const override
    {
        if (selector.Name() == "validateMenuItem:") return answersValidateMenuItem;
        if (selector.Name() == "validateUserInterfaceItem:") return answersValidateInterfaceItem;
        return !action.empty() && selector.Name() == action;
    }
    void PerformAction(const platform::appkit::Selector& selector, platform::appkit::NSObject* sender) override
    {
        messages.push_back(selector.Name());
        senders.push_back(sender);
        auto* item = dynamic_cast<platform::appkit::NSMenuItem*>(sender);
        senderTags.push_back(item != nullptr ? item->Tag() : -1);
    }
    bool ValidateMenuItem(platform::appkit::NSMenuItem*) override
    {
        messages.emplace_back("validateMenuItem:");
        return menuItemValid;
    }
    bool ValidateUserInterfaceItem(platform::appkit::NSMenuItem*) override
    {
        messages.emplace_back("validateUserInterfaceItem:");
        return interfaceItemValid;
    }
};

// What a user sees of a Qt action's text: "&&" is one ampersand, a lone "&"
// marks a mnemonic and is not shown.
inline std::string Shown(const QAction& action)
{
    const QString text = action.text();
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown.toStdString();
}

} // namespace menutest
