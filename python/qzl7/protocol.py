"""What the window's text commands mean on this side: errors, frequencies, keywords, quoting."""

import numbers
import re
from decimal import Decimal

try:
    import numpy as _np
except ImportError:  # lists then
    _np = None

PROTOCOL = "1"


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


_HZ = re.compile(r"\s*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)\s*([kMG]?)(?:Hz)?\s*")
_SCALE = {"": 0, "k": 3, "M": 6, "G": 9}


def hz(value):
    """A frequency in whole Hz from a number or a text like "10.7M", "455k", "1.5e6", "7100000Hz"."""
    if isinstance(value, numbers.Integral):
        return int(value)
    if isinstance(value, numbers.Real):
        # A float from arithmetic (0.1 * 3e6) may miss a whole Hz by a hair; more than that is meant.
        if value == value and abs(value) < 1e18 and abs(value - round(value)) < 1e-6:
            return int(round(value))
        raise ValueError(f"frequency {value!r} is not a whole number of Hz")
    match = _HZ.fullmatch(str(value))
    if not match:
        raise ValueError(f"frequency {value!r}: write it like 10700000, 10.7M, 455k or 1.5e6 (m would be milli)")
    # Decimal, since 10.7M must be exactly 10700000, not a float's neighbour.
    exact = Decimal(match.group(1)).scaleb(_SCALE[match.group(2)])
    if abs(exact) >= Decimal(10) ** 18 or exact != exact.to_integral_value():
        raise ValueError(f"frequency {value!r} is not a whole number of Hz within range")
    return int(exact)


_MODES = ("TRANsmission", "REFLection", "SPECtrum", "VFO")
_DETECTORS = ("LOGarithmic", "LINear")


def _keyword(table, value, what):
    """The long form of value, given long or short (the capitals it begins with)."""
    word = str(value).strip().upper()
    for full in table:
        if word in (re.match("[A-Z]*", full).group(), full.upper()):
            return full
    raise ValueError(f"{what} {value!r}: one of " + ", ".join(full.lower() for full in table))


def _quote(text):
    if "\n" in text or "\r" in text:
        raise ValueError("a heading is one line")
    return '"' + text.replace('"', '""') + '"'


def _unquote(text):
    text = text.strip()
    if len(text) >= 2 and text[0] == text[-1] == '"':
        return text[1:-1].replace('""', '"')
    return text
