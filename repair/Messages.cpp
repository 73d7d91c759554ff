#include "repair/Messages.h"

#include <cstdio>

namespace repair {
namespace {

// Used until the window installs its dialogs: a message must not be lost, and
// nothing may wait for a person who is not there.
class StandardErrorSink final : public MessageSink {
public:
    void ShowAlert(const std::string& message, const std::string& explanation) override
    {
        Write(explanation.empty() ? message : message + "\n" + explanation);
    }
    void ShowMessageBox(const std::string& text) override { Write(text); }

private:
    static void Write(const std::string& text)
    {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }
};

MessageSink*& InstalledSink()
{
    static MessageSink* sink = nullptr;
    return sink;
}

MessageSink& CurrentSink()
{
    static StandardErrorSink fallback;
    MessageSink* sink = InstalledSink();
    return sink != nullptr ? *sink : fallback;
}

} // namespace

MessageSink* InstallMessageSink(MessageSink* sink)
{
    MessageSink* previous = InstalledSink();
    InstalledSink() = sink;
    return previous;
}

void ShowAlert(const std::string& message, const std::string& explanation)
{
    CurrentSink().ShowAlert(message, explanation);
}

void ShowMessageBox(const std::string& text) { CurrentSink().ShowMessageBox(text); }

} // namespace repair
