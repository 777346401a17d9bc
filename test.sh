#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, in a
# normal build and in an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
runtime_dir=$(mktemp -d)
chmod 700 "$runtime_dir"
export XDG_RUNTIME_DIR="$runtime_dir"
export XDG_CONFIG_HOME="$runtime_dir/config"
trap 'rm -rf "$runtime_dir"' EXIT

jobs=$(nproc)

run_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
}

echo "== normal build =="
run_build build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== sanitizer build =="
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DZK_SANITIZE=ON -DZK_BUILD_BENCH=OFF
