#!/usr/bin/python3
"""Writes tests/astro/pipeline_reference.tsv: independent end values of the apparent-place
pipeline (topocentric place, altitude and azimuth, apparent local sidereal time) for the C++
tests, from the Swiss Ephemeris and ERFA. Run it once; the file is committed and the tests
read it, so the test build never needs the Swiss Ephemeris.

The reference route
  - Geocentric apparent place of date: as ephemeris_check.py (the Swiss Ephemeris ICRS
    vector with light time and annual aberration, no light deflection, turned to the true
    equator and equinox of date with eraPnm06a; the Moon at t - tau without aberration).
  - Apparent sidereal time: eraGmst82(UT) + eraEqeq94(TT) (eraGst94 would take the
    equation of the equinoxes at UT; the difference is below 0.001"), plus the longitude.
  - Topocentric place: the geocentric vector minus the observer's, eraGd2gc (WGS84) turned
    about the pole by the Greenwich apparent sidereal time. No diurnal aberration.
  - Altitude and azimuth (from the north through the east): eraHd2ae of the topocentric
    place with the hour angle LAST - alpha and the geodetic latitude. No refraction.

The moments: one in each of MOMENTS equal parts of 1950-2050 (UT), the site cycling
through SITES, moved forward in steps of 20 minutes until the Moon stands 3 to 15 degrees
above the horizon (its parallax in altitude is then close to its full horizontal parallax)
and |equation of the equinoxes| > 0.3 s. JD(TT) = JD(UT) + swe_deltat; both are written,
so no Delta T model enters the test.

Usage: /usr/bin/python3 tools/accuracy/make_pipeline_fixture.py [--out FILE]
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

MOMENTS = 8
JD_1950 = 2433282.5
JD_2050 = 2469807.5
AU_M = 149597870700.0
STEP = 20.0 / 1440.0
MIN_EQEQ_S = 0.3
SEFLG_TOPOCTR = 32 * 1024
# name, geodetic latitude and longitude (degrees, north and east), height (m)
SITES = [("Stockholm", 59.3293, 18.0686, 28.0),
         ("Sydney", -33.8688, 151.2093, 58.0),
         ("Mauna Kea", 19.8207, -155.4681, 4205.0),
         ("Paranal", -24.6272, -70.4048, 2635.0)]
BODIES = [name for name, _ in ec.BODIES]
IPL = dict(ec.BODIES)
SECONDS_PER_RAD = 86400.0 / (2.0 * math.pi)


def last_and_gast(jd_ut, jd_tt, lon):
    import erfa
    gast = erfa.gmst82(jd_ut, 0.0) + erfa.eqeq94(jd_tt, 0.0)
    return (gast + math.radians(lon)) % (2.0 * math.pi), gast


def observer_of_date(lat, lon, height, gast):
    """The observer's geocentric vector (AU) on the true equator and equinox of date."""
    import erfa
    x, y, z = erfa.gd2gc(1, math.radians(lon), math.radians(lat), height) / AU_M
    c, s = math.cos(gast), math.sin(gast)
    return [c * x - s * y, s * x + c * y, z]


def topocentric(se, jd_ut, jd_tt, site, body, rbpn):
    """Topocentric RA, Dec of date and azimuth, altitude (radians) of one body."""
    import erfa
    _, lat, lon, height = site
    ra, dec, dist, _ = ec.reference_place(se, jd_tt, body, IPL[body], rbpn)
    last, gast = last_and_gast(jd_ut, jd_tt, lon)
    geo = [dist * q for q in ec.radec_vector(ra, dec)]
    obs = observer_of_date(lat, lon, height, gast)
    tra, tdec = ec.vector_radec([geo[i] - obs[i] for i in range(3)])
    az, alt = erfa.hd2ae(last - tra, tdec, math.radians(lat))
    return tra, tdec, az % (2.0 * math.pi), alt


def choose_moment(se, start, site):
    """The first moment from `start` with the Moon low above the horizon and a large
    equation of the equinoxes; returns (jd_ut, jd_tt) as written to the file."""
    import erfa
    jd = start
    while True:
        jd_ut = float(f"{jd:.6f}")
        jd_tt = float(f"{jd_ut + se.lib.swe_deltat(jd_ut):.8f}")
        eqeq_s = erfa.eqeq94(jd_tt, 0.0) * SECONDS_PER_RAD
        if abs(eqeq_s) > MIN_EQEQ_S:
            rbpn = ec.bias_precession_nutation(jd_tt)
            alt = topocentric(se, jd_ut, jd_tt, site, "moon", rbpn)[3]
            if math.radians(3.0) < alt < math.radians(15.0):
                return jd_ut, jd_tt, eqeq_s
        jd += STEP


