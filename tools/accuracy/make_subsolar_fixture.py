#!/usr/bin/python3
"""Writes tests/earth/subsolar_reference.tsv: independent sub-solar points (the point of the
Earth with the Sun in its zenith) for the C++ test of the Sun-position views, from ERFA
(python3-erfa). Run it once; the file is committed and the tests read it.

The Sun: the negated heliocentric position of the Earth (erfa.epv00), corrected for
aberration with the Earth's barycentric velocity (erfa.ab) and turned to the true equator and
equinox of date (erfa.pnm06a). Latitude = its declination; east longitude = its right
ascension minus Greenwich apparent sidereal time (erfa.gst06a, UT1 taken as UT).

The moments: MOMENTS over 1950-2050, each at a different time of day. JD(TT) = JD(UT) +
Delta T of the Swiss Ephemeris (swe_deltat); both are written, so no Delta T model enters the
test.

Usage: /usr/bin/python3 tools/accuracy/make_subsolar_fixture.py [--out FILE]
"""

import argparse
import ctypes
import datetime
import math
import sys
from pathlib import Path

sys.dont_write_bytecode = True

import ephemeris_check as ec  # noqa: E402
from reference import EPHE_DIR, CheckError  # noqa: E402

MOMENTS = 16
JD_1950 = 2433282.5
JD_2050 = 2469807.5


def subsolar(erfa, np, jd_ut, jd_tt):
    pvh, pvb = erfa.epv00(jd_tt, 0.0)
    sun = -np.asarray(pvh["p"], dtype=float)
    distance = float(np.linalg.norm(sun))
    velocity = np.asarray(pvb["v"], dtype=float) / erfa.DC
    bm1 = math.sqrt(1.0 - float(velocity @ velocity))
    apparent = erfa.ab(sun / distance, velocity, distance, bm1)
    ra, dec = erfa.c2s(erfa.pnm06a(jd_tt, 0.0) @ apparent)
    lon = math.degrees(ra - erfa.gst06a(jd_ut, 0.0, jd_tt, 0.0))
    lon = (lon + 180.0) % 360.0 - 180.0
    return math.degrees(dec), lon


def main():
    root = Path(__file__).resolve().parents[2]
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--out", type=Path, default=root / "tests/earth/subsolar_reference.tsv")
    a = p.parse_args()
    try:
        ec.reference.ensure_reference(EPHE_DIR, False, ec.REFERENCE_PACKAGES, [],
                                      need_erfa=True)
        import erfa
        import numpy as np
        lib = ec.reference.find_libswe()
        lib.swe_deltat.argtypes = [ctypes.c_double]
        lib.swe_deltat.restype = ctypes.c_double
        rows = []
        step = (JD_2050 - JD_1950) / MOMENTS
        for k in range(MOMENTS):
            day = float(int(JD_1950 + step * (k + 0.5) - 0.5)) + 0.5
            jd_ut = day + ((k * 7) % 24) / 24.0 + (k % 4) * 0.0103
            jd_tt = jd_ut + lib.swe_deltat(jd_ut)
            lat, lon = subsolar(erfa, np, jd_ut, jd_tt)
            rows.append(f"{jd_ut:.6f}\t{jd_tt:.8f}\t{lat:.5f}\t{lon:.5f}\t# {ec.jd_text(jd_ut)} UT")
    except CheckError as e:
        print(f"make_subsolar_fixture: {e}", file=sys.stderr)
        return 2
    header = [
        "# Independent sub-solar points: latitude and east longitude, degrees.",
        "# Written once by tools/accuracy/make_subsolar_fixture.py; do not edit by hand.",
        f"# Generated {datetime.date.today().isoformat()} with ERFA {erfa.__version__}.",
        "# JD_UT\tJD_TT\tlatitude\tlongitude"]
    a.out.write_text("\n".join(header + rows) + "\n")
    print(f"wrote {a.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
