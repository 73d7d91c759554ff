#include "window/Window1.h"

// The Repair button and the repair run.

void Window1::PushButton1_Action(platform::PushButton&)
{
    Run();
}

void Window1::Run() {}
