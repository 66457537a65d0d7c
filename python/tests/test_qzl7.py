# Run from the repository: /usr/bin/python3 -m unittest discover -s python/tests -t python
import os
import socket
import sys
import tempfile
import threading
import time
import unittest

from qzl7 import (Band, CliError, CommandError, Crystal, Delta, ProtocolError, Qzl7, Qzl7ConnectionError, Qzl7Error, Qzl7Timeout,
                  hz, stream)
from qzl7.crystal import first_range

try:
    import numpy
except ImportError:
    numpy = None
try:
    import skrf
except ImportError:
    skrf = None

OK = ("SYSTem:ERRor?", '0,"No error"')
IDN = ("*IDN?", "qzl7,qzl7,0,1.0")
PASS = [("INITiate", None), ("*OPC?", "1"), OK, ("TRACe:DATA?", "10900000,-14.4,10905000,-2,10910000,-14.4")]


class FakeQzl7(threading.Thread):
    """Answers scripted (line, answer) pairs in turn (None answers nothing) and keeps what it got."""

    def __init__(self, script, path=None, protocol="2"):
        super().__init__(daemon=True)
        self.script, self.received = [("SYSTem:PROTocol?", protocol)] + script, []
        if path:
            self.listener = socket.socket(socket.AF_UNIX)
            self.listener.bind(path)
            self.listener.listen(1)
        else:
            self.listener = socket.create_server(("127.0.0.1", 0))
            self.port = self.listener.getsockname()[1]
        self.start()

    def run(self):
        conn, _ = self.listener.accept()
        self.aside = []  # lines that came on further connections
        threading.Thread(target=self._aside, daemon=True).start()
        with conn, conn.makefile("rb") as lines:
            for line in lines:
                self.received.append(line.decode().rstrip("\n"))
                step = len(self.received) - 1
                if step < len(self.script) and self.script[step][1] is not None:
                    conn.sendall(self.script[step][1].encode() + b"\n")

    def _aside(self):
        with self.listener:
            while True:
                try:
                    other, _ = self.listener.accept()
                except OSError:
                    return
                with other, other.makefile("rb") as lines:
                    self.aside += [line.decode().rstrip("\n") for line in lines]

    def sent(self):
        self.join(2)
        return self.received[1:]


class Interrupting:
    """Stands in for a client's socket: the n-th call of `method` raises KeyboardInterrupt instead."""

    def __init__(self, sock, method, n):
        self.sock, self.method, self.left = sock, method, n

    def __getattr__(self, name):
        real = getattr(self.sock, name)
        if name != self.method:
            return real

        def call(*args):
            self.left -= 1
            if self.left == 0:
                raise KeyboardInterrupt
            return real(*args)

        return call


def warten(condition, seconds=2.0):
    end = time.monotonic() + seconds
    while not condition() and time.monotonic() < end:
        time.sleep(0.01)
    return condition()


def session(script, **options):
    server = FakeQzl7(script)
    return server, Qzl7(port=server.port, **options)


