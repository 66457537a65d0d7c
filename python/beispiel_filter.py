#!/usr/bin/env python3
"""Sweep a filter in the running qzl7 window (qzl7 --listen) and save it as Touchstone."""

from qzl7 import Qzl7

with Qzl7() as qzl7:
    frequencies, levels = qzl7.sweep(start="10.9M", step="5k", points=201, mode="transmission", detector="log")
    band = qzl7.bandwidth()
    if band:
        low, high, width = band
        print(f"6 dB bandwidth {width} Hz, from {low} to {high} Hz")
    else:
        print("no band: the curve does not fall 6 dB on both sides")
    qzl7.network("filter").write_touchstone("filter.s2p", form="ma")
    print("written: filter.s2p")
