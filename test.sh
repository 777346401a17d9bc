#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, in a
# normal build and in an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests

# Each test program makes its own private folder (HOME, TMPDIR, the XDG
# folders, its program directory), so the runs share nothing but seeds here.
export QT_QPA_PLATFORM=offscreen
runtime_dir=$(mktemp -d)
trap 'rm -rf "$runtime_dir"' EXIT

jobs=$(nproc)

run_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  # Every test passes on its first run or the run fails; one that hangs is
  # stopped after the time-out each test carries (tests/CMakeLists.txt)
  # and reported by name.
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== normal build =="
run_build build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== fuzzers =="
# The readers of files and printer replies, each for a bounded time, from
# the checked-in seeds (copied, so the run leaves the tree alone).
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZK_BUILD_FUZZ=ON -DZK_BUILD_UI=OFF -DZK_BUILD_BENCH=OFF >/dev/null
fuzzers=$(cd fuzz && for source in *_fuzzer.cpp; do echo "${source%.cpp}"; done)
cmake --build build/fuzz -j "$jobs" --target $fuzzers
for fuzzer in $fuzzers; do
  seeds="$runtime_dir/seeds-$fuzzer"
  mkdir -p "$seeds"
  name=${fuzzer%_fuzzer}
  name=${name%_file}
  if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$seeds/"; fi
  build/fuzz/bin/$fuzzer -max_total_time="${ZK_FUZZ_SECONDS:-30}" -print_final_stats=0 "$seeds" 2>&1 | tail -n 3
done
echo "fuzzers ran clean"

echo "== sanitizer build =="
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DZK_SANITIZE=ON -DZK_BUILD_BENCH=OFF
