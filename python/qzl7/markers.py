"""Markers and the reference curve of a qzl7 window (protocol 2)."""

import numbers
from collections import namedtuple

from .protocol import ProtocolError, hz

Delta = namedtuple("Delta", "df dlevel")
Delta.__doc__ = "A marker against its delta's marker: Hz and level (dB, or the linear ratio's difference)."
Band = namedtuple("Band", "low high width centre q")
Band.__doc__ = "The N dB band around a marker: edges, width and centre in whole Hz, and its Q."


class Marker:
    """Marker n (1 to 8) of the window, anchored at a frequency.

    It reads the point nearest to its frequency on the curve the diagram shows (the hold while one is
    on). `frequency` and `level` raise CommandError -230 while it is off, outside the curve or there is
    no curve; every reading raises CommandError -241 when that curve holds synthesised readings.
    Changes raise CommandError -221 while the window shows a box.
    """

    def __init__(self, client, n):
        if not (isinstance(n, numbers.Integral) and 1 <= n <= 8):
            raise ValueError(f"marker {n!r}: the window has markers 1 to 8")
        self._q, self.n, self._header = client, int(n), f"CALCulate:MARKer{n}"

    def __repr__(self):
        return f"<qzl7 marker {self.n}>"

    def _set(self, node, value=None):
        self._q._set(f"{self._header}:{node}" + ("" if value is None else f" {value}"))

    def _ask(self, node):
        return self._q.query(f"{self._header}:{node}?").strip()

    @property
    def on(self):
        return self._ask("STATe") == "1"

    @on.setter
    def on(self, value):
        self._set("STATe", "ON" if value else "OFF")

    @property
    def frequency(self):
        """Hz of the point it reads. Set, the marker goes on at that frequency and stays there."""
        return int(self._q._numbers(f"{self._header}:FREQuency?", 1)[0])

    @frequency.setter
    def frequency(self, value):
        self._set("FREQuency", hz(value))

    @property
    def level(self):
        """dB, or the linear ratio with the linear detector."""
        return self._q._numbers(f"{self._header}:Y?", 1)[0]

    def peak(self):
        """On, at the highest point of its search range (followed every pass while `tracking`)."""
        self._set("MAXimum")

    def minimum(self):
        self._set("MINimum")

    def next_peak(self, right=True):
        """To the next peak (3 dB above its valleys) right or left; CommandError -230 when there is none."""
        self._set("MAXimum:RIGHt" if right else "MAXimum:LEFT")

    @property
    def search_range(self):
        """(low, high) in Hz, both included, for peak() and minimum(); None: the whole sweep."""
        answer = self._ask("SEARch:RANGe")
        if answer.upper() == "NONE":
            return None
        try:
            low, high = (int(v) for v in answer.split(","))
        except ValueError:
            raise ProtocolError(f"{self._header}:SEARch:RANGe? answered {answer!r}") from None
        return low, high

    @search_range.setter
    def search_range(self, value):
        if value is None:
            self._set("SEARch:RANGe:CLEar")
        else:
            low, high = value
            self._set("SEARch:RANGe", f"{hz(low)},{hz(high)}")

    @property
    def tracking(self):
        return self._ask("TRACking") == "1"

    @tracking.setter
    def tracking(self, value):
        self._set("TRACking", "ON" if value else "OFF")

    def delta(self, m):
        """Makes marker m (0: none) this one's delta marker: Delta(df, dlevel), or None while either reads
        no point."""
        self._set("DELTa", int(m))
        found = self._q._numbers(f"{self._header}:DELTa:DATA?", 2, optional=True)
        return found and Delta(int(found[0]), found[1])

    def band(self, n_db):
        """Asks for the band n_db below its level (0: none): Band(low, high, width, centre, q), or None
        when it runs off an end of the curve."""
        self._set("BWIDth", repr(float(n_db)))
        found = self._q._numbers(f"{self._header}:BWIDth:DATA?", 5, optional=True)
        return found and Band(*(int(v) for v in found[:4]), found[4])


class Reference:
    """The window's reference curve, which the difference (Qzl7.math = "diff") is taken to."""

    def __init__(self, client):
        self._q = client

    def store(self):
        """The last complete pass becomes the reference (CommandError -230 without one)."""
        self._q._set("TRACe:REFerence:STORe")

    def clear(self):
        """Forgets it; the difference goes off with it."""
        self._q._set("TRACe:REFerence:CLEar")

    def data(self):
        """(frequencies in Hz, levels), as trace() gives them."""
        return self._q._curve("TRACe:REFerence:DATA?")
