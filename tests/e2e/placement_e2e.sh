#!/usr/bin/env bash
# Where the window opens under a real window manager, whose title bar and
# borders are known to Qt only once the window is on the screen: a stored
# position off the screen is brought back with the whole frame, title bar
# included, on the screen, a coordinate that needed no move is kept, and the
# position the window closes at opens it at the same place the next time.
# So it is with the window manager telling its decorations in advance, at a
# scale factor of 2, with a window manager that cannot tell them in advance,
# and on a Wayland desktop, where the window opens on the X server beside it
# unless the user has chosen Wayland for Qt programs. On two screens side by
# side, the window goes back to the screen that holds most of its frame.
#
# Usage: placement_e2e.sh SORVANEL WITHDRAW_WM_FEATURE
set -euo pipefail

app=$1
withdraw_wm_feature=$2
source "$(dirname "$0")/x_session.sh"
require_tools Xvfb xdotool xprop xwininfo openbox weston xrandr

# The screen that the window must lie on: the whole X screen, but for the
# case of two screens.
screen_left=0 screen_top=0 screen_width=2560 screen_height=1600
start_x_session "${screen_width}x$screen_height"
start wm openbox --sm-disable
wait_for "the window manager" sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"

prefs="$XDG_DATA_HOME/Sorvanel/Sorvanel.pref"
mkdir -p "$(dirname "$prefs")"

# The stored positions, each with the edges of the screen that the window's
# frame must then touch; a coordinate whose edges are not named needed no
# move and must be kept.
cases=('100 5000 bottom' '200 0 top' '-900 300 left' '5000 5000 right bottom')
scale=1 # device pixels per logical pixel

stored() { # stored KEY: the number the preference file holds under KEY
  tr -d ' \n' <"$prefs" | sed -n "s/.*\"$1\":\\(-*[0-9]*\\).*/\\1/p"
}

# frame_placed ID EDGES: sets frame to the window's outer frame in device
# pixels and succeeds when it lies on the screen touching the EDGES. At a
# scale factor the frame can end a device pixel short of an edge: the window
# manager's borders are an odd number of device pixels.
frame_placed() {
  local left right top bottom x y
  IFS=', ' read -r left right top bottom <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.* = //')"
  x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  geometry_of "$1"
  local -A gap=([left]=$((x - left - screen_left)) [top]=$((y - top - screen_top))
    [right]=$((screen_left + screen_width - x - WIDTH - right))
    [bottom]=$((screen_top + screen_height - y - HEIGHT - bottom)))
  frame="$((x - left)),$((y - top)) to $((x + WIDTH + right)),$((y + HEIGHT + bottom))"
  local edge
  for edge in left top right bottom; do [ "${gap[$edge]}" -ge 0 ] || return 1; done
  for edge in $2; do [ "${gap[$edge]}" -lt "$scale" ] || return 1; done
}

# open_and_close EDGES: runs the program, waits until its outer frame lies on
# the screen touching the EDGES, and closes it with Ctrl+W, which stores its
# position.
open_and_close() {
  start app "$app"
  local pid=$last_pid id
  wait_for "the Sorvanel window on the X server ($mode)" window_named '^Sorvanel$'
  id=$(window_named '^Sorvanel$')
  wait_for "the window's decorations" sh -c "xprop -id $id _NET_FRAME_EXTENTS | grep -q ' = '"
  local deadline=$((SECONDS + timeout_s)) edges
  read -ra edges <<<"$1"
  until frame_placed "$id" "$1"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$mode: the window's frame $frame is not on the" \
      "${screen_width}x$screen_height+$screen_left+$screen_top screen${edges[*]:+ touching its ${edges[*]} edge}"
    sleep 0.05
  done
  xdotool windowactivate --sync "$id" key ctrl+w
  wait_for "Sorvanel to quit" sh -c "! kill -0 $pid 2>/dev/null"
}

