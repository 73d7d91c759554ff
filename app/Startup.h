#pragma once

#include <exception>

// The program's start-up, in its fixed order; main() calls RunProgram.
namespace startup {

// Brings the runtime up, runs Main, finalises; gives the exit code.
int RunProgram(int argc, char** argv);

// The start-up driver: hands the runtime its exception guard, runs the early
// start-up, has the framework complete its initialisation (which then calls
// LateStartup) and runs the event loop. An exception stops it at once and
// goes to the framework's handler for unhandled exceptions.
void Main();

void EarlyStartup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void LateStartup();
void MakeDefaultView();

// The runtime's exception guard: calls fn(arg) and gives back an exception of
// the RuntimeException family that it raised; other exceptions pass on.
std::exception_ptr CallFunctionWithExceptionHandling(void (*fn)(void*), void* arg);

} // namespace startup
