#!/usr/bin/python3
"""Writes tests/eclipses/eclipse_reference.tsv: the solar and lunar eclipses of 1990-2030 from
the Swiss Ephemeris, for the C++ tests of the eclipse tables. Run it once; the file is
committed and the tests read it, so the test build never needs the Swiss Ephemeris.

Solar eclipses (swe_sol_eclipse_when_glob): the moment of greatest eclipse (the shadow axis
nearest the Earth's centre), the kind, and for central eclipses the point of the central line
at that moment (swe_sol_eclipse_where, which also gives the greatest magnitude) with the duration of totality or annularity there
(second to third contact, swe_sol_eclipse_when_loc). Lunar eclipses (swe_lun_eclipse_when):
greatest eclipse, the kind, the umbral and penumbral magnitudes (swe_lun_eclipse_how) and the semi-durations of the partial and total phases. Times are
written as JD(TT) = JD(UT) + swe_deltat, so no Delta T model of ours enters the tests.

Usage: /usr/bin/python3 tools/accuracy/make_eclipse_fixture.py [--out FILE]
"""

import argparse
import ctypes
import datetime
import sys
from pathlib import Path

sys.dont_write_bytecode = True

import ephemeris_check as ec  # noqa: E402
from events_check import (  # noqa: E402  (the Swiss Ephemeris eclipse flags, swephexp.h)
    SE_ECL_ANNULAR, SE_ECL_ANNULAR_TOTAL, SE_ECL_CENTRAL, SE_ECL_PARTIAL, SE_ECL_PENUMBRAL,
    SE_ECL_TOTAL)
from reference import EPHE_DIR, CheckError  # noqa: E402

FIRST_YEAR = 1990
LAST_YEAR = 2030

D = ctypes.c_double
DP = ctypes.POINTER(ctypes.c_double)


def solar_kind(flags):
    if flags & SE_ECL_ANNULAR_TOTAL:
        return "hybrid"
    if flags & SE_ECL_TOTAL:
        return "total" if flags & SE_ECL_CENTRAL else "total_noncentral"
    if flags & SE_ECL_ANNULAR:
        return "annular" if flags & SE_ECL_CENTRAL else "annular_noncentral"
    return "partial"


def lunar_kind(flags):
    if flags & SE_ECL_TOTAL:
        return "total"
    if flags & SE_ECL_PARTIAL:
        return "partial"
    return "penumbral"