# check_case LEFT TOP [EDGE...]: opens the window from that stored position
# twice; the second time it opens where the first left it.
check_case() {
  local what="$mode: from $1,$2" edges=" ${*:3} "
  printf '{"WinLeft": %s, "WinTop": %s}\n' "$1" "$2" >"$prefs"
  open_and_close "$edges"
  local first_frame=$frame first_left first_top
  first_left=$(stored WinLeft) first_top=$(stored WinTop)
  [[ "$edges" == *" left "* || "$edges" == *" right "* || "$first_left" = "$1" ]] ||
    fail "$what the stored left became $first_left without a move to the left or right"
  [[ "$edges" == *" top "* || "$edges" == *" bottom "* || "$first_top" = "$2" ]] ||
    fail "$what the stored top became $first_top without a move up or down"
  open_and_close "$edges"
  [ "$frame" = "$first_frame" ] || fail "$what the window opened at $first_frame, then at $frame"
  [ "$(stored WinLeft),$(stored WinTop)" = "$first_left,$first_top" ] ||
    fail "$what the stored position went from $first_left,$first_top to $(stored WinLeft),$(stored WinTop)"
}

check_cases() {
  local c
  for c in "${cases[@]}"; do
    # shellcheck disable=SC2086 # a case is several words
    check_case $c
  done
}

mode="decorations told in advance"
check_cases

mode="scale factor 2"
scale=2
export QT_SCALE_FACTOR=2
check_cases
scale=1
unset QT_SCALE_FACTOR

# --- A Wayland desktop: a compositor beside the X server, which stands for
# XWayland, and Qt's Wayland plugin installed.
wayland="skipped"
start weston weston --backend=headless-backend.so --socket=sorvanel-e2e --idle-time=0
weston_pid=$last_pid
deadline=$((SECONDS + timeout_s))
until [ -S "$XDG_RUNTIME_DIR/sorvanel-e2e" ] || ! kill -0 "$weston_pid" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; do
  sleep 0.05
done
if [ -S "$XDG_RUNTIME_DIR/sorvanel-e2e" ] && kill -0 "$weston_pid" 2>/dev/null; then
  export WAYLAND_DISPLAY=sorvanel-e2e XDG_SESSION_TYPE=wayland
  unset QT_QPA_PLATFORM
  mode="Wayland desktop"
  check_case 300 200

  # The user's choice of platform holds: the window opens on Wayland.
  start app env QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$app"
  app_pid=$last_pid
  wait_for "the window on Wayland" grep -q 'xdg_toplevel@[0-9]*\.set_title("Sorvanel")' "$work/app.log"
  ! window_named '^Sorvanel$' || fail "with QT_QPA_PLATFORM=wayland the window opened on the X server"
  kill "$app_pid"
  wait "$app_pid" || true
  wayland="passed"
else
  echo "SKIP: the Wayland cases: weston's headless backend did not start:" >&2
  tail -n 5 "$work/weston.log" >&2
fi

# --- A window manager that cannot tell its decorations before the window is
# shown: Qt learns them only once they are there.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
"$withdraw_wm_feature" _NET_REQUEST_FRAME_EXTENTS || fail "openbox offers no _NET_REQUEST_FRAME_EXTENTS to take away"
mode="decorations not told in advance"
check_cases

# --- Two screens side by side, as monitors of one X screen: a 1280 x 1024
# main one and an 800 x 600 one to its right. Without -noreset the X server
# would forget the monitors when xrandr, its last client, disconnects.
start_x_session 2080x1024 -noreset
xrandr --setmonitor LEFT 1280/339x1024/271+0+0 screen >/dev/null
xrandr --setmonitor RIGHT 800/212x600/159+1280+0 none >/dev/null
[ "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2" ] || fail "xrandr made no two monitors: $(xrandr --listmonitors)"
start wm2 openbox --sm-disable
wait_for "the window manager on two screens" sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
mode="two screens"
# Stored partly off the right screen's right edge, with its centre on no
# screen: it comes back whole on the right screen, not on the main one.
screen_left=1280 screen_top=0 screen_width=800 screen_height=600
check_case 1900 100 right

echo "PASS: off-screen positions came back whole on their screens and stayed put (Wayland cases $wayland) in ${SECONDS}s"
