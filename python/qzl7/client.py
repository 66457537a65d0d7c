"""A client for the text commands of a running qzl7 window (`qzl7 --listen`)."""

import socket

from .protocol import (
    PROTOCOL,
    Qzl7Error,
    CommandError,
    ProtocolError,
    Qzl7ConnectionError,
    Qzl7Timeout,
    _array,
    hz,
    _keyword,
    _quote,
    _unquote,
    _MODES,
    _DETECTORS,
)


class Qzl7:
    """A connection to a qzl7 window started with --listen.

    Qzl7() takes TCP port 5025 on this computer; Qzl7("unix:/path") or Qzl7(path="/path") a Unix
    socket. `timeout` (seconds) bounds every answer but that of a sweep, which has its own.
    Not for use from several threads at once: the answers come back in the order of the queries.
    """

    def __init__(self, host="127.0.0.1", port=5025, timeout=5.0, path=None):
        if path is None and host.startswith("unix:"):
            path = host[len("unix:"):]
        self.timeout = timeout
        self._buffer = bytearray()
        self._sock = None
        where = path or f"{host} port {port}"
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
            if version != PROTOCOL:
                raise ProtocolError(f"qzl7 at {where} speaks protocol {version!r}; this client speaks {PROTOCOL}")
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

    # The exchange

    def _send(self, command):
        if "\n" in command or "\r" in command:
            raise ValueError(f"{command!r}: one command per call, without line breaks")
        if self._sock is None:
            raise Qzl7ConnectionError("the connection to qzl7 is closed")
        try:
            self._sock.sendall(command.encode() + b"\n")
        except OSError as e:
            self.close()
            raise Qzl7ConnectionError(f"{command}: the connection to qzl7 was lost ({e})") from None

    def _readline(self, command, timeout):
        try:
            self._sock.settimeout(timeout)
            while b"\n" not in self._buffer:
                chunk = self._sock.recv(65536)
                if not chunk:
                    raise Qzl7ConnectionError(f"{command}: qzl7 closed the connection")
                self._buffer += chunk
        except socket.timeout:
            # A late answer would be taken for the next query's: nothing after this can be trusted.
            self.close()
            raise Qzl7Timeout(f"{command}: no answer within {timeout} s; the connection was closed") from None
        except OSError as e:
            self.close()
            raise Qzl7ConnectionError(f"{command}: the connection to qzl7 was lost ({e})") from None
        end = self._buffer.index(b"\n")
        line = bytes(self._buffer[:end])
        del self._buffer[: end + 1]
        return line.decode("utf-8", "replace").rstrip("\r")

    def write(self, command):
        """Send a command; it gets no answer, so its errors are read with errors() or check()."""
        if command.rstrip().endswith("?"):
            raise ValueError(f"{command!r} is a query: use query(), its answer must be read")
        self._send(command)

    def query(self, command, check=True, timeout=None):
        """Send a query and return its answer line.

        An empty answer means the query failed: with check, the queued errors are read and raised as
        CommandError; with check=False, "" is returned and the errors stay queued.
        """
        if not command.rstrip().endswith("?"):
            raise ValueError(f"{command!r} is not a query (a query ends in '?')")
        self._send(command)
        answer = self._readline(command, self.timeout if timeout is None else timeout)
        if answer == "" and check:
            raise CommandError(command, self.errors())
        return answer

    def errors(self):
        """Read and empty the error queue: a list of (code, text), [] when there was none."""
        found = []
        for _ in range(1000):  # the queue is bounded (it overflows into -350); this one is not trusted
            answer = self.query("SYSTem:ERRor?", check=False)
            code, _, text = answer.partition(",")
            try:
                code = int(code)
            except ValueError:
                raise ProtocolError(f"SYSTem:ERRor? answered {answer!r}") from None
            if code == 0:
                return found
            found.append((code, _unquote(text)))
        raise ProtocolError("SYSTem:ERRor? never answered 0")

    def check(self, command="queued errors"):
        """Raise CommandError if an error is queued (commands get no answer, so this is how they fail)."""
        found = self.errors()
        if found:
            raise CommandError(command, found)

    def _numbers(self, command, count=None, optional=False):
        answer = self.query(command, check=not optional)
        if answer == "":
            found = self.errors()
            # -230: nothing to evaluate (no complete pass, or no band on the curve).
            if found and all(code == -230 for code, _ in found):
                return None
            raise CommandError(command, found)
        try:
            values = [float(v) for v in answer.split(",")]
        except ValueError:
            raise ProtocolError(f"{command} answered {answer!r}") from None
        if count is not None and len(values) != count:
            raise ProtocolError(f"{command} answered {len(values)} numbers instead of {count}: {answer!r}")
        return values

    # Measuring

    def sweep(self, start=None, step=None, points=None, mode=None, detector=None, timeout=600.0):
        """Set what is given, run one pass and return (frequencies in Hz, levels).

        A running sweep is stopped first, since settings are refused while one runs. Frequencies are
        numbers or texts like "10.7M". `timeout` bounds the pass; the levels are in dB with the
        logarithmic detector, linear ratios with the linear one. Numpy arrays when numpy is there.
        """
        commands = ["ABORt"]
        if mode is not None:
            commands.append("SENSe:MODE " + _keyword(_MODES, mode, "mode"))
        if detector is not None:
            commands.append("SENSe:DETector " + _keyword(_DETECTORS, detector, "detector"))
        if start is not None:
            commands.append(f"SENSe:FREQuency:STARt {hz(start)}")
        if step is not None:
            commands.append(f"SENSe:FREQuency:STEP {hz(step)}")
        if points is not None:
            if int(points) != points or points < 1:
                raise ValueError(f"points {points!r}: a whole number from 1")
            commands.append(f"SENSe:SWEep:POINts {int(points)}")
        commands.append("INITiate")
        for command in commands:
            self.write(command)
        self.check("; ".join(commands))
        self.query("*OPC?", timeout=timeout)
        return self.trace()

    def trace(self):
        """(frequencies in Hz, levels) of the last complete pass."""
        values = self._numbers("TRACe:DATA?")
        if len(values) % 2:
            raise ProtocolError(f"TRACe:DATA? answered {len(values)} numbers, not frequency and level pairs")
        return _array([int(f) for f in values[0::2]]), _array(values[1::2])

    def raw(self):
        """The raw readings of the last complete pass."""
        return _array([int(r) for r in self._numbers("TRACe:RAW?")])

    def maximum(self):
        """(frequency in Hz, level) of the highest point, None without a complete pass."""
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

    @property
    def identity(self):
        return self.query("*IDN?")

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
