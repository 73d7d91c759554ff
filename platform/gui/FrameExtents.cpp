#include "platform/gui/FrameExtents.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include "platform/gui/XcbProperties.h"

namespace platform {
namespace {

using xcb::Atom;
using xcb::Values;

// The window manager counts device pixels, the window's geometry logical
// ones. Rounding up keeps a frame placed by the estimate on the screen.
int ToLogical(std::uint32_t devicePixels, qreal ratio)
{
    return static_cast<int>(std::ceil(static_cast<double>(devicePixels) / ratio));
}

} // namespace

// Asks with the window manager protocol's request for frame extents, which is
// meant for exactly this, and waits a moment for the answer.
QMargins EstimatedFrameMargins(QWidget& topLevel)
{
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) return {};
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    const std::vector<std::uint32_t> supported = Values(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (request == XCB_ATOM_NONE || std::find(supported.begin(), supported.end(), request) == supported.end()) return {};

    const auto window = static_cast<xcb_window_t>(topLevel.winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    for (int attempt = 0; attempt < 50; ++attempt) {
        const std::vector<std::uint32_t> margins = Values(connection, window, extents, XCB_ATOM_CARDINAL);
        if (margins.size() == 4) {
            const qreal ratio = topLevel.devicePixelRatioF();
            return QMargins(ToLogical(margins[0], ratio), ToLogical(margins[2], ratio), ToLogical(margins[1], ratio),
                            ToLogical(margins[3], ratio));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    return {};
}

} // namespace platform
