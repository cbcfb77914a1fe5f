#!/usr/bin/python3
"""Writes tests/planets/disk_reference.tsv: independent illuminated fractions and apparent
diameters of Mercury, Venus, Mars, Jupiter, Saturn and the Moon, for the C++ tests of the
telescope disk views, from the Swiss Ephemeris (swe_pheno: geocentric, apparent, with light
time). Run it once; the file is committed and the tests read it, so the test build never
needs the Swiss Ephemeris.

The moments: one at 0h UT in each of MOMENTS equal parts of 1950-2050. JD(TT) = JD(UT) +
swe_deltat; both are written, so no Delta T model enters the test. The diameter, in arc
seconds, is the Swiss Ephemeris's own, except that for Jupiter and Saturn, where swe_pheno
takes the volumetric mean radius (69911 and 58232 km), it is scaled to the IAU equatorial
radius (71492 and 60268 km), as the views give the equatorial diameter.

Usage: /usr/bin/python3 tools/accuracy/make_disk_fixture.py [--out FILE]
"""

import argparse
import ctypes
import datetime
import sys
from pathlib import Path

sys.dont_write_bytecode = True

import ephemeris_check as ec  # noqa: E402
from reference import EPHE_DIR, CheckError  # noqa: E402

MOMENTS = 6
JD_1950 = 2433282.5
JD_2050 = 2469807.5
BODIES = [("mercury", 2), ("venus", 3), ("mars", 4), ("jupiter", 5), ("saturn", 6),
          ("moon", 1)]
EQUATORIAL_OVER_MEAN = {"jupiter": 71492.0 / 69911.0, "saturn": 60268.0 / 58232.0}


def main():
    root = Path(__file__).resolve().parents[2]
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--out", type=Path, default=root / "tests/planets/disk_reference.tsv")
    p.add_argument("--ephe", type=Path, default=Path(EPHE_DIR))
    a = p.parse_args()
    try:
        ec.reference.ensure_reference(a.ephe, False, ec.REFERENCE_PACKAGES[:3],
                                      ["sepl_18.se1", "semo_18.se1"])
        se = ec.SwissEph(a.ephe)
        lib = se.lib
        lib.swe_deltat.argtypes = [ctypes.c_double]
        lib.swe_deltat.restype = ctypes.c_double
        lib.swe_pheno.argtypes = [ctypes.c_double, ctypes.c_int, ctypes.c_int32,
                                  ctypes.POINTER(ctypes.c_double), ctypes.c_char_p]
        lib.swe_pheno.restype = ctypes.c_int32
        rows = []
        step = (JD_2050 - JD_1950) / MOMENTS
        for k in range(MOMENTS):
            jd_ut = float(int(JD_1950 + step * (k + 0.5) - 0.5)) + 0.5
            jd_tt = jd_ut + lib.swe_deltat(jd_ut)
            rows.append(f"# {ec.jd_text(jd_ut)} UT")
            for body, ipl in BODIES:
                attr = (ctypes.c_double * 20)()
                err = ctypes.create_string_buffer(256)
                if lib.swe_pheno(jd_tt, ipl, ec.SEFLG_SWIEPH, attr, err) < 0:
                    raise CheckError(f"swe_pheno({jd_tt}, {ipl}): {err.value.decode()}")
                rows.append(f"{body}\t{jd_ut:.1f}\t{jd_tt:.8f}\t{attr[1]:.6f}\t"
                            f"{attr[3] * 3600.0 * EQUATORIAL_OVER_MEAN.get(body, 1.0):.4f}")
    except CheckError as e:
        print(f"make_disk_fixture: {e}", file=sys.stderr)
        return 2
    header = [
        "# Independent illuminated fractions and apparent diameters (arc seconds), geocentric.",
        "# Written once by tools/accuracy/make_disk_fixture.py; do not edit by hand.",
        f"# Generated {datetime.date.today().isoformat()} with Swiss Ephemeris {se.version}.",
        "# body\tJD_UT\tJD_TT\tk\tdiameter"]
    a.out.write_text("\n".join(header + rows) + "\n")
    print(f"wrote {a.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
