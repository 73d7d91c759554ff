#!/usr/bin/env bash
# Where the window opens under a real window manager, whose title bar and
# borders are known to Qt only once the window is on the screen: a stored
# position off the screen is brought back with the whole frame, title bar
# included, on the screen, and the position the window closes at opens it at
# the same place the next time.
#
# Usage: placement_e2e.sh SORVANEL
set -euo pipefail

app=$1
source "$(dirname "$0")/x_session.sh"
require_tools Xvfb xdotool xprop xwininfo openbox

start_x_session
start wm openbox --sm-disable
wait_for "the window manager" sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"

prefs="$XDG_DATA_HOME/Sorvanel/Sorvanel.pref"
mkdir -p "$(dirname "$prefs")"

# open_and_close: runs the program, checks that its outer frame lies on the
# 1280 x 800 screen, and closes it with Ctrl+W, which stores its position.
open_and_close() {
  start app "$app"
  local pid=$last_pid id
  wait_for "the Sorvanel window" window_named '^Sorvanel$'
  id=$(window_named '^Sorvanel$')
  wait_for "the window's decorations" sh -c "xprop -id $id _NET_FRAME_EXTENTS | grep -q ' = '"
  local left right top bottom
  IFS=', ' read -r left right top bottom <<<"$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.* = //')"
  local x y
  x=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left Y: *//p')
  geometry_of "$id"
  local frame_left=$((x - left)) frame_top=$((y - top))
  local frame_right=$((x + WIDTH + right)) frame_bottom=$((y + HEIGHT + bottom))
  frame="$frame_left,$frame_top to $frame_right,$frame_bottom"
  if [ "$frame_left" -lt 0 ] || [ "$frame_top" -lt 0 ] || [ "$frame_right" -gt 1280 ] || [ "$frame_bottom" -gt 800 ]; then
    fail "the window's frame $frame is not on the 1280 x 800 screen"
  fi
  xdotool windowactivate --sync "$id" key ctrl+w
  wait_for "Sorvanel to quit" sh -c "! kill -0 $pid 2>/dev/null"
}

for stored in '{"WinLeft": 100, "WinTop": 5000}' '{"WinLeft": 200, "WinTop": 0}' '{"WinLeft": -900, "WinTop": 300}'; do
  printf '%s\n' "$stored" >"$prefs"
  open_and_close
  first_frame=$frame
  first_stored=$(tr -d ' \n' <"$prefs")
  open_and_close
  [ "$frame" = "$first_frame" ] || fail "from $stored the window opened at $first_frame, then at $frame"
  [ "$(tr -d ' \n' <"$prefs")" = "$first_stored" ] ||
    fail "from $stored the stored position went from $first_stored to $(tr -d ' \n' <"$prefs")"
done
echo "PASS: off-screen positions came back whole and stayed put in ${SECONDS}s"
