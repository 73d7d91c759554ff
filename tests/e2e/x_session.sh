# Shared by the end-to-end scripts: a temporary folder, a private X server on
# a display number it picks itself, a known home, waits with time limits, and
# a clean-up that always ends every process the script started.
# Sourced; the script sets `set -euo pipefail` itself.

timeout_s=20
# Every wait also ends here, well before the test runner's own timeout, so
# that the clean-up below always runs.
overall_deadline=$((SECONDS + 90))

work=$(mktemp -d "${TMPDIR:-/tmp}/sorvanel-e2e-XXXXXX")
started_pids=() # the clean-up ends them in reverse order

cleanup() {
  set +e # a killed process's status must not end the clean-up half-way
  local i
  for ((i = ${#started_pids[@]} - 1; i >= 0; i--)); do
    kill "${started_pids[i]}" 2>/dev/null
    wait "${started_pids[i]}" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# start NAME COMMAND...: runs COMMAND in the background with its output in
# $work/NAME.log; its process id goes to started_pids and to last_pid.
start() {
  local name=$1; shift
  "$@" >"$work/$name.log" 2>&1 &
  last_pid=$!
  started_pids+=("$last_pid")
}

fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/display" ]; then
    echo "Windows on the screen:" >&2
    xdotool search --onlyvisible --name '.' 2>/dev/null | while read -r id; do
      echo "  $id: $(xdotool getwindowname "$id" 2>/dev/null)" >&2
    done
    command -v import >/dev/null && import -window root e2e-failure.png 2>/dev/null &&
      echo "Screen saved in $PWD/e2e-failure.png" >&2
  fi
  local log
  for log in "$work"/*.log; do
    [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

# wait_for WHAT COMMAND...: runs COMMAND until it succeeds; fails the test
# when it has not after $timeout_s seconds.
wait_for() {
  local what=$1; shift
  local deadline=$((SECONDS + timeout_s))
  [ "$deadline" -le "$overall_deadline" ] || deadline=$overall_deadline
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out after ${timeout_s}s waiting for $what"
    sleep 0.05
  done
}

# The id of the first visible window whose name matches the pattern.
window_named() {
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .
}

# Sets X, Y, WIDTH and HEIGHT to a window's place on the screen.
geometry_of() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (see TEST_PACKAGES in scripts/packages.sh)"
  done
}

# start_x_session [WIDTHxHEIGHT [XVFB_OPTION...]]: an X server of our own
# (1280 x 800 unless a size is given), and a home of our own, so that the
# preference file and the dialogs start in a known place. A later call starts
# another X server, which then takes over DISPLAY; the home stays.
start_x_session() {
  local size=${1:-1280x800}
  shift $(($# > 0))
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp "$@" 3>"$work/display" 2>>"$work/xvfb.log" &
  started_pids+=("$!")
  wait_for "the X server" test -s "$work/display"
  DISPLAY=":$(head -n 1 "$work/display")"
  export DISPLAY
  export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
  export XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$HOME" && { [ -d "$XDG_RUNTIME_DIR" ] || mkdir -m 700 "$XDG_RUNTIME_DIR"; }
  export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=en NO_AT_BRIDGE=1
  unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE SESSION_MANAGER
}
