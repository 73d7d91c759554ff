#!/usr/bin/env bash
# Installs what is missing, builds Sorvanel and runs every test twice: in a
# normal build and in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
"$root/scripts/install-deps.sh" "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs=$(nproc)
run_suite() {
  local name=$1; shift
  local build="$root/build/$name"
  echo "== $name build"
  cmake -S "$root" -B "$build" -G Ninja -DSORVANEL_WARNINGS_AS_ERRORS=ON -DSORVANEL_BUILD_BENCHMARKS=ON "$@" >/dev/null
  cmake --build "$build" -j "$jobs"
  echo "== $name tests"
  (cd "$build" && ctest --output-on-failure -j "$jobs" --timeout 600)
}

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite debug -DCMAKE_BUILD_TYPE=Debug
run_suite sanitize -DCMAKE_BUILD_TYPE=Debug -DSORVANEL_SANITIZE=ON
echo "All tests passed."
