"""A crystal's equivalent circuit measured by a qzl7 window (protocol 4)."""

import numbers
from dataclasses import dataclass
from typing import Optional

from .protocol import CommandError, ProtocolError, _unquote, hz

FIRST_POINTS = 300  # the first pass looks for the resonance over the whole range
_TOP = 2**31 - 1
_NOT_MEASURED = 9.9e37  # the window answers 9.91E37


@dataclass(frozen=True)
class Crystal:
    """The fitted equivalent circuit: Rm, Lm, Cm in series, C0 across, in the fixture's resistance.

    fp_hz and c0_f are None when fp lay outside the passes; warning says why the figures fall short of
    the usual accuracy, or is "".
    """

    fs_hz: float
    fp_hz: Optional[float]
    rm_ohm: float
    lm_h: float
    cm_f: float
    c0_f: Optional[float]
    q_loaded: float
    q_unloaded: float
    loss_db: float
    residual_db: float
    band_points: int
    warning: str = ""


def first_range(start, stop):
    """(start, step) of the first pass, 300 points from start to stop: the step is the span / 299 in
    whole Hz, halves to even, down when up would carry the last point beyond 32 bits, as qzl7-cli has it."""
    first, last = hz(start), hz(stop)
    if last <= first:
        raise ValueError(f"stop {last} Hz does not lie above start {first} Hz")
    if first < 0 or last > _TOP:
        raise ValueError(f"{first} to {last} Hz: every point must lie within 0..{_TOP} Hz")
    exact = (last - first) / (FIRST_POINTS - 1)
    step = round(exact)
    if first + (FIRST_POINTS - 1) * step > _TOP:
        step = int(exact)
    if step < 1:
        raise ValueError(f"{first} to {last} Hz is too narrow a range for {FIRST_POINTS} points 1 Hz apart or more")
    return first, step


def _figures(command, answer, warning):
    fields = answer.split(",")
    try:
        values = [float(v) for v in fields]
    except ValueError:
        values = []
    if len(values) != 11:
        raise ProtocolError(f"{command} answered {answer!r}")
    values = [None if v >= _NOT_MEASURED else v for v in values]
    if None in (values[0], values[10]):
        raise ProtocolError(f"{command} answered {answer!r}: fs and the band's points are always measured")
    return Crystal(*values[:10], band_points=int(values[10]), warning=warning)


def crystal(client, start, stop, fixture, timeout):
    if client.protocol < 4:
        raise ProtocolError(f"the crystal needs a qzl7 window of protocol 4 or later; this one speaks {client.protocol}")
    if not isinstance(fixture, numbers.Real) or isinstance(fixture, bool):
        raise ValueError(f"fixture {fixture!r}: the fixture's resistance in ohms, a number")
    first, step = first_range(start, stop)
    settings = ["ABORt", f"SENSe:SWEep:RANGe {first},{step},{FIRST_POINTS}",
                f"CALCulate:CRYStal:FIXTure {float(fixture)!r}"]
    client._send(settings + ["SYSTem:ERRor?"], 1)
    client._raise_queued("; ".join(settings), client._readline("SYSTem:ERRor?", client.timeout))
    command = "CALCulate:CRYStal:MEASure?"
    client._send([command, "CALCulate:CRYStal:WARNing?"], 2)
    answer = client._readline(command, timeout)
    warning = _unquote(client._readline("CALCulate:CRYStal:WARNing?", client.timeout))
    if answer == "":
        raise CommandError(command, client.errors())
    return _figures(command, answer, warning)
