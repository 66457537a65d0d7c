#pragma once
// The usage texts of qzl7-cli and its subcommands. "@FORMATE@" stands for
// the lines of the output formats (hilfeText).
#include <string>

namespace qzl::cli {

inline constexpr const char* allgemeineHilfe =
    "Usage: qzl7-cli COMMAND [OPTIONS]\n"
    "\n"
    "Measures with the Quarzolin 7 network analyser without a window, as the\n"
    "program qzl7 does: same settings file, same exchange, same evaluation.\n"
    "\n"
    "Commands:\n"
    "  sweep          one or more sweeps against the instrument\n"
    "  convert FILE   a series saved by qzl7 (.dat) into another format\n"
    "  list-ports     the serial devices and whether you may open them\n"
    "\n"
    "  qzl7-cli COMMAND --help   shows the options of a command\n"
    "  qzl7-cli --version        shows the version\n"
    "\n"
    "Exit status: 0 done, 1 bad usage, 2 port failed, 3 limits failed,\n"
    "4 instrument silent, 5 output not written. See qzl7-cli(1).\n";

inline constexpr const char* sweepHilfe =
    "Usage: qzl7-cli sweep [OPTIONS]\n"
    "\n"
    "Sweeps with the settings of qzl7.cfg in the working folder (or the start\n"
    "values without one); the options change them for this run only.\n"
    "\n"
    "Instrument:\n"
    "  --config FILE         settings file instead of ./qzl7.cfg\n"
    "  --user-config         qzl7.cfg and frequenz.cfg from $XDG_CONFIG_HOME/qzl7,\n"
    "                        where qzl7 keeps them when started from the menu\n"
    "  --preset NAME         a preset saved in qzl7 ($XDG_CONFIG_HOME/qzl7/presets/\n"
    "                        NAME.preset), taken after the settings file and\n"
    "                        before the other options, which change it\n"
    "  --port PATH           the instrument's serial device (default $QZL7_PORT)\n"
    "  --com N               port number 1..4; --comN=PATH maps it as in qzl7\n"
    "  --baud B              9600, 19200, 38400 or 57600\n"
    "  --bits 8|10           the converter's resolution\n"
    "  --demo                synthetic readings, no instrument\n"
    "Sweep (frequencies in Hz; k, M, G and exponents: 10.7M, 455k, 1.5e6):\n"
    "  --mode M              transmission, reflection or spectrum\n"
    "  --detector D          log or lin\n"
    "  --start F             first point\n"
    "  --stop F              last point (with --step or --points)\n"
    "  --step F              distance between points\n"
    "  --points N            1..300\n"
    "  --if F                intermediate frequency applied to tuning\n"
    "  --if-mode add|sub     added to or subtracted from each point\n"
    "  --passes N            passes per sweep (default 1)\n"
    "  --combine R           last, average, max or min of the passes per point\n"
    "  --repeat N            N sweeps (0: until interrupted), each in a file of\n"
    "                        its own, NAME-YYYYmmdd-HHMMSS.EXT, or a line each\n"
    "                        of jsonl and rtl_power, appended to the output\n"
    "  --interval S          seconds from the start of one sweep to the next\n"
    "                        (with --repeat)\n"
    "Output:\n"
    "  -o, --output FILE     default: standard output\n"
    "  --format F            by the file's extension, else csv; one of\n"
    "@FORMATE@"
    "  --heading TEXT        heading of a .dat file (default: the start time)\n"
    "  --report              maximum, minimum and bandwidth as key: value lines;\n"
    "                        without -o and --format nothing else\n"
    "  --band N              also the band N dB below the maximum, its edges\n"
    "                        interpolated, with its Q (band_*; implies --report)\n"
    "  --reference FILE      a sweep saved before on the same points and detector:\n"
    "                        .dat, or csv, tsv or json written by qzl7-cli\n"
    "  --math diff           with --reference: each point's sweep minus reference\n"
    "                        in place of the levels (not dat, png, rtl_power)\n"
    "  --above F1:F2:LEVEL   every point from F1 to F2 at or above LEVEL\n"
    "  --below F1:F2:LEVEL   every point from F1 to F2 at or below LEVEL\n"
    "                        (LEVEL in dB, or the ratio, 0 or more, with\n"
    "                        --detector lin)\n"
    "  --limits FILE         the segments of a limit file, one a line:\n"
    "                        above|below START STOP LEVEL  (# comments)\n"
    "  -q, --quiet           no progress line\n"
    "\n"
    "Exit status: 0 done (and PASS), 1 bad usage, 2 port cannot be opened or\n"
    "set up, 3 limits failed, 4 instrument fell silent, 5 output not written.\n";

inline constexpr const char* convertHilfe =
    "Usage: qzl7-cli convert FILE.dat [OPTIONS]\n"
    "\n"
    "Writes a series saved by qzl7 (\"Messreihe S&peichern\") in another format.\n"
    "\n"
    "  -o, --output FILE     default: standard output\n"
    "  --format F            by the file's extension, else csv; one of\n"
    "@FORMATE@"
    "  --heading TEXT        replaces the series' heading\n"
    "  --report              maximum, minimum and bandwidth as key: value lines;\n"
    "                        without -o and --format nothing else\n"
    "  --band N              also the band N dB below the maximum, as for sweep\n"
    "  --above F1:F2:LEVEL   pass/fail limits as for sweep\n"
    "  --below F1:F2:LEVEL\n"
    "  --limits FILE\n";

inline constexpr const char* portHilfe =
    "Usage: qzl7-cli list-ports [--comN=PATH ...]\n"
    "\n"
    "Lists the serial devices found, and those given with --comN=PATH, with\n"
    "whether you may open them; as qzl7 --list-ports.\n";

// The text with the formats' lines in place of "@FORMATE@".
std::string hilfeText(const char* text);

}  // namespace qzl::cli
