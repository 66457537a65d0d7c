"""Limits, files and presets of a qzl7 window (protocol 3)."""

from .protocol import ProtocolError, _quote, _unquote

FORMATS = ("csv", "tsv", "json", "s1p", "s2p", "dat", "png")


def _needs_protocol_3(client, what):
    if client.protocol < 3:
        raise ProtocolError(f"{what} needs a qzl7 window of protocol 3 or later; this one speaks {client.protocol}")


def _maybe_empty(client, command):
    """An answer that may rightly be empty (an empty list): then the queue says whether it failed."""
    answer = client.query(command, check=False).strip()
    if not answer:
        client.check(command)
    return answer


def _names(answer):
    """The quoted names of a catalogue answer, in order."""
    names, current, quoted, i = [], "", False, 0
    while i < len(answer):
        c = answer[i]
        if quoted and c == '"' and answer[i + 1:i + 2] == '"':
            current += '"'
            i += 1
        elif c == '"':
            quoted = not quoted
        elif c == "," and not quoted:
            names.append(current)
            current = ""
        else:
            current += c
        i += 1
    if answer.strip():
        names.append(current)
    return names


class Limits:
    """The window's limit mask: a limit file of "above|below START STOP LEVEL" lines judging every pass.

    Over TCP a file is a bare name in the window's folder (Qzl7.folder); over the Unix socket it may be
    any path."""

    def __init__(self, client):
        _needs_protocol_3(client, "limits")
        self._q = client

    def load(self, name):
        self._q._set("CALCulate:LIMit:LOAD " + _quote(str(name)))

    def clear(self):
        self._q._set("CALCulate:LIMit:CLEar")

    @property
    def enabled(self):
        """Whether the limits judge; loading a file switches judging on."""
        return self._q.query("CALCulate:LIMit:STATe?").strip() == "1"

    @enabled.setter
    def enabled(self, on):
        self._q._set("CALCulate:LIMit:STATe " + ("ON" if on else "OFF"))

    @property
    def failed(self):
        """True when the last complete pass failed, False when it passed. CommandError -230 without
        limits or a judged pass, -241 for synthesised readings."""
        return self._q.query("CALCulate:LIMit:FAIL?").strip() == "1"

    def failing_points(self):
        """The failing frequencies in Hz, ascending; [] when the pass passed."""
        answer = _maybe_empty(self._q, "CALCulate:LIMit:FAIL:POINts?")
        return [int(v) for v in answer.split(",")] if answer else []


class Presets:
    """Named setups in the user's settings folder of qzl7."""

    def __init__(self, client):
        _needs_protocol_3(client, "presets")
        self._q = client

    def save(self, name):
        """Over TCP an existing preset is not replaced (CommandError -257)."""
        self._q._set("MMEMory:STORe:STATe " + _quote(str(name)))

    def load(self, name):
        self._q._set("MMEMory:LOAD:STATe " + _quote(str(name)))

    def list(self):
        return _names(_maybe_empty(self._q, "MMEMory:CATalog:STATe?"))


def export(client, name, fmt):
    """Writes the pass the window shows in fmt (csv, tsv, json, s1p, s2p, dat, png) as name in the
    window's folder, the bytes of the window's export; returns the file's path."""
    _needs_protocol_3(client, "export")
    fmt = str(fmt).lower()
    if fmt not in FORMATS:
        raise ValueError(f"fmt is one of {', '.join(FORMATS)}, not {fmt!r}")
    client._set(f"MMEMory:STORe:TRACe {_quote(str(name))},{fmt.upper()}")
    name = str(name)
    return name if name.startswith("/") else folder(client) + "/" + name


def folder(client):
    _needs_protocol_3(client, "the folder")
    return _unquote(client.query("MMEMory:CDIRectory?"))
