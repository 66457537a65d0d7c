"""Passes from `qzl7-cli sweep --format jsonl`, one at a time."""

import json
import queue
import subprocess
import tempfile
import threading

from .protocol import ProtocolError, Qzl7Error, Qzl7Timeout, _array


class CliError(Qzl7Error):
    """qzl7-cli ended with a failure; `returncode` and `stderr` say which."""

    def __init__(self, returncode, stderr):
        self.returncode = returncode
        self.stderr = stderr
        super().__init__(f"qzl7-cli ended with exit status {returncode}: {stderr.strip() or 'no message'}")


def _pump(pipe, lines):
    try:
        for line in pipe:
            lines.put(line)
    finally:
        pipe.close()
        lines.put(None)


def _record(line):
    try:
        record = json.loads(line)
    except ValueError:
        record = None
    if not isinstance(record, dict):
        raise ProtocolError(f"qzl7-cli wrote a line that is not a JSON object: {line[:80]!r}")
    for key in ("frequency_hz", "level_db", "level_lin"):
        if key in record:
            record[key] = _array(record[key])
    return record


def stream(args=(), cli="qzl7-cli", timeout=None):
    """Run `qzl7-cli sweep --format jsonl -q ARGS` and yield each pass as a dict.

    The dict is the line's JSON object ("pass", "mode", "start_hz", ...), with "frequency_hz" and
    "level_db" (or "level_lin" with the linear detector) as numpy arrays when numpy is there.
    `cli` is the program, or a list that starts it. `timeout` bounds the wait for each pass; None waits
    as long as qzl7-cli runs, which gives up by itself when the instrument falls silent. A failed run
    raises CliError; leaving the loop early (closing the generator) terminates qzl7-cli.
    """
    command = ([cli] if isinstance(cli, str) else list(cli)) + ["sweep", "--format", "jsonl", "-q", *args]
    # stderr goes to a file: a pipe nobody reads could fill and stall the program.
    with tempfile.TemporaryFile() as errors:
        process = subprocess.Popen(
            command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=errors, encoding="utf-8", errors="replace"
        )
        lines = queue.Queue()
        threading.Thread(target=_pump, args=(process.stdout, lines), daemon=True).start()
        try:
            while True:
                try:
                    line = lines.get(timeout=timeout)
                except queue.Empty:
                    raise Qzl7Timeout(f"qzl7-cli gave no pass within {timeout} s") from None
                if line is None:
                    break
                if line.strip():
                    yield _record(line)
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                raise Qzl7Timeout("qzl7-cli closed its output but did not end") from None
            if process.returncode != 0:
                errors.seek(0)
                raise CliError(process.returncode, errors.read().decode("utf-8", "replace"))
        finally:
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
