#include "platform/gui/Responders.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "platform/gui/Window.h"

namespace platform::appkit {
namespace {

bool Is(const Selector& selector, const char* name)
{
    return selector.Name() == name;
}

// A window answers the window commands that its frame offers.
class WindowResponder : public QObject, public NSObject {
public:
    explicit WindowResponder(Window& window) : QObject(window.Handle()), m_window(window) {}

    bool RespondsToSelector(const Selector& selector) const override
    {
        if (Is(selector, "performClose:")) return m_window.CloseButton();
        if (Is(selector, "performMiniaturize:")) return m_window.MinimizeButton();
        if (Is(selector, "performZoom:")) return m_window.Resizeable();
        return false;
    }

    void PerformAction(const Selector& action, NSObject*) override
    {
        if (!RespondsToSelector(action)) return;
        QWidget* frame = m_window.Handle();
        if (Is(action, "performClose:")) {
            m_window.Close();
        } else if (Is(action, "performMiniaturize:")) {
            frame->showMinimized();
        } else if (frame->isMaximized()) {
            frame->showNormal();
        } else {
            frame->showMaximized();
        }
    }

private:
    Window& m_window;
};

// A control that edits text answers "selectAll:".
class TextControlResponder : public QObject, public NSObject {
public:
    explicit TextControlResponder(QWidget& control) : QObject(&control), m_control(control) {}

    static bool EditsText(QWidget& widget)
    {
        return qobject_cast<QLineEdit*>(&widget) != nullptr || qobject_cast<QTextEdit*>(&widget) != nullptr
            || qobject_cast<QPlainTextEdit*>(&widget) != nullptr || qobject_cast<QAbstractSpinBox*>(&widget) != nullptr;
    }

    bool RespondsToSelector(const Selector& selector) const override { return Is(selector, "selectAll:"); }

    void PerformAction(const Selector& action, NSObject*) override
    {
        if (!RespondsToSelector(action)) return;
        if (auto* line = qobject_cast<QLineEdit*>(&m_control)) line->selectAll();
        if (auto* text = qobject_cast<QTextEdit*>(&m_control)) text->selectAll();
        if (auto* plain = qobject_cast<QPlainTextEdit*>(&m_control)) plain->selectAll();
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(&m_control)) spin->selectAll();
    }

private:
    QWidget& m_control;
};

// The receiver kept as a child of the widget it speaks for, made on first use.
template <class Responder, class Subject>
Responder& ResponderOf(QObject& owner, Subject& subject)
{
    for (QObject* child : owner.children()) {
        if (auto* existing = dynamic_cast<Responder*>(child)) return *existing;
    }
    return *new Responder(subject);
}

// The window that receives keys and menu commands: the active one of the
// open windows, or the frontmost when none of them is active.
Window* KeyWindow()
{
    const std::vector<Window*> windows = OpenWindows();
    for (Window* window : windows) {
        if (window->Handle()->isActiveWindow()) return window;
    }
    return windows.empty() ? nullptr : windows.front();
}

} // namespace

std::vector<NSObject*> KeyWindowResponders()
{
    std::vector<NSObject*> responders;
    Window* window = KeyWindow();
    if (window == nullptr) return responders;
    QWidget* focused = window->Handle()->focusWidget();
    if (focused != nullptr && TextControlResponder::EditsText(*focused)) {
        responders.push_back(&ResponderOf<TextControlResponder>(*focused, *focused));
    }
    responders.push_back(&ResponderOf<WindowResponder>(*window->Handle(), *window));
    return responders;
}

} // namespace platform::appkit
