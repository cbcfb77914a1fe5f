"""Shared pieces of the data-file tests: paths, file reading and an independent
point-in-polygon test on the sphere."""
import math
import pathlib
import sys
import unittest

TOP = pathlib.Path(__file__).resolve().parents[2]
DATA = TOP / "data"
TOOLS = TOP / "tools"
if str(TOOLS) not in sys.path:
    sys.path.insert(0, str(TOOLS))


def read_lines(name):
    """Lines (decoded from Windows-1252) of data/NAME; the test is skipped when the file has
    not been generated. Checks that every line ends with CRLF."""
    path = DATA / name
    if not path.exists():
        raise unittest.SkipTest(f"data/{name} not generated (run tools/make-data)")
    raw = path.read_bytes()
    if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b""):
        raise AssertionError(f"data/{name}: every line must end with CRLF")
    return raw.decode("cp1252").split("\r\n")[:-1]


def cols(line, first, last):
    """Columns first..last (counted from 1) of a line."""
    return line[first - 1:last]


def deg_min(text):
    """Degrees.minutes text ("59.20", "-35.17") to degrees, the sign through both parts."""
    v = float(text)
    whole = math.trunc(v)
    return whole + (v - whole) / 0.6


def winding_deg(lat, lon, ring):
    """Total turn in degrees of the bearing from (lat, lon) to the points of a closed ring
    walked once around: +-360 when the ring goes around the point, 0 when not (valid when the
    point's antipode lies outside the ring). Independent of the generators' own geometry."""
    p1, l1 = math.radians(lat), math.radians(lon)

    def bearing(plat, plon):
        p2, l2 = math.radians(plat), math.radians(plon)
        y = math.sin(l2 - l1) * math.cos(p2)
        x = math.cos(p1) * math.sin(p2) - math.sin(p1) * math.cos(p2) * math.cos(l2 - l1)
        return math.degrees(math.atan2(y, x))

    total = 0.0
    prev = bearing(*ring[-1])
    for pt in ring:
        b = bearing(*pt)
        d = (b - prev + 540.0) % 360.0 - 180.0
        total += d
        prev = b
    return total


def inside(lat, lon, ring):
    return abs(winding_deg(lat, lon, ring)) > 180.0


def angle_deg(a, b):
    pa, la = math.radians(a[0]), math.radians(a[1])
    pb, lb = math.radians(b[0]), math.radians(b[1])
    c = math.sin(pa) * math.sin(pb) + math.cos(pa) * math.cos(pb) * math.cos(la - lb)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))
