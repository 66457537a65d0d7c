#!/usr/bin/env bash
# wine_vergleich.sh SIM LINUX_CLI WINDOWS_CLI: qzl7-cli.exe under Wine
# against the Linux simulator (mapped into the Wine prefix as COMn), its
# files compared byte for byte with those of the Linux qzl7-cli on a
# simulator of its own, also for names and a heading outside the ANSI code
# page; then the exit codes of a missing port, a silent
# instrument and Ctrl+C.
set -uo pipefail
# Wine names the files in the locale's character set: UTF-8 for those below.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
sim=$(readlink -f "$1") linux=$(readlink -f "$2") exe=$(readlink -f "$3")
[ -x "$sim" ] && [ -x "$linux" ] || { echo "no $sim or $linux: build the default preset first"; exit 77; }
lauf=$(cd "$(dirname "$0")/../../tools" && pwd)/wine-lauf
ordner=$(mktemp -d)
pids=()
links=()
aufraeumen() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  rm -f "${links[@]}"
  rm -rf "$ordner"
}
trap aufraeumen EXIT
fehler=0
falsch() { echo "FAIL: $*"; fehler=1; }

prefix=$("$lauf" --prefix)
# Runs side by side (other build folders) take different numbers.
basis=$((10 + ($$ % 60) * 4))

# simulator NAME COM-NUMBER|- OPTIONS...: a simulator on ordner/NAME,
# mapped as COMn when a number is given.
simulator() {
  local name=$1 nummer=$2
  shift 2
  "$sim" --link "$ordner/$name" "$@" >"$ordner/$name.txt" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -e "$ordner/$name" ] && break; sleep 0.05; done
  [ -e "$ordner/$name" ] || { cat "$ordner/$name.txt"; echo "the simulator did not start"; exit 1; }
  if [ "$nummer" != - ]; then
    links+=("$prefix/dosdevices/com$nummer")
    ln -sfn "$(readlink -f "$ordner/$name")" "$prefix/dosdevices/com$nummer"
  fi
}

modell=bandpass:11400000:500000
optionen=(sweep --start 10.9M --stop 11.9M --points 11 --heading "Filter 7" -q)
simulator win $basis --model $modell
simulator lin - --model $modell
cd "$ordner"
for endung in csv dat; do
  "$lauf" "$exe" "${optionen[@]}" --port COM$basis -o w.$endung 2>w.err || falsch "Windows $endung: $(cat w.err)"
  "$linux" "${optionen[@]}" --port "$ordner/lin" -o l.$endung || falsch "Linux $endung"
  cmp w.$endung l.$endung || falsch "the $endung files differ"
done

# Names and a heading outside the ANSI code page: the file takes its name
# as given, a .dat by such a name converts, and the heading lands in the
# .dat as the Linux build writes it.
unicode=(sweep --start 10.9M --stop 11.9M --points 11 --heading "Ä€ 日本" -q)
mkdir linux
"$lauf" "$exe" "${unicode[@]}" --port COM$basis -o 日本Ω.dat 2>w.err || falsch "Windows 日本Ω.dat: $(cat w.err)"
"$linux" "${unicode[@]}" --port "$ordner/lin" -o linux/日本Ω.dat || falsch "Linux 日本Ω.dat"
cmp 日本Ω.dat linux/日本Ω.dat || falsch "the .dat with the heading 'Ä€ 日本' differs"
"$lauf" "$exe" convert 日本Ω.dat -o 日本Ω.json 2>w.err || falsch "Windows convert 日本Ω.dat: $(cat w.err)"
(cd linux && "$linux" convert 日本Ω.dat -o 日本Ω.json) || falsch "Linux convert"
cmp 日本Ω.json linux/日本Ω.json || falsch "the .json converted from 日本Ω.dat differs"

# The PNG: same size, palette and pixel indices as the Linux one (the
# encoders compress differently).
"$lauf" "$exe" "${optionen[@]}" --port COM$basis -o w.png 2>w.err || falsch "Windows png: $(cat w.err)"
"$linux" "${optionen[@]}" --port "$ordner/lin" -o l.png || falsch "Linux png"
python3 - w.png l.png <<'PY' || falsch "the PNG images differ"
import struct, sys, zlib
def bild(pfad):
    d = open(pfad, 'rb').read()
    assert d[:8] == b'\x89PNG\r\n\x1a\n'
    pos, teile, idat = 8, {}, b''
    while pos < len(d):
        n, art = struct.unpack('>I4s', d[pos:pos + 8])
        inhalt = d[pos + 8:pos + 8 + n]
        if art == b'IDAT': idat += inhalt
        else: teile.setdefault(art, inhalt)
        pos += 12 + n
    b, h, tiefe, farbe = struct.unpack('>IIBB', teile[b'IHDR'][:10])
    assert (tiefe, farbe) == (8, 3), (tiefe, farbe)
    roh, zeilen, vorige = zlib.decompress(idat), [], bytes(b)
    for z in range(h):
        f, z0 = roh[z * (b + 1)], roh[z * (b + 1) + 1:(z + 1) * (b + 1)]
        zeile = bytearray(b)
        for i in range(b):
            a = zeile[i - 1] if i else 0
            o, c = vorige[i], vorige[i - 1] if i else 0
            p = a + o - c
            pa, pb, pc = abs(p - a), abs(p - o), abs(p - c)
            vorher = [0, a, o, (a + o) // 2, a if pa <= pb and pa <= pc else (o if pb <= pc else c)][f]
            zeile[i] = (z0[i] + vorher) & 255
        zeilen.append(bytes(zeile))
        vorige = zeile
    return b, h, teile[b'PLTE'], b''.join(zeilen)
w, l = bild(sys.argv[1]), bild(sys.argv[2])
sys.exit(0 if w == l else 1)
PY

# No such port: exit 2 with the port named on standard error.
rm -f "$prefix/dosdevices/com$((basis + 1))"
"$lauf" "$exe" "${optionen[@]}" --port COM$((basis + 1)) -o x.csv 2>fehlt.err
code=$?
[ $code -eq 2 ] && grep -q "COM$((basis + 1))" fehlt.err || falsch "missing port: exit $code, $(cat fehlt.err)"

# A silent instrument: exit 4 after the reply limit, and no file.
simulator still $((basis + 2)) --silent
"$lauf" "$exe" "${optionen[@]}" --port COM$((basis + 2)) -o still.csv 2>still.err
code=$?
[ $code -eq 4 ] && [ ! -e still.csv ] || falsch "silent instrument: exit $code, $(cat still.err)"

# Ctrl+C: Wine turns SIGINT into the console's Ctrl+C event. The sweep
# ends after the point in progress with 130 and leaves no file. (Job
# control on: a background job of a script would ignore SIGINT.) The signal
# waits for the sweep's points, so that the handler is in place.
simulator langsam $((basis + 3)) --model $modell --latency 40 --log "$ordner/langsam.log"
set -m
"$lauf" "$exe" sweep --points 300 -q --port COM$((basis + 3)) -o abbruch.csv 2>abbruch.err &
wpid=$!
set +m
for _ in $(seq 400); do [ "$(wc -l <langsam.log)" -ge 5 ] && break; sleep 0.05; done
kill -INT $wpid
wait $wpid
code=$?
[ $code -eq 130 ] && [ ! -e abbruch.csv ] || falsch "Ctrl+C: exit $code, $(cat abbruch.err)"
exit $fehler
