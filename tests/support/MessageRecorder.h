#pragma once

#include <string>
#include <vector>

#include "repair/Messages.h"

// Records the engine's alerts and message boxes in order, as "alert: <text>"
// (followed by "\n<explanation>" where the alert has one) and "box: <text>",
// while it is installed.
class MessageRecorder final : public repair::MessageSink {
public:
    MessageRecorder() : m_installed(*this) {}

    void ShowAlert(const std::string& message, const std::string& explanation) override
    {
        m_shown.push_back("alert: " + message + (explanation.empty() ? "" : "\n" + explanation));
    }
    void ShowMessageBox(const std::string& text) override { m_shown.push_back("box: " + text); }

    const std::vector<std::string>& Shown() const { return m_shown; }
    void Clear() { m_shown.clear(); }

private:
    std::vector<std::string> m_shown;
    repair::ScopedMessageSink m_installed;
};
