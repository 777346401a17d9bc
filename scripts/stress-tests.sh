#!/usr/bin/env bash
# Runs the UI and shell test programs of the sanitizer build ROUNDS times,
# each round at full parallelism, while a helper keeps making and removing
# folders in /tmp, as other programs' tests do on a busy machine. Prints
# each round's failures and, at the end, the rounds, the failures and the
# slowest test. Not run by CI; build the sanitizer build first (./test.sh
# does, or the commands in the README).
#
#   scripts/stress-tests.sh ROUNDS
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:?usage: scripts/stress-tests.sh ROUNDS}
build=build/sanitize
if [ ! -x "$build/bin/ui_tests" ] || [ ! -x "$build/bin/shell_tests" ]; then
  echo "no sanitizer build in $build" >&2
  exit 2
fi
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs=$(nproc)
logs=$(mktemp -d)

# Folders made and removed right in /tmp, a few hundred changes a second,
# until the stop file appears.
churn() {
  local names=()
  for i in $(seq 20); do names+=("/tmp/zk-stress-churn.$$.$i"); done
  while [ ! -e "$logs/stop" ]; do
    mkdir "${names[@]}"
    rmdir "${names[@]}"
    sleep 0.05
  done
}
churn &
churner=$!
trap 'touch "$logs/stop"; wait "$churner" || true; rm -rf "$logs"' EXIT

failures=0
slowest_time=0
slowest_name=
for round in $(seq "$rounds"); do
  log="$logs/round-$round.log"
  ctest --test-dir "$build" -L '^(ui_tests|shell_tests)$' -j "$jobs" --output-on-failure >"$log" 2>&1 || true
  # Result lines: "  12/600 Test  #34: Suite.Name ....   Passed    1.23 sec"
  failed=$(grep -E '^ *[0-9]+/[0-9]+ +Test +#[0-9]+: ' "$log" | grep -v ' Passed ' |
    sed -E 's/.*#[0-9]+: ([^ ]+) .*/\1/' || true)
  count=$(printf '%s' "$failed" | grep -c . || true)
  failures=$((failures + count))
  read -r time name < <(grep -E '^ *[0-9]+/[0-9]+ +Test +#[0-9]+: ' "$log" |
    sed -E 's/.*#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 \1/' | sort -rn | head -n 1)
  if awk -v a="$time" -v b="$slowest_time" 'BEGIN { exit !(a > b) }'; then
    slowest_time=$time
    slowest_name=$name
  fi
  echo "round $round: $count failed, slowest $name ${time} s"
  if [ "$count" -gt 0 ]; then
    printf '  %s\n' $failed
    mkdir -p build/stress
    cp "$log" "build/stress/round-$round.log"
  fi
done
echo "rounds: $rounds, failures: $failures, slowest test: $slowest_name ${slowest_time} s"
[ "$failures" -eq 0 ]
