#!/usr/bin/env bash
# Runs a test program on a private X server without a window manager, as a
# user without a desktop would run the editor: nothing stacks, raises or
# focuses a window but the program itself.
# Usage: run_under_xvfb.sh XVFB PROGRAM [ARGS...]
set -euo pipefail
xvfb=$1
shift

runtime_dir=$(mktemp -d)
chmod 700 "$runtime_dir"
display_file="$runtime_dir/display"
# -displayfd picks a free display and tells its number once it is ready.
"$xvfb" -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$display_file" 2>"$runtime_dir/xvfb.log" &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$runtime_dir"' EXIT

for _ in $(seq 100); do
  if [ -s "$display_file" ]; then break; fi
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then cat "$runtime_dir/xvfb.log" >&2; exit 1; fi
  sleep 0.1
done
if [ ! -s "$display_file" ]; then
  echo "Xvfb did not start" >&2
  exit 1
fi

# No desktop session either: no session bus (whose failed lookup libdbus
# would leave a leak for the sanitizer build to report).
DISPLAY=":$(head -n 1 "$display_file")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime_dir" \
  XDG_CONFIG_HOME="$runtime_dir/config" DBUS_SESSION_BUS_ADDRESS="disabled:" "$@"
