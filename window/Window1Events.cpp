#include "window/Window1.h"

// The window's Open and Close events: where it opens and what it keeps.

void Window1::Event_Open() {}

void Window1::Event_Close() {}
