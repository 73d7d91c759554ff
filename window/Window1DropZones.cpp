#include "window/Window1.h"

// What a drop on each zone does with the dropped item.

void Window1::GroupBox1_DropObject(platform::GroupBox&, platform::DragItem&, int) {}

void Window1::GroupBox2_DropObject(platform::GroupBox&, platform::DragItem&, int) {}

void Window1::GroupBox3_DropObject(platform::GroupBox&, platform::DragItem&, int) {}
