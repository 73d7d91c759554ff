#!/usr/bin/env bash
# The whole job as a user does it, on a private X server: drag the old and the
# new editor bundle and the old .glyphs file from another program onto the
# three zones with real pointer moves, click Repair, type a path into the save
# dialog, and compare the saved file with the bytes it must hold. Then close
# the window and check that the home folder, fresh at the start, holds only
# the preference file and its folders.
#
# Usage: repair_e2e.sh SORVANEL DRAG_SOURCE
# With E2E_SCREENSHOTS=<folder> set, it also saves pictures of the filled
# zones, the save dialog and the count after the run there. On a failure it
# saves one picture of the screen, e2e-failure.png, in the current folder.
set -euo pipefail

app=$1
drag_source=$2
source "$(dirname "$0")/x_session.sh"

screenshot() {
  [ -n "${E2E_SCREENSHOTS:-}" ] || return 0
  mkdir -p "$E2E_SCREENSHOTS"
  import -window root "$E2E_SCREENSHOTS/$1.png"
}

require_tools Xvfb xdotool

# --- The files: two editor bundles, their map files at different places, and
# a source file. Three keys get new names; "same" keeps its name; each
# release has a key of its own.
fixtures=$work/files
plugin_place="Contents/PlugIns/OTF.glyphsFileFormat/Contents/Resources/MapFileAdobeJapan1.txt"
framework_place="Contents/Frameworks/GlyphsCore.framework/Versions/A/Resources/MapFileAdobe-Japan1.txt"

make_bundle() { # folder, short version, build, indent, map place, map text
  mkdir -p "$1/Contents" "$(dirname "$1/$5")"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n<dict>\n%s<key>CFBundleShortVersionString</key>\n%s<string>%s</string>\n%s<key>CFBundleVersion</key>\n%s<string>%s</string>\n</dict>\n</plist>\n' \
    "$4" "$4" "$2" "$4" "$4" "$3" >"$1/Contents/Info.plist"
  printf '%s' "$6" >"$1/$5"
}
old_app="$fixtures/Glyphs 3.1.app"
new_app="$fixtures/Glyphs 3.2.app"
source_file="$fixtures/Font.glyphs"
make_bundle "$old_app" 3.1 3151 $'\t' "$plugin_place" \
  $'1\tuni4E00\tx\n2\tcid00002\tx\n3\tuni4E8C.jp78\tx\n4\tsame\tx\n5\tgone\tx\n'
make_bundle "$new_app" 3.2 3259 '    ' "$framework_place" \
  $'6\tadded\tx\n1\tuni4E00.alt\tx\n2\tcid2\tx\n3\tuni4E8C-JP78\tx\n4\tsame\tx\n'
printf '{\r\nglyphs = (\r\n{\r\nglyphname = uni4E00;\r\n},\r\n{\r\nglyphname = cid00002;\r\ncomponents = (uni4E8C.jp78, uni4E00.ss01);\r\n}\r\n);\r\n}\r\n' >"$source_file"
expected="$work/expected.glyphs"
printf '{\nglyphs = (\n{\nglyphname = uni4E00.alt;\n},\n{\nglyphname = cid2;\ncomponents = (uni4E8C-JP78, uni4E00.ss01);\n}\n);\n}' >"$expected"
output="$work/saved/Result.glyphs"
mkdir -p "$work/saved"

# --- A private X server and the two programs.
start_x_session
# The program takes no command line: were Qt's own option obeyed, the window
# would not be named Sorvanel.
start app "$app" -qwindowtitle Ignored
app_pid=$last_pid
start drag "$drag_source" "$old_app" "$new_app" "$source_file"

wait_for "the Sorvanel window" window_named '^Sorvanel$'
main_window=$(window_named '^Sorvanel$')
for n in 1 2 3; do wait_for "drag source window $n" window_named "^Drag source $n\$"; done

# The content area is 370 x 400 and sits at the bottom of the window; any menu
# bar is above it.
geometry_of "$main_window"
content_x=$((X + WIDTH - 370))
content_y=$((Y + HEIGHT - 400))
zone_y=(65 167 293)

# drag N ZONE_INDEX: presses on drag source N, moves in small steps to the
# middle of the zone, so that the drag protocol sees the pointer enter and move
# over the window, and lets go there. Waits until the source has heard that
# the drop was taken.
drag() {
  local n=$1 tx=$((content_x + 185)) ty=$((content_y + ${zone_y[$2]}))
  geometry_of "$(window_named "^Drag source $n\$")"
  local sx=$((X + WIDTH / 2)) sy=$((Y + HEIGHT / 2)) step
  xdotool mousemove "$sx" "$sy"
  xdotool mousedown 1
  wait_for "drag $n to start" grep -q "^drag $n started" "$work/drag.log"
  for step in $(seq 1 24); do
    xdotool mousemove $((sx + (tx - sx) * step / 24)) $((sy + (ty - sy) * step / 24))
    sleep 0.02
  done
  for step in 3 -3 0; do
    xdotool mousemove $((tx + step)) "$ty"
    sleep 0.05
  done
  xdotool mouseup 1
  wait_for "drag $n to end" grep -q "^drag $n: " "$work/drag.log"
  grep -q "^drag $n: copy" "$work/drag.log" ||
    fail "the window did not take drag $n: $(grep "^drag $n: " "$work/drag.log")"
}

drag 1 0
drag 2 1
drag 3 2
screenshot zones-filled

# Repair, then the save dialog: a path typed over the suggested name.
xdotool mousemove $((content_x + 185)) $((content_y + 360)) click 1
wait_for "the save dialog" window_named '^Save As$'
dialog=$(window_named '^Save As$')
screenshot save-dialog
focused() { [ "$(xdotool getwindowfocus)" = "$dialog" ]; }
focused || xdotool windowfocus "$dialog"
wait_for "the save dialog to have the keyboard" focused
xdotool key ctrl+a
xdotool type --delay 5 "$output"
xdotool key Return

# The file is written beside its place and moved there once complete, so it
# is whole as soon as it shows.
wait_for "the saved file $output" test -f "$output"
wait_for "the save dialog to close" sh -c "! xdotool search --onlyvisible --name '^Save As\$'"
screenshot count-after-run
if ! cmp -s "$expected" "$output"; then
  diff <(od -c "$expected") <(od -c "$output") >&2 || true
  fail "the saved file differs from the expected bytes"
fi
kill -0 "$app_pid" 2>/dev/null || fail "Sorvanel is no longer running"

# Closing the window writes the preference file and ends the program. Nothing
# else may be left in the home folder: no dialog history, no cache.
xdotool windowfocus --sync "$main_window" key ctrl+w
wait_for "Sorvanel to quit" sh -c "! kill -0 $app_pid 2>/dev/null"
left=$(cd "$HOME" && find . -mindepth 1 | sort)
expected_left=$'./.local\n./.local/share\n./.local/share/Sorvanel\n./.local/share/Sorvanel/Sorvanel.pref'
[ "$left" = "$expected_left" ] || fail "the home folder holds more or less than the preference file:"$'\n'"$left"
echo "PASS: dropped, repaired and saved $(wc -c <"$output") bytes as expected in ${SECONDS}s"
