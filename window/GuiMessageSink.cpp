#include "window/GuiMessageSink.h"

#include "platform/gui/Dialogs.h"
#include "window/General.h"

void GuiMessageSink::ShowAlert(const std::string& message, const std::string& explanation)
{
    General::ShowAlertOK(message, explanation, nullptr);
}

void GuiMessageSink::ShowMessageBox(const std::string& text)
{
    platform::MsgBox(text);
}

void GuiMessageSink::Install()
{
    static GuiMessageSink sink;
    repair::InstallMessageSink(&sink);
}
