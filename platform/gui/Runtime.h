#pragma once

#include <exception>
#include <functional>
#include <string>

// The framework's runtime: the steps that bring the process up, run its event
// loop and end it. The program's start-up calls them in its own order.
namespace platform::runtime {

// Calls fn(arg); gives back the exception when the call raised one of the
// RuntimeException family, nothing when it completed. Other exceptions pass.
using ExceptionHelper = std::exception_ptr (*)(void (*fn)(void*), void* arg);

// The runtime initialises itself; creates the Qt application object when the
// process has none yet (tests bring their own). The arguments are ignored
// except for the program's name.
void Initialize(int& argc, char** argv);

// The guard through which the runtime calls the program's event handlers.
void SetExceptionHelper(ExceptionHelper helper);
// Runs fn through the installed guard; an exception that comes back goes to
// UnhandledException. Used wherever the framework calls into the program.
void Dispatch(const std::function<void()>& fn);

void SetSupportsHiDPI(bool on);
void EnableDarkModeSupport();
void PrepareRuntimeClasses();
void BindPluginEntryPoints();

// Completes the framework's initialisation, then calls lateStartup once.
void RunFrameworkInitialization(const std::function<void()>& lateStartup);

// Raises the application object's Open event and runs the event loop until
// the application quits.
void Run();

// Shows an exception that nothing handled, then ends the event loop; the
// process will exit with a non-zero code.
void UnhandledException(std::exception_ptr exception);

// Runs the finalisers once and gives the exit code of the process.
int Finalize();

// How far the runtime got; read back by tests of the start-up order.
struct State {
    bool hiDpi = false;
    bool darkMode = false;
    bool classesPrepared = false;
    bool pluginsBound = false;
    bool frameworkInitialized = false;
    bool eventLoopRan = false;
    int unhandledExceptions = 0;
};
const State& CurrentState();
// With a hook set, Run() calls it instead of entering the real event loop.
void SetEventLoopForTesting(std::function<void()> loop);
// With a hook set, UnhandledException reports to it instead of a dialog.
void SetUnhandledExceptionReporterForTesting(std::function<void(const std::string&)> reporter);

} // namespace platform::runtime