class ClientTest(unittest.TestCase):
    def test_frequencies(self):
        for given, want in [("10.7M", 10700000), ("455k", 455000), ("1.5e6", 1500000), ("7100000Hz", 7100000),
                            ("2G", 2000000000), (10.7e6, 10700000), (0.1 * 3e6, 300000), (5000, 5000),
                            (10699999.9999995, 10700000), ("10.7MHZ", 10700000), ("10.7 mhz", 10700000),
                            ("455KHz", 455000), ("455 kHz", 455000), ("1.5e6 Hz", 1500000), ("2 GHz", 2000000000),
                            ("7.100.000", 7100000), ("7.100.000 Hz", 7100000), ("7.100", 7100), ("7,1 MHz", 7100000),
                            ("0x10", 16), ("0xFFFFFFFF", -1), ("-5k", -5000), ("999999999999999999", 10**18 - 1),
                            ("1.0000005M", 1000000), ("1.0000015M", 1000002)]:  # halves to even
            self.assertEqual(hz(given), want, given)
        for bad in ["10.7m", "1.5", "7.1", "-1.5e6", "2g", "1.2.3", "abc", "", 0.5, 10700000.000002, float("nan"),
                    "1e30", "1e18", 1e18]:
            with self.assertRaises(ValueError, msg=bad):
                hz(bad)

    def test_sweep_sends_the_settings_and_reads_the_pass(self):
        settings = [("SENSe:SWEep:RANGe 10900000,5000,3", None), ("SENSe:MODE TRANsmission", None),
                    ("SENSe:DETector LOGarithmic", None), OK]
        for given, read in [(dict(start="10.9M", step="5k", points=3, mode="tran", detector="Logarithmic"), []),
                            (dict(points=3, mode="TRAN", detector="log"),
                             [("SENSe:FREQuency:STARt?;:SENSe:FREQuency:STEP?", "10900000;5000")])]:
            server, q = session(read + [("ABORt", None)] + settings + PASS)
            with self.subTest(given=given), q:
                f, level = q.sweep(**given)
                self.assertIsInstance(f, numpy.ndarray if numpy else list)
                self.assertEqual(list(f), [10900000, 10905000, 10910000])
                self.assertEqual(list(level), [-14.4, -2.0, -14.4])
            self.assertEqual(server.sent(), [line for line, _ in server.script[1:]])

    def test_sweep_arguments_are_checked_before_anything_is_sent(self):
        window = [("SENSe:FREQuency:STARt?;:SENSe:FREQuency:STEP?", "2147480000;100")]
        for given, read in [(dict(mode="vfo"), []), (dict(detector="peak"), []), (dict(points=0), []),
                            (dict(points=301), []), (dict(points=2.5), []), (dict(points="3"), []),
                            (dict(start="10.7m"), []), (dict(start=2147483000, step=1000, points=3), []),
                            (dict(start=-2147483648, step=-1, points=2), []), (dict(points=300), window)]:
            server, q = session(read)
            with self.subTest(given=given), q, self.assertRaises(ValueError):
                q.sweep(**given)
            self.assertEqual(server.sent(), [line for line, _ in read])

    def test_a_refused_setting_raises_before_the_pass(self):
        server, q = session([("SENSe:FREQuency:STEP?;:SENSe:SWEep:POINts?", "5000;201"), ("ABORt", None),
                             ("SENSe:SWEep:RANGe 1,5000,201", None), ("SYSTem:ERRor?", '-222,"Data out of range"'),
                             ("SYSTem:ERRor?", '-221,"Settings ""conflict"""'), OK])
        with q, self.assertRaises(CommandError) as caught:
            q.sweep(start=1)
        self.assertEqual(caught.exception.errors, [(-222, "Data out of range"), (-221, 'Settings "conflict"')])
        self.assertNotIn("INITiate", server.sent())

    def test_a_pass_without_the_instrument_raises_and_the_next_query_gets_its_own_answer(self):
        missing = ("SYSTem:ERRor?", '-241,"Hardware missing; the instrument did not answer"')
        _, q = session([("ABORt", None), OK, ("INITiate", None), ("*OPC?", "1"), missing, ("TRACe:DATA?", ""),
                        missing, OK, IDN])
        with q:
            with self.assertRaisesRegex(CommandError, "-241 Hardware missing") as caught:
                q.sweep()
            self.assertEqual(caught.exception.codes, [-241, -241])
            self.assertEqual(q.identity, IDN[1])

    def test_after_an_interrupt_a_call_gets_its_own_answer_or_a_closed_connection(self):
        sweep = [("ABORt", None), ("SENSe:SWEep:RANGe 10900000,5000,3", None), OK] + PASS
        cases = [  # (call, script, socket method, which call of it is interrupted, then *IDN? answers or raises)
            (lambda q: q.query("SENSe:SWEep:POINts?"), [("SENSe:SWEep:POINts?", "201"), IDN], "recv", 1, IDN[1]),
            (lambda q: q.sweep(10900000, 5000, 3), sweep[:3] + [IDN], "recv", 1, IDN[1]),
            (lambda q: q.sweep(10900000, 5000, 3), sweep + [IDN], "recv", 2, IDN[1]),
            (lambda q: q.query("*OPC?"), [("*OPC?", None)], "recv", 1, "could not be drained"),
            (lambda q: q.write("SENSe:FREQuency:STARt 10700000"), [], "sendall", 1, "connection to qzl7 is closed"),
        ]
        for call, script, method, n, then in cases:
            server, q = session(script, timeout=0.5)
            with self.subTest(script=script[0][0] if script else method, n=n), q:
                q._sock = Interrupting(q._sock, method, n)
                self.assertRaises(KeyboardInterrupt, call, q)
                if then == IDN[1]:
                    self.assertEqual(q.identity, then)
                else:
                    self.assertRaisesRegex(Qzl7ConnectionError, then, getattr, q, "identity")
            self.assertEqual(server.sent(), [line for line, _ in script])
            # The pass is stopped on a connection of its own, where no *OPC? holds ABORt back.
            self.assertTrue(warten(lambda: server.aside == (["ABORt"] if method == "recv" else [])), server.aside)

    def test_an_empty_answer(self):
        cases = [  # (query, its answer, the errors queued, call, wanted result or (exception, codes))
            ("TRACe:DATA?", "", ['-230,"Data stale"'], lambda q: q.query("TRACe:DATA?"), (CommandError, [-230])),
            ("TRACe:DATA?", "", [], lambda q: q.query("TRACe:DATA?", check=False), ""),
            ("CALCulate:BANDwidth?", "", ['-230,"No band"'], Qzl7.bandwidth, None),
            ("CALCulate:BANDwidth?", "11080000,11730000,650000", [], Qzl7.bandwidth, (11080000, 11730000, 650000)),
            ("CALCulate:MAXimum?", "", ['-230,"Data stale"', '-113,"Undefined header"'], Qzl7.maximum,
             (CommandError, [-230, -113])),
            ("CALCulate:MAXimum?", "11280000", [], Qzl7.maximum, (ProtocolError, None)),
            ("CALCulate:MINimum?", "", ['-241,"Hardware missing"'], Qzl7.minimum, (CommandError, [-241])),
        ]
        for query, answer, queued, call, want in cases:
            errors = [("SYSTem:ERRor?", e) for e in queued] + ([OK] if queued else [])
            with self.subTest(query=query, answer=answer), session([(query, answer)] + errors)[1] as q:
                if isinstance(want, tuple) and isinstance(want[0], type):
                    with self.assertRaises(want[0]) as caught:
                        call(q)
                    self.assertEqual(getattr(caught.exception, "codes", None), want[1])
                else:
                    self.assertEqual(call(q), want)

    def test_what_is_no_exchange_of_its_kind_is_refused(self):
        _, q = session([("SENSe:SWEep:STATe?", "RUN"), ("SENSe:FREQuency:STEP?;:SENSe:SWEep:POINts?", "5000")])
        with q:
            self.assertTrue(q.running)
            self.assertRaisesRegex(ValueError, "'ABORt' is not a query", q.query, "ABORt")
            self.assertRaisesRegex(ValueError, "'.IDN.' holds a query", q.write, "*IDN?")
            self.assertRaisesRegex(ProtocolError, "answered '5000'", q.sweep, start="1M")

    def run_cases(self, cases, protocol="2"):
        """Each (call, the exchange after the protocol's, result, or (exception, codes)) on a window of its own."""
        for call, script, want in cases:
            server = FakeQzl7(script, protocol=protocol)
            q = Qzl7(port=server.port)
            with self.subTest(script=script[:1]), q:
                if isinstance(want, tuple) and isinstance(want[0], type):
                    with self.assertRaises(want[0]) as caught:
                        call(q)
                    self.assertEqual(getattr(caught.exception, "codes", None), want[1])
                else:
                    self.assertEqual(call(q), want)
            self.assertEqual(server.sent(), [line for line, _ in script])

    def test_markers_and_traces(self):
        m1, m2 = "CALCulate:MARKer1:", "CALCulate:MARKer2:"
        stale = [("SYSTem:ERRor?", '-230,"runs off"'), OK]
        cases = [  # (call, the exchange after the protocol's, result, or (exception, codes))
            (lambda q: setattr(q.marker(3), "frequency", "10.7M"), [("CALCulate:MARKer3:FREQuency 10700000", None), OK],
             None),
            (lambda q: q.marker(2).frequency, [(m2 + "FREQuency?", "10700000")], 10700000),
            (lambda q: q.marker().level, [(m1 + "Y?", "-3.5")], -3.5),
            (lambda q: q.marker().level, [(m1 + "Y?", ""), ("SYSTem:ERRor?", '-241,"synthesised"'), OK],
             (CommandError, [-241])),
            (lambda q: q.marker(8).on, [("CALCulate:MARKer8:STATe?", "1")], True),
            (lambda q: q.marker(2).next_peak(right=False), [(m2 + "MAXimum:LEFT", None), OK], None),
            (lambda q: q.marker().band(3), [(m1 + "BWIDth 3.0", None), OK, (m1 + "BWIDth:DATA?", "10600000,10800000,"
                                                                              "200000,10700000,53.5")],
             Band(10600000, 10800000, 200000, 10700000, 53.5)),
            (lambda q: q.marker().band(6), [(m1 + "BWIDth 6.0", None), OK, (m1 + "BWIDth:DATA?", "")] + stale, None),
            (lambda q: q.marker(2).delta(1), [(m2 + "DELTa 1", None), OK, (m2 + "DELTa:DATA?", "-5000,2.5")],
             Delta(-5000, 2.5)),
            (lambda q: q.marker().search_range, [(m1 + "SEARch:RANGe?", "NONE")], None),
            (lambda q: q.marker().search_range, [(m1 + "SEARch:RANGe?", "10000000,12000000")], (10000000, 12000000)),
            (lambda q: setattr(q.marker(), "search_range", ("10M", 12e6)),
             [(m1 + "SEARch:RANGe 10000000,12000000", None), OK], None),
            (lambda q: setattr(q.marker(), "search_range", None), [(m1 + "SEARch:RANGe:CLEar", None), OK], None),
            (lambda q: q.marker(9), [], (ValueError, None)),
            (lambda q: q.hold, [("CALCulate:HOLD?", "AVER")], "average"),
            (lambda q: setattr(q, "hold", "max"), [("CALCulate:HOLD MAXimum", None), OK], None),
            (lambda q: q.math, [("CALCulate:MATH?", "DIFF")], "diff"),
            (lambda q: setattr(q, "math", "diff"),
             [("CALCulate:MATH DIFFerence", None), ("SYSTem:ERRor?", '-221,"no reference"'), OK],
             (CommandError, [-221])),
            (lambda q: q.reference.store(), [("TRACe:REFerence:STORe", None), OK], None),
            (lambda q: [list(x) for x in q.math_data()], [("CALCulate:MATH:DATA?", "1000000,0,1001000,-0.2")],
             [[1000000, 1001000], [0, -0.2]]),
        ]
        self.run_cases(cases)

    def test_limits_export_and_presets(self):
        cases = [  # (call, the exchange after the protocol's, result, or (exception, codes))
            (lambda q: q.limits.load("mask.lim"), [('CALCulate:LIMit:LOAD "mask.lim"', None), OK], None),
            (lambda q: q.limits.failed, [("CALCulate:LIMit:FAIL?", "1")], True),
            (lambda q: q.limits.failing_points(), [("CALCulate:LIMit:FAIL:POINts?", "11200000,11210000")],
             [11200000, 11210000]),
            (lambda q: q.limits.failing_points(), [("CALCulate:LIMit:FAIL:POINts?", ""), OK], []),
            (lambda q: q.limits.failed, [("CALCulate:LIMit:FAIL?", ""), ("SYSTem:ERRor?", '-230,"no pass"'), OK],
             (CommandError, [-230])),
            (lambda q: setattr(q.limits, "enabled", False), [("CALCulate:LIMit:STATe OFF", None), OK], None),
            (lambda q: q.export("a.s2p", "S2P"),
             [('MMEMory:STORe:TRACe "a.s2p",S2P', None), OK, ("MMEMory:CDIRectory?", '"/home/u/.local/share/qzl7"')],
             "/home/u/.local/share/qzl7/a.s2p"),
            (lambda q: q.export("a.xls", "xls"), [], (ValueError, None)),
            (lambda q: q.export("a.csv", "csv"),
             [('MMEMory:STORe:TRACe "a.csv",CSV', None), ("SYSTem:ERRor?", '-257,"a.csv exists"'), OK],
             (CommandError, [-257])),
            (lambda q: q.presets.list(), [("MMEMory:CATalog:STATe?", '"filter","say ""hi"", x"')],
             ["filter", 'say "hi", x']),
            (lambda q: q.presets.list(), [("MMEMory:CATalog:STATe?", ""), OK], []),
            (lambda q: q.presets.save("filter"), [('MMEMory:STORe:STATe "filter"', None), OK], None),
        ]
        self.run_cases(cases, protocol="3")
        # A window of protocol 2 has none of them.
        server, q = session([])
        with q:
            self.assertRaises(ProtocolError, lambda: q.limits)

    def test_crystal(self):
        setup = [("ABORt", None), ("SENSe:SWEep:RANGe 9990000,67,300", None), ("CALCulate:CRYStal:FIXTure 12.5", None),
                 OK]
        figures = "9999798.63,9.91E37,19.89876,0.01213569,2.087341e-14,9.91E37,6374.588,38318.6,1.576294,0.08,52"
        cases = [  # (call, the exchange after the protocol's, result, or (exception, codes))
            (lambda q: q.crystal("9.99M", 10.01e6, fixture=12.5),
             setup + [("CALCulate:CRYStal:MEASure?", figures), ("CALCulate:CRYStal:WARNing?", '"small loss"')],
             Crystal(9999798.63, None, 19.89876, 0.01213569, 2.087341e-14, None, 6374.588, 38318.6, 1.576294, 0.08, 52,
                     "small loss")),
            (lambda q: q.crystal("9.99M", "10.01M", fixture=12.5),
             setup + [("CALCulate:CRYStal:MEASure?", ""), ("CALCulate:CRYStal:WARNing?", '""'),
                      ("SYSTem:ERRor?", '-230,"no resonance in the range"'), OK], (CommandError, [-230])),
            (lambda q: q.crystal("9.99M", "10.01M", fixture=12.5),
             setup[:-1] + [("SYSTem:ERRor?", '-221,"a sweep is running"'), OK], (CommandError, [-221])),
            (lambda q: q.crystal("10.01M", "9.99M"), [], (ValueError, None)),
            (lambda q: q.crystal("10M", "10.0001M"), [], (ValueError, None)),
            (lambda q: q.crystal("10M", "10.01M", fixture="50"), [], (ValueError, None)),
        ]
        self.run_cases(cases, protocol="4")
        # The step of qzl7-cli: the span / 299 to the nearest hertz, down where up would leave 32 bits.
        self.assertEqual(first_range(2**31 - 500, 2**31 - 1), (2**31 - 500, 1))
        self.assertEqual(first_range(0, 448), (0, 1))
        self.assertEqual(first_range(0, 449), (0, 2))
        with Qzl7(port=FakeQzl7([], protocol="3").port) as q:
            self.assertRaises(ProtocolError, q.crystal, "9.99M", "10.01M")

    def test_heading_is_quoted(self):
        server, q = session([("DISPlay:HEADing \"say \"\"hi\"\"\"", None), OK, ("DISPlay:HEADing?", '"a ""b"""')])
        with q:
            q.heading = 'say "hi"'
            self.assertEqual(q.heading, 'a "b"')
            self.assertRaises(ValueError, setattr, q, "heading", "two\nlines")
        self.assertEqual(server.sent()[0], server.script[1][0])

    def test_a_silent_window_times_out_and_closes(self):
        _, q = session([("*OPC?", None)], timeout=0.2)
        begun = time.monotonic()
        self.assertRaises(Qzl7Timeout, q.query, "*OPC?")
        self.assertLess(time.monotonic() - begun, 2)
        self.assertRaises(Qzl7ConnectionError, q.query, "*IDN?")

    def test_connections(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "qzl7.sock")
            server = FakeQzl7([("*IDN?", "qzl7,qzl7,0,1.0")], path=path)
            with Qzl7("unix:" + path) as q:
                self.assertEqual(q.identity, "qzl7,qzl7,0,1.0")
            self.assertRaises(Qzl7ConnectionError, Qzl7, path=os.path.join(folder, "none"))
        for protocol in ("1", "x", "2.0"):
            self.assertRaises(ProtocolError, Qzl7, port=FakeQzl7([], protocol=protocol).port)
        Qzl7(port=FakeQzl7([], protocol="3").port).close()  # a later window keeps this client's commands
        busy = FakeQzl7([], protocol="qzl7: busy, 16 clients at most; try later")
        self.assertRaisesRegex(Qzl7ConnectionError, "busy: qzl7: busy, 16 clients", Qzl7, port=busy.port)
        with socket.create_server(("127.0.0.1", 0)) as closed:
            port = closed.getsockname()[1]
        self.assertRaises(Qzl7ConnectionError, Qzl7, port=port)

    @unittest.skipIf(skrf is None, "scikit-rf is not importable")
    def test_network(self):
        data = ("TRACe:DATA?", "1000000,0,2000000,-20")
        for mode, ports, where in [("REFL", 1, (0, 0)), ("TRAN", 2, (1, 0))]:
            _, q = session([("SENSe:MODE?", mode), ("SENSe:DETector?", "LOG"), data])
            with q:
                n = q.network("dut")
            self.assertEqual(n.nports, ports)
            self.assertEqual(list(n.f), [1e6, 2e6])
            self.assertTrue((abs(n.s[:, where[0], where[1]] - [1, 0.1]) < 1e-12).all())
            self.assertEqual(abs(n.s).sum(), 1.1)  # everything else is 0, the phase too
            self.assertIn("the phase was not measured: every angle is 0", n.comments)
        for mode, detector in [("SPECTRUM", "LOG"), ("VFO", "LOG"), ("TRAN", "LIN")]:
            _, q = session([("SENSe:MODE?", mode), ("SENSe:DETector?", detector)], timeout=0.5)
            with q, self.assertRaises(Qzl7Error) as caught:
                q.network()
            self.assertIs(type(caught.exception), Qzl7Error)  # refused, not a timeout waiting for the trace


