"""What the window's text commands mean on this side: errors, frequencies, keywords, quoting."""

import numbers
import re

try:
    import numpy as _np
except ImportError:  # lists then
    _np = None

PROTOCOL = "2"  # the oldest the window may speak: later ones keep every command of this one


class Qzl7Error(Exception):
    """Anything that went wrong talking to qzl7."""


class CommandError(Qzl7Error):
    """qzl7 refused a command; `errors` holds the queued (code, text) pairs."""

    def __init__(self, command, errors):
        self.command = command
        self.errors = list(errors)
        why = "; ".join(f"{code} {text}" for code, text in self.errors)
        super().__init__(f"{command}: {why or 'empty answer, yet no error was queued'}")

    @property
    def codes(self):
        return [code for code, _ in self.errors]


class ProtocolError(Qzl7Error):
    """An answer that does not read as this client expects."""


class Qzl7ConnectionError(Qzl7Error, ConnectionError):
    """The connection could not be made, or it was lost."""


class Qzl7Timeout(Qzl7Error, TimeoutError):
    """No answer in time."""


def _array(values):
    return _np.asarray(values) if _np is not None else list(values)


def _digits(text):
    return text.isascii() and text.isdigit()


def _whole(text):
    """An integer as the window reads one: an optional sign and decimal digits, or "$", "x", "X" or "0x"
    and hexadecimal digits taken as a 32-bit pattern ("0xFFFFFFFF" is -1)."""
    text = text.lstrip(" \t")
    hexadecimal = text[2:] if text[:2] in ("0x", "0X") else text[1:] if text[:1] in ("$", "x", "X") else None
    if hexadecimal is not None:
        if not re.fullmatch("[0-9a-fA-F]+", hexadecimal) or int(hexadecimal, 16) > 0xFFFFFFFF:
            return None
        value = int(hexadecimal, 16)
        return value - (1 << 32) if value >= 1 << 31 else value
    if not re.fullmatch("[+-]?[0-9]+", text) or not -(1 << 31) <= int(text) < 1 << 31:
        return None
    return int(text)


_EXACT = re.compile(r"([0-9]*)(?:\.([0-9]*))?(?:[eE]([+-]?)([0-9]+))?([kMG]?)(?:Hz)?")


def _exact(text):
    """ "1.5e6", "10.7M", "2GHz": no sign, and the digits below one Hz must be zeros."""
    match = _EXACT.fullmatch(text)
    if not match or not (match.group(1) or match.group(2)):
        return None
    whole, fraction, sign, exponent, prefix = match.groups(default="")
    exponent = exponent.lstrip("0")
    if len(exponent) > 4:
        return None
    # On the digits, not in floating point: 10.7M must be exactly 10700000, not a float's neighbour.
    digits = (whole + fraction).lstrip("0")
    if not digits:
        return 0
    exponent = int(sign + (exponent or "0")) - len(fraction) + _SCALE[prefix]
    if exponent < 0:
        if not digits.endswith("0" * -exponent):
            return None
        digits, exponent = digits[:exponent], 0
    if len(digits) + exponent > 18:
        return 10**18  # out of range, whatever it is
    return int(digits) * 10**exponent


def _decimal(text, places):
    """ "7.1" or "7,1" times 10**places, rounded to a whole number, halves to even."""
    whole, separator, fraction = re.fullmatch("([^.,]*)([.,]?)(.*)", text, re.S).groups()
    if not _digits(whole) or (separator and not _digits(fraction)):
        return None
    value = int(whole + fraction[:places].ljust(places, "0"))
    rest = fraction[places:]
    if rest and (rest[0] > "5" or (rest[0] == "5" and (rest.strip("0") != "5" or value % 2))):
        value += 1
    return value


def _grouped(text):
    """ "7.100.000": groups of three behind a lead group of one to three digits (four with three groups)."""
    groups = text.split(".")
    if len(groups) > 1 and not 1 <= len(groups[0]) <= (4 if len(groups) == 3 else 3):
        return None
    if not all(_digits(g) and (i == 0 or len(g) == 3) for i, g in enumerate(groups)):
        return None
    return int("".join(groups))


