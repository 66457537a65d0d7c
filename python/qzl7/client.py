"""A client for the text commands of a running qzl7 window (`qzl7 --listen`)."""

import numbers
import socket

from .protocol import (
    PROTOCOL,
    Qzl7Error,
    CommandError,
    ProtocolError,
    Qzl7ConnectionError,
    Qzl7Timeout,
    _array,
    _is_query,
    hz,
    _keyword,
    _quote,
    _unquote,
    _MODES,
    _DETECTORS,
    _HOLDS,
    _MATH,
)
from .crystal import crystal
from .files import Limits, Presets, export, folder
from .markers import Marker, Reference


class Qzl7:
    """A connection to a qzl7 window started with --listen.

    Qzl7() takes TCP port 5025 on this computer; Qzl7("unix:/path") or Qzl7(path="/path") a Unix
    socket. `timeout` (seconds) bounds every answer but that of a sweep, which has its own.
    Not for use from several threads at once: the answers come back in the order of the queries.

    Every call gets its own answer. If a wait for one is interrupted (Ctrl-C, an exception), ABORt is
    sent on a short second connection (on this one it would wait behind the *OPC? of a pass), so that
    a pass under way ends, and the next call first reads the answers still on their way, within
    `timeout`, or closes the connection and raises Qzl7ConnectionError. An interrupted send closes the
    connection: part of a line may have gone out.
    """

    def __init__(self, host="127.0.0.1", port=5025, timeout=5.0, path=None):
        if path is None and host.startswith("unix:"):
            path = host[len("unix:"):]
        self.timeout = timeout
        self._buffer = bytearray()
        self._owed = 0  # answer lines of queries sent, not yet read
        self.protocol = 0  # the window's, once connected
        self._sock = None
        where = path or f"{host} port {port}"
        self._address = (socket.AF_UNIX, path) if path else (socket.AF_INET6 if ":" in host else socket.AF_INET, (host, port))
        try:
            if path:
                self._sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
                self._sock.settimeout(timeout)
                self._sock.connect(path)
            else:
                self._sock = socket.create_connection((host, port), timeout)
        except OSError as e:
            self.close()
            raise Qzl7ConnectionError(
                f"cannot connect to qzl7 at {where}: {e.strerror or e} (is the window running with --listen?)"
            ) from None
        try:
            version = self.query("SYSTem:PROTocol?")
            if version.startswith("qzl7: busy"):  # said instead of an answer, and then it hangs up
                raise Qzl7ConnectionError(f"qzl7 at {where} is busy: {version}")
            if not (version.isascii() and version.isdigit() and int(version) >= int(PROTOCOL)):
                raise ProtocolError(
                    f"qzl7 at {where} speaks protocol {version!r}; this client needs {PROTOCOL} or later"
                )
            self.protocol = int(version)
        except Qzl7Error:
            self.close()
            raise

    def close(self):
        if self._sock is not None:
            self._sock.close()
            self._sock = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # The exchange. The answers owed are read before the next line goes out, so an answer left on its
    # way by an interrupt is never taken for a later query's.

    def _send(self, lines, answers):
        for line in lines:
            if "\n" in line or "\r" in line:
                raise ValueError(f"{line!r}: one command per call, without line breaks")
        self._drain()
        self._put(lines, answers)

    def _put(self, lines, answers):
        if self._sock is None:
            raise Qzl7ConnectionError("the connection to qzl7 is closed")
        data = "".join(line + "\n" for line in lines).encode()
        # Counted before it goes out: an interrupt in between leaves one owed too many, which the drain
        # turns into a closed connection, never one too few, which would shift every later answer.
        self._owed += answers
        try:
            self._sock.settimeout(self.timeout)
            self._sock.sendall(data)
        except OSError as e:
            self.close()
            raise Qzl7ConnectionError(f"{lines[0]}: the connection to qzl7 was lost ({e})") from None
        except BaseException:
            # Part of the line may be out; the next bytes would complete it into another command.
            self.close()
            raise

    def _drain(self):
        while self._owed > 0:
            try:
                self._readline("an earlier query", self.timeout)
            except Qzl7Error as e:
                self.close()
                raise Qzl7ConnectionError(f"the answers to earlier queries could not be drained: {e}") from None

    def _abort_aside(self):
        """ABORt on a connection of its own: on this one it would wait behind a *OPC? for the pass."""
        family, address = self._address
        try:
            with socket.socket(family, socket.SOCK_STREAM) as aside:
                aside.settimeout(1.0)
                aside.connect(address)
                aside.sendall(b"ABORt\n")
            return
        except OSError:
            pass
        if self._sock is not None:
            try:
                self._put(["ABORt"], 0)
            except Qzl7Error:
                pass

    def _readline(self, command, timeout):
        if self._sock is None:
            raise Qzl7ConnectionError("the connection to qzl7 is closed")
        try:
            self._sock.settimeout(timeout)
            while b"\n" not in self._buffer:
                chunk = self._sock.recv(65536)
                if not chunk:
                    raise Qzl7ConnectionError(f"{command}: qzl7 closed the connection")
                self._buffer += chunk
        except Qzl7Error:
            self.close()
            raise
        except socket.timeout:
            # A late answer would be taken for the next query's: nothing after this can be trusted.
            self.close()
            raise Qzl7Timeout(f"{command}: no answer within {timeout} s; the connection was closed") from None
        except OSError as e:
            self.close()
            raise Qzl7ConnectionError(f"{command}: the connection to qzl7 was lost ({e})") from None
        except BaseException:
            # The answer still comes and the next call reads it; ABORt ends a pass it may be waiting for.
            self._abort_aside()
            raise
        end = self._buffer.index(b"\n")
        line = bytes(self._buffer[:end])
        # Taken before the count drops: an interrupt in between leaves one owed too many, not too few.
        del self._buffer[: end + 1]
        self._owed -= 1
        return line.decode("utf-8", "replace").rstrip("\r")

    def write(self, command):
        """Send a command; it gets no answer, so its errors are read with errors() or check()."""
        if _is_query(command):
            raise ValueError(f"{command!r} holds a query: use query(), its answer must be read")
        self._send([command], 0)

    def query(self, command, check=True, timeout=None):
        """Send a query and return its answer line.

        An empty answer means the query failed: with check, the queued errors are read and raised as
        CommandError; with check=False, "" is returned and the errors stay queued.
        """
        if not _is_query(command):
            raise ValueError(f"{command!r} is not a query (a query ends in '?')")
        self._send([command], 1)
        answer = self._readline(command, self.timeout if timeout is None else timeout)
        if answer == "" and check:
            raise CommandError(command, self.errors())
        return answer

    def errors(self):
        """Read and empty the error queue: a list of (code, text), [] when there was none."""
        found = []
        for _ in range(1000):  # the queue is bounded (it overflows into -350); this one is not trusted
            code, text = _error(self.query("SYSTem:ERRor?", check=False))
            if code == 0:
                return found
            found.append((code, text))
        raise ProtocolError("SYSTem:ERRor? never answered 0")

    def check(self, command="queued errors"):
        """Raise CommandError if an error is queued (commands get no answer, so this is how they fail)."""
        found = self.errors()
        if found:
            raise CommandError(command, found)

    def _raise_queued(self, command, answer):
        """Raise CommandError if `answer` to SYSTem:ERRor? is an error, with the rest of the queue."""
        code, text = _error(answer)
        if code != 0:
            raise CommandError(command, [(code, text)] + self.errors())

    def _set(self, command):
        """A command, then what it left queued raised."""
        self.write(command)
        self.check(command)

    def _curve(self, command):
        return _trace(self._numbers(command), command)

    def _numbers(self, command, count=None, optional=False):
        answer = self.query(command, check=not optional)
        if answer == "":
            found = self.errors()
            # -230 alone: nothing to evaluate (no complete pass, or no band on the curve).
            if found and all(code == -230 for code, _ in found):
                return None
            raise CommandError(command, found)
        return _floats(command, answer, count)

    # Measuring

    def sweep(self, start=None, step=None, points=None, mode=None, detector=None, timeout=600.0):
        """Set what is given, run one pass and return (frequencies in Hz, levels).

        All or nothing: the arguments are checked here before anything is sent (ValueError), and the
        window takes the settings together or none of them (CommandError, and no pass is started).
        Frequencies are numbers or texts like "10.7M" (see hz()); points 1 to 300; every point must lie
        within -2147483648..2147483647 Hz, counted with the window's start, step or points for those
        not given. Mode "vfo" has no sweep. A running sweep is stopped first, since settings are refused
        while one runs. `timeout` bounds the pass. A pass without the instrument (synthesised readings,
        see demo) raises CommandError -241 instead of returning them. The levels are in dB with the
        logarithmic detector, linear ratios with the linear one. Numpy arrays when numpy is there.
        """
        settings = ["ABORt"]
        if mode is not None:
            mode = _keyword(_MODES, mode, "mode")
            if mode == "VFO":
                raise ValueError("mode 'vfo' has no sweep: one of transmission, reflection, spectrum")
        if detector is not None:
            detector = _keyword(_DETECTORS, detector, "detector")
        if points is not None and not (
            isinstance(points, numbers.Real) and 1 <= points <= _MAX_POINTS and points == int(points)
        ):
            raise ValueError(f"points {points!r}: a whole number from 1 to {_MAX_POINTS}")
        given = [None if start is None else hz(start), None if step is None else hz(step),
                 None if points is None else int(points)]
        if given != [None] * 3:
            missing = [i for i, value in enumerate(given) if value is None]
            if missing:
                line = ";:".join(_RANGE_QUERIES[i] for i in missing)
                answer = self.query(line)
                try:
                    values = [int(field) for field in answer.split(";")]
                except ValueError:
                    values = []
                if len(values) != len(missing):
                    raise ProtocolError(f"{line} answered {answer!r}")
                for i, value in zip(missing, values):
                    given[i] = value
            first, spacing, count = given
            last = first + (count - 1) * spacing
            if not -(2**31) <= min(first, last) <= max(first, last) < 2**31:
                raise ValueError(
                    f"{count} points from {first} Hz in steps of {spacing} Hz end at {last} Hz: every point "
                    "must lie within -2147483648..2147483647 Hz"
                )
            settings.append(f"SENSe:SWEep:RANGe {first},{spacing},{count}")
        if mode is not None:
            settings.append("SENSe:MODE " + mode)
        if detector is not None:
            settings.append("SENSe:DETector " + detector)
        # Two round trips: the settings with their check, then the pass with its outcome and data.
        self._send(settings + ["SYSTem:ERRor?"], 1)
        self._raise_queued("; ".join(settings), self._readline("SYSTem:ERRor?", self.timeout))
        self._send(["INITiate", "*OPC?", "SYSTem:ERRor?", "TRACe:DATA?"], 3)
        self._readline("*OPC?", timeout)
        outcome = self._readline("SYSTem:ERRor?", self.timeout)
        data = self._readline("TRACe:DATA?", self.timeout)
        self._raise_queued("INITiate", outcome)
        if data == "":
            raise CommandError("TRACe:DATA?", self.errors())
        return _trace(_floats("TRACe:DATA?", data))

    def trace(self):
        """(frequencies in Hz, levels) of the last complete pass.

        CommandError -241 when its readings were synthesised (the instrument did not answer).
        """
        return _trace(self._numbers("TRACe:DATA?"))

    def raw(self):
        """The raw readings of the last complete pass (CommandError -241 when synthesised)."""
        return _array([int(r) for r in self._numbers("TRACe:RAW?")])

    def maximum(self):
        """(frequency in Hz, level) of the highest point, None without a complete pass.

        This, minimum() and bandwidth() raise CommandError -241 when the pass was synthesised.
        """
        found = self._numbers("CALCulate:MAXimum?", 2, optional=True)
        return found and (int(found[0]), found[1])

    def minimum(self):
        """(frequency in Hz, level) of the lowest point, None without a complete pass."""
        found = self._numbers("CALCulate:MINimum?", 2, optional=True)
        return found and (int(found[0]), found[1])

    def bandwidth(self):
        """(lower edge, upper edge, width) in Hz at 6 dB down, None when the curve has no band."""
        found = self._numbers("CALCulate:BANDwidth?", 3, optional=True)
        return found and tuple(int(v) for v in found)

    def abort(self):
        self.write("ABORt")

    # Markers and traces

    def marker(self, n=1):
        """Marker n, 1 to 8 (see Marker)."""
        return Marker(self, n)

    @property
    def reference(self):
        """The reference curve: store(), clear(), data()."""
        return Reference(self)

    @property
    def math(self):
        """"diff" while the window shows the difference to the reference, else "none". Set "diff"
        without a fitting reference, CommandError -221."""
        return self.query("CALCulate:MATH?").strip().lower()

    @math.setter
    def math(self, value):
        self._set("CALCulate:MATH " + _keyword(_MATH, value, "math"))

    def math_data(self):
        """(frequencies, measured minus reference): dB, or differences of linear ratios. CommandError
        -230 while the difference is not shown."""
        return self._curve("CALCulate:MATH:DATA?")

    @property
    def hold(self):
        """"off", "max", "min" or "average" (of the last average_count passes); it starts afresh when set."""
        answer = self.query("CALCulate:HOLD?").strip().upper()
        return _HOLD_NAMES.get(answer, answer.lower())

    @hold.setter
    def hold(self, value):
        self._set("CALCulate:HOLD " + _keyword(_HOLDS, value, "hold"))

    @property
    def average_count(self):
        return int(self._numbers("CALCulate:AVERage:COUNt?", 1)[0])

    @average_count.setter
    def average_count(self, count):
        self._set(f"CALCulate:AVERage:COUNt {count}")

    def hold_data(self):
        """(frequencies, levels) the hold made so far; CommandError -230 while it is off or holds nothing."""
        return self._curve("CALCulate:HOLD:DATA?")

    # Limits, files and presets (protocol 3)

    @property
    def limits(self):
        """The limit mask: load(name), clear(), enabled, failed, failing_points()."""
        return Limits(self)

    @property
    def presets(self):
        """Named setups: save(name), load(name), list()."""
        return Presets(self)

    @property
    def folder(self):
        """The folder file names refer to; over TCP it stays the window's data folder."""
        return folder(self)

    @folder.setter
    def folder(self, path):
        self._set("MMEMory:CDIRectory " + _quote(str(path)))

    def export(self, name, fmt):
        """The pass the window shows written as name in fmt (csv, tsv, json, s1p, s2p, dat, png) into the
        folder; over TCP never over an existing file (CommandError -257). Returns the path."""
        return export(self, name, fmt)

    # The crystal (protocol 4)

    def crystal(self, start, stop, fixture=50, timeout=600.0):
        """A crystal's equivalent circuit (Crystal): a first pass of 300 points from start to stop finds
        its resonance, passes around fs follow, the circuit is fitted. fixture is the source and load
        resistance of the series fixture in ohms. The window must measure transmission with the
        logarithmic detector; a refusal (no resonance in the range, a peak on the floor, too narrow a
        band, a synthesised pass, Stop) raises CommandError with the reason. `timeout` bounds the passes.
        """
        return crystal(self, start, stop, fixture, timeout)

    @property
    def identity(self):
        return self.query("*IDN?")

    @property
    def demo(self):
        """True while the window synthesises its readings (demonstration mode: the instrument stopped
        answering); a pass then raises CommandError -241 instead of returning made-up data."""
        return self.query("SYSTem:DEMO?").strip() == "1"

    @property
    def running(self):
        return self.query("SENSe:SWEep:STATe?").strip().upper() == "RUN"

    @property
    def heading(self):
        return _unquote(self.query("DISPlay:HEADing?"))

    @heading.setter
    def heading(self, text):
        self.write("DISPlay:HEADing " + _quote(str(text)))
        self.check("DISPlay:HEADing")

    @property
    def cursor(self):
        return int(self._numbers("CALCulate:CURSor?", 1)[0])

    @cursor.setter
    def cursor(self, frequency):
        self.write(f"CALCulate:CURSor {hz(frequency)}")
        self.check("CALCulate:CURSor")

    def network(self, name=None):
        """The last pass as a scikit-rf Network: S11 of a reflection, S21 of a transmission.

        The magnitude comes from the level in dB; the phase was not measured, so every angle is 0.
        """
        try:
            import numpy as np
            import skrf
        except ImportError:
            raise ImportError("network() needs scikit-rf and numpy (pip install scikit-rf)") from None
        mode = self.query("SENSe:MODE?").strip().upper()
        if mode not in ("TRAN", "REFL"):
            raise Qzl7Error(f"mode {mode}: only a transmission (S21) or a reflection (S11) makes a network")
        if self.query("SENSe:DETector?").strip().upper() != "LOG":
            raise Qzl7Error(
                "Touchstone magnitudes come from the level in dB, which only the logarithmic detector gives; "
                "sweep with detector='log'"
            )
        frequencies, levels = self.trace()
        frequencies = np.asarray(frequencies, dtype=float)
        if np.any(np.diff(frequencies) <= 0):
            raise Qzl7Error("a network needs rising frequencies; sweep with a positive step")
        magnitude = 10 ** (np.asarray(levels, dtype=float) / 20)
        if mode == "REFL":
            s = magnitude.reshape(-1, 1, 1).astype(complex)
            comments = ["reflection, logarithmic detector: S11"]
        else:
            s = np.zeros((len(magnitude), 2, 2), dtype=complex)
            s[:, 1, 0] = magnitude
            comments = ["transmission, logarithmic detector: only S21 was measured; S11, S12 and S22 are 0"]
        comments.append("the phase was not measured: every angle is 0")
        return skrf.Network(
            frequency=skrf.Frequency.from_f(frequencies, unit="Hz"), s=s, z0=50, name=name, comments="\n".join(comments)
        )


_MAX_POINTS = 300
_HOLD_NAMES = {"OFF": "off", "MAX": "max", "MIN": "min", "AVER": "average"}
_RANGE_QUERIES = ("SENSe:FREQuency:STARt?", "SENSe:FREQuency:STEP?", "SENSe:SWEep:POINts?")


def _error(answer):
    """(code, text) from an answer to SYSTem:ERRor?."""
    code, _, text = answer.partition(",")
    try:
        return int(code), _unquote(text)
    except ValueError:
        raise ProtocolError(f"SYSTem:ERRor? answered {answer!r}") from None


def _floats(command, answer, count=None):
    try:
        values = [float(v) for v in answer.split(",")]
    except ValueError:
        raise ProtocolError(f"{command} answered {answer!r}") from None
    if count is not None and len(values) != count:
        raise ProtocolError(f"{command} answered {len(values)} numbers instead of {count}: {answer!r}")
    return values


def _trace(values, command="TRACe:DATA?"):
    if len(values) % 2:
        raise ProtocolError(f"{command} answered {len(values)} numbers, not frequency and level pairs")
    return _array([int(f) for f in values[0::2]]), _array(values[1::2])
