#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <xcb/xcb.h>

// Reading X window properties with xcb.
namespace platform::xcb {

// A reply from the X server, which the caller frees.
template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// The atom of that name, or XCB_ATOM_NONE when the server has none yet.
inline xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit values of a window property, or none when it is not set.
inline std::vector<std::uint32_t> Values(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                         xcb_atom_t type)
{
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

} // namespace platform::xcb
