#pragma once

// Window services beyond the framework's own.
namespace WindowEx {

// Switches the platform's automatic window tabbing off, where the platform
// offers that switch.
void DisableAutoTabbing();

} // namespace WindowEx
