#include <gtest/gtest.h>

#include <QApplication>

#include "platform/gui/Window.h"

using platform::Rect;
using platform::Window;

// The offscreen platform adds a thin frame once a window is shown, like a
// window manager's decorations that are unknown until then.
TEST(WindowFrame, FramesSetBeforeAndAfterShowingLandWhereAsked)
{
    Window window;
    window.SetBounds(Rect{100, 200, 300, 250});
    window.Construct();
    QApplication::processEvents();
    // Set before the decorations were known: the content stays where the
    // frame's corner was asked to be, rather than moving by the decorations.
    EXPECT_EQ(window.Left(), 100);
    EXPECT_EQ(window.Top(), 200);

    window.SetBounds(Rect{100, 200, 300, 250});
    QApplication::processEvents();
    EXPECT_EQ(window.Bounds(), (Rect{100, 200, 300, 250}));

    // Reading the frame and setting it again moves nothing.
    const Rect before = window.Bounds();
    window.SetBounds(before);
    QApplication::processEvents();
    EXPECT_EQ(window.Bounds(), before);
    window.Close();
}
