#include "window/Window1.h"

#include <optional>
#include <string>

#include "repair/RepairRun.h"
#include "window/General.h"

// The Repair button and the repair run, with this window as what the run
// reads its inputs from and shows its count in.

namespace {

class WindowRepairView final : public repair::RepairView {
public:
    explicit WindowRepairView(class Window1& window) : m_window(window) {}

    std::string OldAppText() const override { return m_window.Label1().Text(); }
    std::string NewAppText() const override { return m_window.Label2().Text(); }
    std::optional<platform::FolderItem> OldApp() const override { return m_window.AppOLD; }
    std::optional<platform::FolderItem> NewApp() const override { return m_window.AppNEW; }
    std::optional<platform::FolderItem> SourceFile() const override { return m_window.GlyphsFile; }

    void ShowProgress(const std::string& text) override
    {
        m_window.LabelCount().SetText(text);
        m_window.Refresh(true);
    }

    std::optional<platform::FolderItem> AskForOutputFile(const std::string& suggestedName) override
    {
        return General::ShowSavePanel(suggestedName, "glyphs", std::nullopt, nullptr);
    }

private:
    class Window1& m_window;
};

} // namespace

void Window1::PushButton1_Action(platform::PushButton&)
{
    Run();
}

void Window1::Run()
{
    WindowRepairView view(*this);
    repair::RunRepair(view);
}
