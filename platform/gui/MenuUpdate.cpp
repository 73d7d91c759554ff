#include "platform/gui/MenuUpdate.h"

#include <vector>

#include "platform/gui/Application.h"
#include "platform/gui/MenuItem.h"
#include "platform/gui/Runtime.h"

namespace platform {
namespace {

struct Entry {
    MenuItem* item;
    bool isMenuOfBar;
};

void Collect(const MenuItem& parent, bool parentIsBar, std::vector<Entry>& entries)
{
    for (int i = 0; i < parent.Count(); ++i) {
        MenuItem* item = parent.Item(i);
        entries.push_back({item, parentIsBar});
        Collect(*item, false, entries);
    }
}

bool HasCommand(const Entry& entry, const Application& app)
{
    const MenuItem& item = *entry.item;
    if (item.Text() == "-") return false;
    return entry.isMenuOfBar || item.Count() > 0 || item.HandlesAction() || app.HasMenuHandler(item.Name());
}

} // namespace

void UpdateMenus()
{
    MenuBar* bar = GetAppMenuBar();
    if (bar == nullptr) return;
    Application* app = GetAppObject();

    std::vector<Entry> entries;
    Collect(*bar, true, entries);
    for (const Entry& entry : entries) {
        if (entry.item->AutoEnabled()) entry.item->SetEnabled(HasCommand(entry, *app));
    }
    for (const Entry& entry : entries) {
        MenuItem* item = entry.item;
        runtime::Dispatch([item] { item->Event_EnableMenu(); });
    }
    runtime::Dispatch([app] { app->Event_EnableMenuItems(); });
}

} // namespace platform
