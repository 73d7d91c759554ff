#pragma once

#include <string>
#include <vector>

#include "repair/Messages.h"

// Records the engine's alerts and message boxes in order, as "alert: <text>"
// and "box: <text>", while it is installed.
class MessageRecorder final : public repair::MessageSink {
public:
    MessageRecorder() : m_installed(*this) {}

    void ShowAlert(const std::string& message) override { m_shown.push_back("alert: " + message); }
    void ShowMessageBox(const std::string& text) override { m_shown.push_back("box: " + text); }

    const std::vector<std::string>& Shown() const { return m_shown; }
    void Clear() { m_shown.clear(); }

private:
    std::vector<std::string> m_shown;
    repair::ScopedMessageSink m_installed;
};
