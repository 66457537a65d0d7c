#!/usr/bin/env bash
# vervollstaendigung.sh FILE: the bash completion of qzl7-cli, asked as bash
# asks it, with a qzl7-cli that lists a device link and a device.
set -u
source "$1"
[ "$(complete -p qzl7-cli)" = "complete -F _qzl7_cli qzl7-cli" ] || { echo "FAIL: complete -p qzl7-cli"; exit 1; }
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
mkdir -p "$ordner/bin" "$ordner/arbeit/d"
cli=$ordner/bin/qzl7-cli
printf '#!/bin/sh\nprintf "%%s\\n" "/dev/serial/by-id/usb-X -> /dev/ttyUSB0  can be opened" "/dev/ttyUSB0  can be opened"\n' >"$cli" && chmod +x "$cli"
cd "$ordner/arbeit"
touch a.dat B.DAT c.csv
export XDG_CONFIG_HOME=$ordner/xdg
mkdir -p "$XDG_CONFIG_HOME/qzl7/presets" && touch "$XDG_CONFIG_HOME/qzl7/presets/Filter 1.preset" "$XDG_CONFIG_HOME/qzl7/presets/x.txt"
fehler=0
# The words after qzl7-cli, the last one being completed | the offers.
while IFS='|' read -r woerter erwartet; do
    eval "COMP_WORDS=(\"\$cli\" $woerter)"
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _qzl7_cli
    bekommen=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | xargs)
    [ "$bekommen" = "$(xargs <<<"$erwartet")" ] || { echo "FAIL: qzl7-cli $woerter: '$bekommen'"; fehler=1; }
done <<'FAELLE'
''                        | --help --version convert crystal list-ports sweep
sweep --mo                | --mode
sweep --mode ''           | reflection spectrum transmission
sweep --mode =            | reflection spectrum transmission
sweep --format j          | json jsonl
sweep --format = r        | rtl_power
sweep --detector ''       | lin log
sweep --combine ''        | average last max min
sweep --math ''           | diff
sweep --re                | --reference --repeat --report
sweep --band ''           |
sweep --if-mode ''        | add sub
sweep --bits ''           | 10 8
sweep --baud 1            | 19200
sweep --com ''            | 1 2 3 4
sweep --start ''          |
sweep --port ''           | /dev/serial/by-id/usb-X /dev/ttyUSB0
sweep --quiet --output '' | B.DAT a.dat c.csv d
sweep --config c          | c.csv
sweep --preset F          | Filter 1
convert ''                | B.DAT a.dat d
crystal --f               | --fixture --format
crystal --format ''       | csv json text
convert a.dat --h         | --heading --help
convert a.dat --b         | --band --below
sweep --li                | --limits
sweep --limits B          | B.DAT
list-ports --c            | --com1= --com2= --com3= --com4=
list-ports --com2 = /dev/tty | /dev/ttyUSB0
FAELLE
exit $fehler