def main():
    root = Path(__file__).resolve().parents[2]
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--out", type=Path, default=root / "tests/eclipses/eclipse_reference.tsv")
    p.add_argument("--ephe", type=Path, default=Path(EPHE_DIR))
    a = p.parse_args()
    rows = []
    try:
        ec.reference.ensure_reference(a.ephe, False, ec.REFERENCE_PACKAGES[:3],
                                      ["sepl_18.se1", "semo_18.se1"])
        se = ec.SwissEph(a.ephe)
        lib = se.lib
        lib.swe_deltat.argtypes = [D]
        lib.swe_deltat.restype = D
        lib.swe_julday.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_int, D, ctypes.c_int]
        lib.swe_julday.restype = D
        lib.swe_sol_eclipse_when_glob.argtypes = [D, ctypes.c_int32, ctypes.c_int32, DP,
                                                  ctypes.c_int32, ctypes.c_char_p]
        lib.swe_sol_eclipse_when_glob.restype = ctypes.c_int32
        lib.swe_sol_eclipse_where.argtypes = [D, ctypes.c_int32, DP, DP, ctypes.c_char_p]
        lib.swe_sol_eclipse_where.restype = ctypes.c_int32
        lib.swe_sol_eclipse_when_loc.argtypes = [D, ctypes.c_int32, DP, DP, DP,
                                                 ctypes.c_int32, ctypes.c_char_p]
        lib.swe_sol_eclipse_when_loc.restype = ctypes.c_int32
        lib.swe_lun_eclipse_when.argtypes = [D, ctypes.c_int32, ctypes.c_int32, DP,
                                             ctypes.c_int32, ctypes.c_char_p]
        lib.swe_lun_eclipse_when.restype = ctypes.c_int32
        lib.swe_lun_eclipse_how.argtypes = [D, ctypes.c_int32, DP, DP, ctypes.c_char_p]
        lib.swe_lun_eclipse_how.restype = ctypes.c_int32
        flag = ec.SEFLG_SWIEPH
        err = ctypes.create_string_buffer(256)
        start = lib.swe_julday(FIRST_YEAR, 1, 1, 0.0, 1)
        end = lib.swe_julday(LAST_YEAR + 1, 1, 1, 0.0, 1)

        t = start
        while True:
            tret = (D * 10)()
            kind = lib.swe_sol_eclipse_when_glob(t, flag, 0, tret, 0, err)
            if kind < 0:
                raise CheckError(f"swe_sol_eclipse_when_glob: {err.value.decode()}")
            tmax = tret[0]
            if tmax >= end:
                break
            geo = (D * 10)()
            attr = (D * 20)()
            if lib.swe_sol_eclipse_where(tmax, flag, geo, attr, err) < 0:
                raise CheckError(f"swe_sol_eclipse_where: {err.value.decode()}")
            row = ["S", f"{tmax + lib.swe_deltat(tmax):.6f}", solar_kind(kind), f"{attr[0]:.4f}"]
            if kind & SE_ECL_CENTRAL:
                place = (D * 3)(geo[0], geo[1], 0.0)
                loc = (D * 10)()
                if lib.swe_sol_eclipse_when_loc(tmax - 0.5, flag, place, loc, attr, 0, err) < 0:
                    raise CheckError(f"swe_sol_eclipse_when_loc: {err.value.decode()}")
                if abs(loc[0] - tmax) > 0.1 or loc[2] == 0.0 or loc[3] == 0.0:
                    raise CheckError(f"no central contacts at the central point of {tmax}")
                row += [f"{geo[1]:.4f}", f"{geo[0]:.4f}", f"{(loc[3] - loc[2]) * 86400.0:.1f}"]
            else:
                row += ["-", "-", "-"]
            rows.append("\t".join(row))
            t = tmax + 20.0

        t = start
        while True:
            tret = (D * 10)()
            kind = lib.swe_lun_eclipse_when(t, flag, 0, tret, 0, err)
            if kind < 0:
                raise CheckError(f"swe_lun_eclipse_when: {err.value.decode()}")
            tmax = tret[0]
            if tmax >= end:
                break
            partial = (tret[3] - tret[2]) * 720.0 if tret[2] and tret[3] else 0.0
            total = (tret[5] - tret[4]) * 720.0 if tret[4] and tret[5] else 0.0
            attr = (D * 20)()
            if lib.swe_lun_eclipse_how(tmax, flag, (D * 3)(), attr, err) < 0:
                raise CheckError(f"swe_lun_eclipse_how: {err.value.decode()}")
            rows.append("\t".join(["L", f"{tmax + lib.swe_deltat(tmax):.6f}", lunar_kind(kind),
                                   f"{attr[0]:.4f}", f"{attr[1]:.4f}", f"{partial:.2f}",
                                   f"{total:.2f}"]))
            t = tmax + 20.0
    except CheckError as e:
        print(f"make_eclipse_fixture: {e}", file=sys.stderr)
        return 2
    header = [
        f"# Solar and lunar eclipses {FIRST_YEAR}-{LAST_YEAR} (UT dates), from the Swiss "
        "Ephemeris.",
        "# Written once by tools/accuracy/make_eclipse_fixture.py; do not edit by hand.",
        f"# Generated {datetime.date.today().isoformat()} with Swiss Ephemeris {se.version}.",
        "# S\tJD_TT of greatest eclipse\tkind\tgreatest magnitude\tcentral latitude\t"
        "central east longitude\tcentral duration (s)",
        "# L\tJD_TT of greatest eclipse\tkind\tumbral magnitude\tpenumbral magnitude\t"
        "partial semi-duration (min)\ttotal semi-duration (min)"]
    a.out.write_text("\n".join(header + rows) + "\n")
    print(f"wrote {a.out} ({len(rows)} eclipses)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
