#!/usr/bin/env bash
# Runs a command on a private virtual X display: Xvfb picks a free display
# number itself (-displayfd), so parallel runs never race for one.
#   mit_xvfb.sh PROGRAM [ARGS...]
set -euo pipefail
command -v Xvfb >/dev/null || { echo "Xvfb is missing; run tools/install-deps" >&2; exit 1; }
nummer=$(mktemp)
trap 'rm -f "$nummer"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null; wait 2>/dev/null || true' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$nummer" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$nummer" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$nummer" ] || { echo "Xvfb gave no display number" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$nummer")" QT_QPA_PLATFORM=xcb "$@"
