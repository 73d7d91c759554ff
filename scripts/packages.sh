# The Debian packages the build needs, and those the tests need on top.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-tools-dev qt6-l10n-tools
  qt6-tools-dev-tools libpcre2-dev libxcb1-dev nlohmann-json3-dev libgl-dev fonts-noto-cjk adwaita-icon-theme)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick x11-utils openbox)
# The validators of the desktop entry and the AppStream metainfo.
TEST_PACKAGES+=(desktop-file-utils appstream)
# A headless Wayland compositor and Qt's Wayland plugin, for the placement
# test's Wayland session.
TEST_PACKAGES+=(weston qt6-wayland)
# xrandr, which makes two monitors of one X screen for the placement test.
TEST_PACKAGES+=(x11-xserver-utils)
