#!/usr/bin/env python3
"""What the command socket costs: one pass of 280 points against the
instant simulator, started remotely (INIT, *OPC?, TRAC:DATA?) and started as
the Start button does it (INIT:CONT ON, ABOR, *OPC?, which answers once the
pass under way has ended), in alternating rounds on one window; TRAC:DATA?
alone; and the remote pass again while a second client floods the socket
with queries. Then, on a simulator paced at 57 600 bit/s as a real line is,
the Python client's sweep() with its settings against the Start button's
pass, alternating.

    bench/remote/bench_fern.py [BIN_FOLDER] [ROUNDS]      (default build/bin, 200)
"""
import os
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

BIN = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bin")
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../python"))
import qzl7  # noqa: E402
RUNDEN = int(sys.argv[2]) if len(sys.argv) > 2 else 200


class Leitung:
    def __init__(self, pfad):
        self.s = socket.socket(socket.AF_UNIX)
        self.s.connect(pfad)
        self.rest = b""

    def frage(self, text, zeilen=1):
        self.s.sendall(text.encode())
        antworten = []
        while len(antworten) < zeilen:
            while b"\n" not in self.rest:
                self.rest += self.s.recv(1 << 16)
            z, self.rest = self.rest.split(b"\n", 1)
            antworten.append(z)
        return antworten


def messen(leitung, befehl, zeilen):
    t = time.perf_counter()
    leitung.frage(befehl, zeilen)
    return (time.perf_counter() - t) * 1000.0


class Fenster:
    """A simulator and the window on it, listening on a Unix socket."""

    def __init__(self, d, *sim):
        self.sim = subprocess.Popen([f"{BIN}/qzl7-sim", "--link", f"{d}/com2", *sim], stdout=subprocess.DEVNULL)
        while not os.path.exists(f"{d}/com2"):
            time.sleep(0.02)
        self.fenster = subprocess.Popen([f"{BIN}/qzl7", "-c", f"--com2={d}/com2", f"--listen=unix:{d}/sock"], cwd=d,
                                        env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        while not os.path.exists(f"{d}/sock"):
            time.sleep(0.02)
        self.pfad = f"{d}/sock"

    def schliessen(self):
        for p in (self.fenster, self.sim):
            p.terminate()
            p.wait()


def sofort(d):
    f = Fenster(d)
    try:
        l = Leitung(f.pfad)
        l.frage("SENS:SWE:POIN 280;:INIT;*OPC?\n")
        fern, knopf, daten = [], [], []
        for _ in range(RUNDEN):
            fern.append(messen(l, "INIT\n*OPC?\nTRAC:DATA?\n", 2))
            knopf.append(messen(l, "INIT:CONT ON\nABOR\n*OPC?\n", 1))
            daten.append(messen(l, "TRAC:DATA?\n", 1))
        flut = Leitung(f.pfad)
        ende = threading.Event()

        def fluten():
            while not ende.is_set():
                flut.frage("*IDN?;SENS:FREQ:STAR?\n" * 100, 100)

        faden = threading.Thread(target=fluten)
        faden.start()
        geflutet = [messen(l, "INIT\n*OPC?\nTRAC:DATA?\n", 2) for _ in range(RUNDEN // 4)]
        ende.set()
        faden.join()
    finally:
        f.schliessen()
    fm, k = statistics.median(fern), statistics.median(knopf)
    print(f"pass of 280 points, median of {RUNDEN} alternating rounds:")
    print(f"  remote INIT + *OPC? + TRAC:DATA?  {fm:7.2f} ms")
    print(f"  as the Start button, then Stop    {k:7.2f} ms")
    print(f"  remote / Start button             {fm / k:7.3f}")
    print(f"  remote, another client flooding  {statistics.median(geflutet):7.2f} ms")
    print(f"TRAC:DATA? of 280 points: median {statistics.median(daten):.3f} ms, "
          f"95th percentile {sorted(daten)[int(0.95 * len(daten))]:.3f} ms")


def auf_der_leitung(d, runden):
    f = Fenster(d, "--baud", "57600")
    try:
        l = Leitung(f.pfad)
        python, knopf = [], []
        with qzl7.Qzl7("unix:" + f.pfad, timeout=30) as q:
            q.sweep(start="10.9M", step="5k", points=280)
            for _ in range(runden):
                t = time.perf_counter()
                q.sweep(start="10.9M", step="5k", points=280)
                python.append((time.perf_counter() - t) * 1000.0)
                knopf.append(messen(l, "INIT:CONT ON\nABOR\n*OPC?\n", 1))
    finally:
        f.schliessen()
    p, k = statistics.median(python), statistics.median(knopf)
    print(f"at 57600 bit/s, pass of 280 points, median of {runden} alternating rounds:")
    print(f"  Python sweep() with start, step, points  {p:7.1f} ms")
    print(f"  as the Start button, then Stop          {k:7.1f} ms")
    print(f"  sweep() / Start button                  {p / k:7.3f}")


def main():
    with tempfile.TemporaryDirectory() as d:
        sofort(d)
    with tempfile.TemporaryDirectory() as d:
        auf_der_leitung(d, max(5, RUNDEN // 10))


if __name__ == "__main__":
    main()
