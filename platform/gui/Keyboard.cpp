#include "platform/gui/Keyboard.h"

#include <QGuiApplication>

namespace platform {
namespace {

std::optional<Keyboard::HeldKeys> g_heldForTesting;

bool IsHeld(Qt::KeyboardModifier modifier)
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(modifier);
}

} // namespace

bool Keyboard::AsyncOptionKey()
{
    if (g_heldForTesting) return g_heldForTesting->option;
    return IsHeld(Qt::AltModifier);
}

bool Keyboard::AsyncCommandKey()
{
    if (g_heldForTesting) return g_heldForTesting->command;
    return IsHeld(Qt::ControlModifier);
}

void Keyboard::SetHeldKeysForTesting(std::optional<HeldKeys> keys)
{
    g_heldForTesting = keys;
}

} // namespace platform
