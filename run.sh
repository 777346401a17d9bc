#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it: ./run.sh [label.zlb]
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZK_BUILD_BENCH=OFF -DZK_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target zkedit
args=()
for arg in "$@"; do
  # The editor runs from its build directory; keep relative label paths working.
  if [ -e "$arg" ]; then args+=("$(realpath "$arg")"); else args+=("$arg"); fi
done
exec build/release/bin/zkedit "${args[@]}"
