#pragma once

#include <optional>

namespace platform {

// The modifier keys held at this very moment, read from the window system
// rather than from the last input event. This platform maps Option to Alt
// and Command to Control.
class Keyboard {
public:
    static bool AsyncOptionKey();
    static bool AsyncCommandKey();

    // Tests decide which keys count as held; nothing (the default) hands the
    // answer back to the real keyboard.
    struct HeldKeys {
        bool option = false;
        bool command = false;
    };
    static void SetHeldKeysForTesting(std::optional<HeldKeys> keys);
};

} // namespace platform