def cross_check(se, rows):
    """The largest angle (arcseconds) between a topocentric place of the rows and the Swiss
    Ephemeris's own (SEFLG_TOPOCTR, of date, no light deflection)."""
    se.lib.swe_set_topo.argtypes = [ctypes.c_double] * 3
    worst = 0.0
    for row in rows:
        f = row.split("\t")
        if f[0] not in IPL:
            continue
        jd_tt, lat, lon, height, ra, dec = (float(x) for x in f[2:8])
        se.lib.swe_set_topo(lon, lat, height)
        v = se.vector(jd_tt, IPL[f[0]], ec.APPARENT_OF_DATE | SEFLG_TOPOCTR)
        ours = ec.radec_vector(math.radians(ra), math.radians(dec))
        worst = max(worst, ec.separation(ours, v) * ec.RAD_TO_ARCSEC)
    return worst


def main():
    root = Path(__file__).resolve().parents[2]
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--out", type=Path, default=root / "tests/astro/pipeline_reference.tsv")
    p.add_argument("--ephe", type=Path, default=Path(EPHE_DIR))
    a = p.parse_args()
    try:
        ec.reference.ensure_reference(a.ephe, False, ec.REFERENCE_PACKAGES[:3] + ["python3-erfa"],
                                      ["sepl_18.se1", "semo_18.se1"], need_erfa=True)
        import erfa
        se = ec.SwissEph(a.ephe)
        se.lib.swe_deltat.argtypes = [ctypes.c_double]
        se.lib.swe_deltat.restype = ctypes.c_double
        rows = []
        step = (JD_2050 - JD_1950) / MOMENTS
        for k in range(MOMENTS):
            site = SITES[k % len(SITES)]
            jd_ut, jd_tt, eqeq_s = choose_moment(se, JD_1950 + step * (k + 0.5), site)
            _, lat, lon, height = site
            where = f"{jd_ut:.6f}\t{jd_tt:.8f}\t{lat}\t{lon}\t{height:g}"
            last, _ = last_and_gast(jd_ut, jd_tt, lon)
            rows.append(f"# {ec.jd_text(jd_ut)} UT, {site[0]}, equation of the equinoxes "
                        f"{eqeq_s:+.3f} s")
            rows.append(f"last\t{where}\t{math.degrees(last):.9f}")
            rbpn = ec.bias_precession_nutation(jd_tt)
            for body in BODIES:
                values = topocentric(se, jd_ut, jd_tt, site, body, rbpn)
                rows.append(f"{body}\t{where}\t" +
                            "\t".join(f"{math.degrees(v):.9f}" for v in values))
    except CheckError as e:
        print(f"make_pipeline_fixture: {e}", file=sys.stderr)
        return 2
    check = cross_check(se, rows)
    print(f"largest difference to the Swiss Ephemeris's own topocentric place: {check:.3f}\"")
    files = ", ".join(f"{name} (DE{denum})" for name, (_, _, denum) in sorted(se.files.items()))
    header = [
        "# Independent end values of the apparent-place pipeline: apparent local sidereal time,",
        "# topocentric apparent place of date (no refraction) and altitude/azimuth.",
        "# Written once by tools/accuracy/make_pipeline_fixture.py; do not edit by hand.",
        f"# Generated {datetime.date.today().isoformat()} with Swiss Ephemeris {se.version} "
        f"({files}) and ERFA {erfa.version.erfa_version} (pyerfa {erfa.__version__}).",
        "# Geocentric place: swe_calc flags SEFLG_SWIEPH|J2000|ICRS|NONUT|EQUATORIAL|XYZ|NOGDEFL",
        "# (light time and annual aberration) turned to the true equator of date by eraPnm06a;",
        "# the Moon: its geometric vector at t - tau (TRUEPOS) without aberration. Observer:",
        "# eraGd2gc (WGS84) turned by GAST = eraGmst82(UT) + eraEqeq94(TT); topocentric =",
        "# geocentric - observer. Alt/az: eraHd2ae with LAST = GAST + longitude.",
        f"# Cross-check: at most {check:.2f}\" from swe_calc with SEFLG_TOPOCTR (which adds the",
        "# diurnal aberration, up to 0.32\").",
        "# Columns (tab separated; angles in degrees, azimuth from the north through the east):",
        "#   last  jd_ut jd_tt latitude longitude height_m  LAST",
        "#   body  jd_ut jd_tt latitude longitude height_m  ra dec azimuth altitude",
    ]
    a.out.write_text("\n".join(header + rows) + "\n", encoding="utf-8")
    print(f"wrote {len(rows)} lines to {a.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
