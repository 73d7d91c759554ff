#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a Linux desktop
# finds there: the program, a valid desktop entry that starts it without
# arguments, and valid AppStream metainfo that names the project's version.
#
# Usage: install_check.sh BUILD APP_ID VERSION DESKTOP_FILE_VALIDATE APPSTREAMCLI
set -euo pipefail
build=$1 id=$2 version=$3 desktop_file_validate=$4 appstreamcli=$5

prefix=$(mktemp -d "${TMPDIR:-/tmp}/sorvanel-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
program="$prefix/bin/Sorvanel"
entry="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
for file in "$program" "$entry" "$metainfo"; do
  [ -f "$file" ] || fail "the install holds no $file"
done
[ -x "$program" ] || fail "$program is not executable"

"$desktop_file_validate" "$entry" || fail "desktop-file-validate refused $entry"
"$appstreamcli" validate --no-net "$metainfo" || fail "appstreamcli refused $metainfo"

exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec_line" = "$(basename "$program")" ] || fail "the entry runs '$exec_line', not the installed program alone"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo names no release $version"
echo "PASS: installed the program, its desktop entry and its metainfo for $version"