def fake_cli(code):
    return [sys.executable, "-c", "import json, os, sys, time\n" + code]


LINE = 'print(json.dumps({"pass": %s, "detector": "log", "frequency_hz": [1, 2], "level_db": [-3, -6], "argv": sys.argv[1:], "pid": os.getpid()}), flush=True)'


class StreamTest(unittest.TestCase):
    def test_passes_and_arguments(self):
        passes = list(stream(["--points", "2"], cli=fake_cli(LINE % 1 + "\nprint()\n" + LINE % 2)))
        self.assertEqual([p["pass"] for p in passes], [1, 2])
        self.assertEqual(passes[0]["argv"], ["sweep", "--format", "jsonl", "-q", "--points", "2"])
        self.assertEqual(list(passes[1]["level_db"]), [-3, -6])

    def test_failures(self):
        failing = stream(cli=fake_cli(LINE % 1 + "\nsys.stderr.write('port failed\\n'); sys.exit(2)"))
        self.assertEqual(next(failing)["pass"], 1)
        with self.assertRaises(CliError) as caught:
            next(failing)
        self.assertEqual((caught.exception.returncode, caught.exception.stderr), (2, "port failed\n"))
        self.assertRaises(ProtocolError, list, stream(cli=fake_cli("print('nonsense')")))
        self.assertRaises(Qzl7Timeout, list, stream(cli=fake_cli("time.sleep(60)"), timeout=0.3))

    def test_stopping_early_ends_the_program(self):
        endless = stream(cli=fake_cli("while True:\n " + LINE % 1 + "\n time.sleep(0.05)"))
        pid, begun = next(endless)["pid"], time.monotonic()
        endless.close()
        self.assertLess(time.monotonic() - begun, 2)  # terminated, not killed after the grace time
        self.assertRaises(ProcessLookupError, os.kill, pid, 0)


if __name__ == "__main__":
    unittest.main()
