#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include "app/App.h"
#include "app/AppMenus.h"
#include "platform/gui/MenuItem.h"
#include "app/Startup.h"
#include "platform/gui/FileType.h"
#include "platform/gui/Runtime.h"
#include "platform/gui/Window.h"
#include "window/FileTypeGroup1.h"
#include "window/Window1.h"

// Every start-up runs in a child process of its own, as a real program
// start does: the process-wide state it builds cannot leak into other tests.

using namespace platform;

namespace {

// Exit codes of the child: 0 when every check held, else the first failed.
[[noreturn]] void ExitWith(int code) { std::_Exit(code); }

void Check(bool condition, int code)
{
    if (!condition) ExitWith(code);
}

char* g_argv[] = {const_cast<char*>("Sorvanel"), nullptr};

} // namespace

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(StartupTest, BringsUpEverythingRunsTheLoopAndExitsCleanly)
{
    EXPECT_EXIT(
        {
            bool loopSawEverything = false;
            QPointer<QWidget> nativeWindow;
            runtime::SetEventLoopForTesting([&] {
                nativeWindow = Window1().Handle();
                const runtime::State& state = runtime::CurrentState();
                class App& app = App();
                Check(state.hiDpi && state.darkMode && state.classesPrepared && state.pluginsBound, 10);
                Check(state.frameworkInitialized && FileTypeGroup1::AllFileTypes().size() == 2, 11);
                // The Open event ran: AutoQuit on, the About item named after the program.
                Check(app.HasMenuHandler("AppAbout") && app.AutoQuit(), 12);
                Check(AppAbout() != nullptr && AppAbout()->Text() == "About " + app.ExecutableFile().Name(), 16);
                Check(ImplicitInstance(Window1::kClassName) != nullptr && Window1().Handle()->isVisible(), 13);
                Check(app.WindowCount() == 1, 14);
                // Alerts take the theme's icon from the first one on.
                Check(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).name() == QLatin1String("dialog-warning"), 17);
                loopSawEverything = true;
                Window1().Close();
            });
            int argc = 1;
            const int code = startup::RunProgram(argc, g_argv);
            Check(loopSawEverything, 2);
            const VersionData& v = App().Version();
            Check(v.MajorVersion == 1 && v.MinorVersion == 0 && v.BugVersion == 2 && v.NonReleaseVersion == 12
                      && v.StageCode == 0, 3);
            Check(v.ShortVersion == "1.0.2" && v.PackageInfo.empty() && !v.LongVersion.empty(), 4);
            Check(runtime::CurrentState().eventLoopRan, 5);
            Check(nativeWindow.isNull(), 6); // the closed window was released by the finalisation
            ExitWith(code);
        },
        ::testing::ExitedWithCode(0), "");
}

// Qt's own dialogs (the save dialog, its questions) speak the session's
// language from the program's start on.
TEST_F(StartupTest, QtsOwnTextsFollowTheSessionsLanguage)
{
    ::setenv("SORVANEL_TEST_SESSION_LOCALE", "ja_JP.UTF-8", 1);
    EXPECT_EXIT(
        {
            runtime::SetEventLoopForTesting([] {
                Check(QCoreApplication::translate("QFileDialog", "Save As") != QLatin1String("Save As"), 10);
                Window1().Close();
            });
            int argc = 1;
            ExitWith(startup::RunProgram(argc, g_argv));
        },
        ::testing::ExitedWithCode(0), "");
    ::unsetenv("SORVANEL_TEST_SESSION_LOCALE");
}

TEST_F(StartupTest, AFailingFileTypeRegistrationSkipsTheRestAndExitsNonZero)
{
    EXPECT_EXIT(
        {
            std::string reported;
            runtime::SetUnhandledExceptionReporterForTesting([&](const std::string& text) { reported = text; });
            runtime::SetEventLoopForTesting([] { ExitWith(20); });
            FailFileTypeRegistrationForTesting(true);
            int argc = 1;
            const int code = startup::RunProgram(argc, g_argv);
            const runtime::State& state = runtime::CurrentState();
            Check(state.hiDpi && state.darkMode && state.classesPrepared && state.pluginsBound, 2);
            Check(GetAppObject() == nullptr, 3);
            Check(!state.frameworkInitialized && !state.eventLoopRan, 4);
            Check(ImplicitInstance(Window1::kClassName) == nullptr, 5);
            Check(reported.find("Application") != std::string::npos, 6);
            Check(code != 0, 7);
            ExitWith(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(StartupTest, AnExceptionInAnEventHandlerReachesTheHandlerAndEndsTheProgram)
{
    EXPECT_EXIT(
        {
            int reports = 0;
            runtime::SetUnhandledExceptionReporterForTesting([&](const std::string&) { ++reports; });
            runtime::SetEventLoopForTesting([] {
                Window1().PushButton1().Action = [](PushButton&) { throw RuntimeException("boom"); };
                Window1().PushButton1().Press();
            });
            int argc = 1;
            const int code = startup::RunProgram(argc, g_argv);
            Check(reports == 1, 2);
            Check(code != 0, 3);
            // A normal exit, static destruction included, with the window still
            // open when the loop ended.
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(StartupTest, ClosingTheMainWindowEndsTheRealEventLoop)
{
    EXPECT_EXIT(
        {
            // Runs once the loop is going: the user closes the window.
            QTimer::singleShot(0, [] { Window1().Handle()->close(); });
            int argc = 1;
            const int code = startup::RunProgram(argc, g_argv);
            Check(runtime::CurrentState().eventLoopRan, 2);
            Check(App().WindowCount() == 0, 3);
            ExitWith(code);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(AppAccessorTest, ThrowsWithoutAnApplicationObject)
{
    EXPECT_THROW(App(), NilObjectException);
    class App app;
    RegisterAppObject(&app);
    EXPECT_EQ(&App(), &app);
    EXPECT_TRUE(app.IsEventImplemented("Open"));
    EXPECT_TRUE(app.IsEventImplemented("EnableMenuItems"));
    EXPECT_FALSE(app.IsEventImplemented("UnhandledException"));
    RegisterAppObject(nullptr);
    platform::Application other;
    RegisterAppObject(&other);
    EXPECT_THROW(App(), RuntimeException);
    RegisterAppObject(nullptr);
}
