#include "app/Startup.h"

#include <memory>

#include "app/App.h"
#include "app/AppMenus.h"
#include "app/Version.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/Runtime.h"
#include "platform/gui/WindowSystemChoice.h"
#include "window/FileTypeGroup1.h"
#include "window/Window1.h"

namespace startup {
namespace {

// The application object lives until the process ends.
std::unique_ptr<class App> g_app;

constexpr const char* kRightsNotice = "Copyright 2026 the Sorvanel developers. All rights reserved.";

} // namespace

std::exception_ptr CallFunctionWithExceptionHandling(void (*fn)(void*), void* arg)
{
    try {
        fn(arg);
    } catch (const platform::RuntimeException&) {
        return std::current_exception();
    }
    return nullptr;
}

void InitFileTypes()
{
    FileTypeGroup1::Initialize();
}

void NewAppInstance()
{
    auto app = std::make_unique<class App>();
    app->SetVersionData(version::kMajor, version::kMinor, version::kBug, 12, 0, kRightsNotice, version::kShort, "");
    InstallMenuBar(*app);
    g_app = std::move(app);
    platform::RegisterAppObject(g_app.get());
}

void ApplicationAddMenuHandlers()
{
    class App& app = App();
    app.AddMenuHandler("AppAbout", [&app] { return app.AppAbout_Action(); });
}

void EarlyStartup()
{
    platform::runtime::SetSupportsHiDPI(true);
    platform::runtime::EnableDarkModeSupport();
    platform::runtime::PrepareRuntimeClasses();
    platform::runtime::BindPluginEntryPoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

void MakeDefaultView()
{
    // The framework holds the open window; no reference is kept here.
    Window1();
}

void LateStartup()
{
    MakeDefaultView();
}

void Main()
{
    try {
        platform::runtime::SetExceptionHelper(&CallFunctionWithExceptionHandling);
        EarlyStartup();
        platform::runtime::RunFrameworkInitialization(&LateStartup);
        platform::runtime::Run();
    } catch (...) {
        platform::runtime::UnhandledException(std::current_exception());
    }
}

int RunProgram(int argc, char** argv)
{
    platform::runtime::ChooseWindowSystem();
    platform::runtime::Initialize(argc, argv);
    Main();
    return platform::runtime::Finalize();
}

} // namespace startup
