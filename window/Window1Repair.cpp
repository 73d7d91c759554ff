#include "window/Window1.h"

#include <optional>
#include <string>

#include "platform/gui/PacedRepaint.h"
#include "repair/RepairRun.h"
#include "window/General.h"

// The Repair button and the repair run, with this window as what the run
// reads its inputs from and shows its count in.

namespace {

class WindowRepairView final : public repair::RepairView {
public:
    explicit WindowRepairView(class Window1& window) : m_window(window), m_countPace(window.LabelCount()) {}

    std::string OldAppText() const override { return m_window.Label1().Text(); }
    std::string NewAppText() const override { return m_window.Label2().Text(); }
    std::optional<platform::FolderItem> OldApp() const override { return m_window.AppOLD; }
    std::optional<platform::FolderItem> NewApp() const override { return m_window.AppNEW; }
    std::optional<platform::FolderItem> SourceFile() const override { return m_window.GlyphsFile; }

    // Only the count's own area is repainted.
    void ShowProgress(const std::string& text, repair::CountDraw draw) override
    {
        platform::Label& count = m_window.LabelCount();
        if (text == count.Text()) return;
        count.SetText(text);
        if (draw == repair::CountDraw::AtOnce) {
            m_countPace.DrawNow();
        } else {
            m_countPace.Changed();
        }
    }

    std::optional<platform::FolderItem> AskForOutputFile(const std::string& suggestedName) override
    {
        DrawWaitingCount();
        return General::ShowSavePanel(suggestedName, "glyphs", std::nullopt, nullptr);
    }

    // The last count set is drawn, also when it came too soon after the one
    // before it.
    void DrawWaitingCount() { m_countPace.Flush(); }

private:
    class Window1& m_window;
    platform::PacedRepaint m_countPace;
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
    // A run that stopped early leaves its count as it was last set.
    view.DrawWaitingCount();
}
