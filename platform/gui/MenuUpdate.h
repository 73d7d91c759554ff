#pragma once

namespace platform {

// Brings the application's menu bar up to date, before a menu opens and
// before a shortcut is delivered. In this order:
//   1. every item with AutoEnabled is enabled when it has a command, that is
//      when it is a menu of the bar or holds items, handles Action, or the
//      application has a menu handler under its name; otherwise disabled;
//   2. every item, in bar order depth-first, gets its EnableMenu event;
//   3. the application gets its EnableMenuItems event.
// What the program decides last thus wins over the framework's own rule.
// Does nothing without an application object or a menu bar.
void UpdateMenus();

} // namespace platform
