"""Control a running qzl7 window over its text commands, or run qzl7-cli pass by pass."""

from .client import Qzl7
from .crystal import Crystal
from .files import Limits, Presets
from .markers import Band, Delta, Marker, Reference
from .protocol import (
    PROTOCOL,
    CommandError,
    ProtocolError,
    Qzl7ConnectionError,
    Qzl7Error,
    Qzl7Timeout,
    hz,
)
from .stream import CliError, stream

__all__ = [
    "PROTOCOL",
    "Band",
    "Crystal",
    "Delta",
    "Limits",
    "Presets",
    "Marker",
    "Reference",
    "CliError",
    "CommandError",
    "ProtocolError",
    "Qzl7",
    "Qzl7ConnectionError",
    "Qzl7Error",
    "Qzl7Timeout",
    "hz",
    "stream",
]
