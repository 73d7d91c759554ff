#pragma once

#include <string>

// Where the engine's messages go. The engine never opens a dialog itself: the
// window installs a sink that shows real dialogs, tests install one that
// records, and without either the messages go to the standard error stream.
namespace repair {

class MessageSink {
public:
    virtual ~MessageSink() = default;

    // The program's alert: one "OK" button and no parent window; the
    // explanation, in smaller type below the message, may be empty.
    virtual void ShowAlert(const std::string& message, const std::string& explanation) = 0;
    // The platform's plain message box.
    virtual void ShowMessageBox(const std::string& text) = 0;
};

// Makes `sink` receive every later message and returns the sink it replaces
// (nullptr for the default one). Passing nullptr goes back to the default. The
// caller keeps ownership, and the sink must outlive its installation.
MessageSink* InstallMessageSink(MessageSink* sink);

void ShowAlert(const std::string& message, const std::string& explanation = {});
void ShowMessageBox(const std::string& text);

// Installs a sink for the lifetime of this object, then restores the previous one.
class ScopedMessageSink {
public:
    explicit ScopedMessageSink(MessageSink& sink) : m_previous(InstallMessageSink(&sink)) {}
    ~ScopedMessageSink() { InstallMessageSink(m_previous); }
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

private:
    MessageSink* m_previous;
};

} // namespace repair