def _prompt(text):
    """How the window's input fields read a frequency: "455k", "455 kHz", "7,1 MHz", "-5k", "7.100.000 Hz"."""
    value = _whole(text)
    if value is not None:
        return value
    text = text.strip(" \t")
    negative = text[:1] == "-"
    if text[:1] in ("+", "-"):
        text = text[1:]
    unit = text.endswith("Hz")
    if unit:
        text = text[:-2]
    places = {"k": 3, "K": 3, "M": 6}.get(text[-1:], 0)
    if places:
        text, unit = text[:-1], True
    if unit and text.endswith(" "):
        text = text[:-1]
    size = _decimal(text, places) if places else _grouped(text)
    if size is None or size > (1 << 31 if negative else (1 << 31) - 1):
        return None
    return -size if negative else size


_SCALE = {"": 0, "k": 3, "M": 6, "G": 9}


def hz(value):
    """A frequency in whole Hz from a number or a text, read as the window reads one.

    Texts: 10700000, 10.7M, 455k, 1.5e6, 2G, 10.7MHz (the unit in any case), 455 kHz, 7.100.000 Hz,
    7,1 MHz, 0x10. With k, K or M after a decimal point or comma ("1.0000005M") the value is rounded to
    whole Hz, halves to even; 1.5e6 and the like must be whole Hz exactly. "10.7m" (milli) is refused.
    """
    if isinstance(value, numbers.Integral):
        return int(value)
    if isinstance(value, numbers.Real):
        # A float from arithmetic (0.1 * 3e6) may miss a whole Hz by a hair; more than that is meant.
        if value == value and abs(value) < 1e18 and abs(value - round(value)) < 1e-6:
            return int(round(value))
        raise ValueError(f"frequency {value!r} is not a whole number of Hz")
    text = str(value).strip()
    if len(text) > 4096:  # no longer than a line the window takes
        raise ValueError(f"frequency {text[:20]!r}...: too long")
    # "10.7 mhz": with Hz after it, the prefix in either case counts (m is mega there); it is also
    # tried written short ("10.7M"), without the blank ahead of it.
    number, prefix = text, ""
    if number[-2:-1] in ("H", "h") and number[-1:] in ("Z", "z"):
        number = number[:-2]
        if number[-1:] in ("k", "K", "m", "M", "g", "G"):
            prefix, number = {"K": "k"}.get(number[-1].upper(), number[-1].upper()), number[:-1]
        if number.endswith(" "):
            number = number[:-1]
    found = None
    for form in (text, number + prefix):
        found = _exact(form)
        if found is None:
            found = _prompt(form)
        if found is not None:
            break
    if found is None or abs(found) >= 10**18:
        raise ValueError(
            f"frequency {value!r}: write it like 10700000, 10.7M, 455k, 1.5e6 or 7,1 MHz in whole Hz "
            "(m would be milli)"
        )
    return found


_MODES = ("TRANsmission", "REFLection", "SPECtrum", "VFO")
_DETECTORS = ("LOGarithmic", "LINear")
_MATH = ("NONE", "DIFFerence")
_HOLDS = ("OFF", "MAXimum", "MINimum", "AVERage")


def _keyword(table, value, what):
    """The long form of value, given long or short (the capitals it begins with)."""
    word = str(value).strip().upper()
    for full in table:
        if word in (re.match("[A-Z]*", full).group(), full.upper()):
            return full
    raise ValueError(f"{what} {value!r}: one of " + ", ".join(full.lower() for full in table))


def _is_query(line):
    """Whether the window answers the line: one answer line when a part's header ends in '?'."""
    parts, quote, begin = [], None, 0
    for i, c in enumerate(line):
        if quote:
            quote = None if c == quote else quote
        elif c in "\"'":
            quote = c
        elif c == ";":
            parts.append(line[begin:i])
            begin = i + 1
    parts.append(line[begin:])
    return any(part.strip(" ").split(" ", 1)[0].endswith("?") for part in parts)


def _quote(text):
    if "\n" in text or "\r" in text:
        raise ValueError("a heading or a name is one line")
    return '"' + text.replace('"', '""') + '"'


def _unquote(text):
    text = text.strip()
    if len(text) >= 2 and text[0] == text[-1] == '"':
        return text[1:-1].replace('""', '"')
    return text
