#include "platform/gui/Runtime.h"

#include <cstdio>

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "platform/core/Exceptions.h"
#include "platform/gui/Application.h"
#include "platform/gui/FileIcons.h"
#include "platform/gui/ToolkitTranslations.h"
#include "platform/gui/Window.h"

namespace platform::runtime {
namespace {

State g_state;
ExceptionHelper g_helper = nullptr;
std::function<void()> g_eventLoopForTesting;
std::function<void(const std::string&)> g_reporterForTesting;
bool g_finalized = false;

std::string Describe(std::exception_ptr exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an exception of unknown type";
    }
}

// Qt is not exception-safe: an exception must not unwind through its event
// dispatch. Whatever a handler lets escape ends here instead.
class FrameworkApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            UnhandledException(std::current_exception());
            return false;
        }
    }
};

void Trampoline(void* arg)
{
    (*static_cast<const std::function<void()>*>(arg))();
}

} // namespace

void Initialize(int& argc, char** argv)
{
    if (QCoreApplication::instance() == nullptr) {
        // The program has no command line: Qt gets the program's name only,
        // so that none of its own options (-style, -reverse,
        // -qwindowgeometry...) changes the program. Qt keeps the references;
        // they must outlive the application object.
        static char* toolkitArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
        static int toolkitArgc = toolkitArgv[0] != nullptr ? 1 : 0;
        static FrameworkApplication* application = new FrameworkApplication(toolkitArgc, toolkitArgv);
        (void)application;
    }
    // Qt's dialogs speak the session's language, as the program's own texts do.
    InstallToolkitTranslations(QLocale::system());
    // The framework's default: the application keeps running without windows
    // until the program asks for AutoQuit.
    QApplication::setQuitOnLastWindowClosed(false);
}

void SetExceptionHelper(ExceptionHelper helper)
{
    g_helper = helper;
}

void Dispatch(const std::function<void()>& fn)
{
    if (g_helper == nullptr) {
        fn();
        return;
    }
    if (std::exception_ptr exception = g_helper(&Trampoline, const_cast<std::function<void()>*>(&fn))) {
        UnhandledException(exception);
    }
}

void SetSupportsHiDPI(bool on)
{
    // Qt 6 always draws at the screen's full resolution; pictures carry their
    // double-resolution bitmaps with a device pixel ratio of 2.
    g_state.hiDpi = on;
}

void EnableDarkModeSupport()
{
    // Qt's platform themes already follow the system's light or dark palette,
    // and the program hard-codes no colours.
    g_state.darkMode = true;
}

void PrepareRuntimeClasses()
{
    // The message dialog takes its icon from the icon theme only where one
    // is set; settled here, the first alert has the same icon as every later
    // one, not Qt's built-in bitmap.
    MakeSureAThemeGivesIcons();
    g_state.classesPrepared = true;
}

void BindPluginEntryPoints()
{
    g_state.pluginsBound = true;
}

void RunFrameworkInitialization(const std::function<void()>& lateStartup)
{
    QApplication::setApplicationName(QStringLiteral("Sorvanel"));
    g_state.frameworkInitialized = true;
    lateStartup();
}

void Run()
{
    g_state.eventLoopRan = true;
    if (Application* app = GetAppObject()) {
        Dispatch([app] { app->Event_Open(); });
    }
    if (g_state.unhandledExceptions > 0) return;
    if (g_eventLoopForTesting) {
        g_eventLoopForTesting();
    } else {
        QApplication::exec();
    }
}

void UnhandledException(std::exception_ptr exception)
{
    ++g_state.unhandledExceptions;
    const std::string text = Describe(exception);
    std::fprintf(stderr, "Sorvanel stopped after an unexpected error: %s\n", text.c_str());
    if (g_reporterForTesting) {
        g_reporterForTesting(text);
    } else if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        // Plain text: the error's text is shown as it is, never as markup.
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Sorvanel"),
                        QStringLiteral("Sorvanel stopped after an unexpected error:\n\n%1").arg(QString::fromStdString(text)));
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
    QCoreApplication::exit(1);
}

int Finalize()
{
    if (!g_finalized) ReleaseImplicitInstances();
    g_finalized = true;
    return g_state.unhandledExceptions > 0 ? 1 : 0;
}

const State& CurrentState()
{
    return g_state;
}

void SetEventLoopForTesting(std::function<void()> loop)
{
    g_eventLoopForTesting = std::move(loop);
}

void SetUnhandledExceptionReporterForTesting(std::function<void(const std::string&)> reporter)
{
    g_reporterForTesting = std::move(reporter);
}

} // namespace platform::runtime
