#!/usr/bin/env bash
# am_simulator.sh SIM PROGRAM [ARGS]: runs the Windows PROGRAM under Wine
# with a COM port that is the Linux simulator SIM on a pseudo-terminal (Wine
# finds COMn through the prefix's dosdevices/comN link). The port's name is
# in QZL7_TEST_PORT; a number above 9 also proves the \\.\ form.
set -euo pipefail
sim=$1
shift
[ -x "$sim" ] || { echo "no simulator at $sim: build the default preset first (qzl7-sim)"; exit 77; }
lauf=$(cd "$(dirname "$0")/../../tools" && pwd)/wine-lauf
ordner=$(mktemp -d)
simpid=
dos=
aufraeumen() {
  [ -n "$simpid" ] && kill "$simpid" 2>/dev/null && wait "$simpid" 2>/dev/null
  [ -n "$dos" ] && rm -f "$dos"
  rm -rf "$ordner"
}
trap aufraeumen EXIT
"$sim" --link "$ordner/port" >"$ordner/sim.txt" 2>&1 &
simpid=$!
for _ in $(seq 100); do [ -e "$ordner/port" ] && break; sleep 0.05; done
[ -e "$ordner/port" ] || { cat "$ordner/sim.txt"; echo "the simulator did not start"; exit 1; }

prefix=$("$lauf" --prefix)
# Runs side by side (other build folders) take different numbers.
n=$((10 + $$ % 200))
dos=$prefix/dosdevices/com$n
ln -sfn "$(readlink -f "$ordner/port")" "$dos"
QZL7_TEST_PORT=COM$n "$lauf" "$@"
