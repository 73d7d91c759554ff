# The Debian packages the build needs, and those the tests need on top.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-tools-dev qt6-l10n-tools
  qt6-tools-dev-tools libpcre2-dev libxcb1-dev nlohmann-json3-dev libgl-dev fonts-noto-cjk adwaita-icon-theme)
# What the program needs when it runs: Qt's Wayland plugin, for a desktop
# without an X server, and Qt's own translations, for its dialogs.
RUN_PACKAGES=(qt6-wayland qt6-translations-l10n)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick x11-utils openbox)
# The validators of the desktop entry and the AppStream metainfo.
TEST_PACKAGES+=(desktop-file-utils appstream)
# A headless Wayland compositor, for the placement test's Wayland session.
TEST_PACKAGES+=(weston)
# xrandr, which makes two monitors of one X screen for the placement test.
TEST_PACKAGES+=(x11-xserver-utils)
# mkfs.btrfs, for the save test on a copy-on-write file system.
TEST_PACKAGES+=(btrfs-progs)
