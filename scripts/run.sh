#!/usr/bin/env bash
# Installs what is missing, builds Sorvanel and starts it on the user's display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
"$root/scripts/install-deps.sh" "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORVANEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Sorvanel needs a graphical display, and none is available here (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  exit 1
fi
exec "$build/app/Sorvanel"
