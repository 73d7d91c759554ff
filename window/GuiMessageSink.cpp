#include "window/GuiMessageSink.h"

#include "platform/gui/Dialogs.h"
#include "window/General.h"

void GuiMessageSink::ShowAlert(const std::string& message)
{
    General::ShowAlertOK(message, "", nullptr);
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
