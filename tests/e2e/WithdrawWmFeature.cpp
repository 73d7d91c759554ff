// Makes the running window manager look as if it lacked one feature: takes
// the atom named on the command line out of the root window's _NET_SUPPORTED
// list, which is where programs look before they use the feature. Exits with
// 1 when the atom was not in the list (or there is no X server).
//
// Usage: e2e_withdraw_wm_feature ATOM_NAME

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <xcb/xcb.h>

#include "platform/gui/XcbProperties.h"

using namespace platform::xcb;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ATOM_NAME\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t supported = Atom(connection, "_NET_SUPPORTED");
    std::vector<std::uint32_t> atoms = Values(connection, root, supported, XCB_ATOM_ATOM);
    const auto kept = std::remove(atoms.begin(), atoms.end(), Atom(connection, argv[1]));
    if (kept == atoms.end()) {
        std::fprintf(stderr, "%s is not in the root window's _NET_SUPPORTED\n", argv[1]);
        return 1;
    }
    atoms.erase(kept, atoms.end());
    const Reply<xcb_generic_error_t> error(
        xcb_request_check(connection, xcb_change_property_checked(connection, XCB_PROP_MODE_REPLACE, root, supported, XCB_ATOM_ATOM,
                                                                  32, static_cast<std::uint32_t>(atoms.size()), atoms.data())),
        &std::free);
    if (error) std::fprintf(stderr, "the X server refused the change (error %d)\n", error->error_code);
    xcb_disconnect(connection);
    return error ? 1 : 0;
}
