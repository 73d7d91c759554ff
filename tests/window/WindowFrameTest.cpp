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
    EXPECT_EQ(window.Bounds(), (Rect{100, 200, 300, 250}));
    window.Construct();
    QApplication::processEvents();
    // Set before the decorations were known: once they are, the frame,
    // decorations included, begins where it was asked to, and the content
    // keeps the size it was given.
    EXPECT_EQ(window.Bounds().Left, 100);
    EXPECT_EQ(window.Bounds().Top, 200);
    EXPECT_GT(window.Left(), 100);
    EXPECT_EQ(window.Width(), 300);

    window.SetBounds(Rect{110, 210, 300, 250});
    QApplication::processEvents();
    EXPECT_EQ(window.Bounds(), (Rect{110, 210, 300, 250}));

    // Reading the frame and setting it again moves nothing.
    const Rect before = window.Bounds();
    window.SetBounds(before);
    QApplication::processEvents();
    EXPECT_EQ(window.Bounds(), before);
    window.Close();
}
