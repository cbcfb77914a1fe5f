#!/usr/bin/python3
"""Accuracy check of himlavy-cli's ephemeris against the Swiss Ephemeris and ERFA.

What is compared
  1. `himlavy-cli --jd JDE --scale tdt --zone 0 ephemeris --json` for the Sun, the Moon,
     Mercury ... Neptune and Pluto at --samples moments (default 200) spread over
     1900-01-01 .. 2100-01-01 in dynamical time, so that no Delta T model enters.
  2. `himlavy-cli ... --set CorrLightTime=1 jupiter-moons --json` (X, Y of Io, Europa,
     Ganymede, Callisto in Jupiter equatorial radii) at --moon-samples moments (default 50).
  3. `himlavy-cli ... state --json`: GMST_h against ERFA, and LAST_h - GMST_h - longitude
     (the equation of the equinoxes, Delta psi cos eps) against ERFA's nutation.

The reference
  Swiss Ephemeris (Debian libswe2.0 with the DE431-based files of swe-basic-data,
  swe-standard-data, swe-sat-data), called through ctypes, and ERFA (python3-erfa).
  Both are used with our definitions of an apparent place of date:
  - Sun and planets: the geocentric direction corrected for light time and annual
    aberration, no light deflection (SEFLG_NOGDEFL), taken in the ICRS
    (SEFLG_J2000 | SEFLG_ICRS | SEFLG_NONUT) and turned to the true equator and equinox
    of date with ERFA's IAU 2006/2000A bias-precession-nutation matrix (eraPnm06a).
    The planets are their system barycentres, as in VSOP87 and Meeus's Pluto; the
    centre of Jupiter differs by < 0.05", of Pluto by < 0.1".
  - Moon: the geocentric place at t - tau (tau the light time from the Moon), without
    annual aberration, as our Moon is (Meeus's mean longitude holds the constant
    -0.70" of light time, and the Earth and the Moon share the annual motion). This
    equals the Swiss Ephemeris's full apparent place (barycentric light time plus
    aberration) to < 0.001"; the Swiss Ephemeris with SEFLG_NOABERR is NOT this
    place (it is 11-21" away) and is not used.
  - Cross-check of the reference: the same bodies straight from the Swiss Ephemeris as
    apparent places of date (its own Vondrak 2011 precession and IAU 2000B nutation);
    the largest difference of the two routes is printed (a few mas expected).
  - Jupiter's moons: the apparent geocentric vectors of the moons (9501..9504) and of
    Jupiter's centre of body (9599) from the files sat/sepm95xx.se1, which cover
    1800-2200 (the files' own start and end are printed). The moon's angular offset
    from Jupiter's centre, projected at Jupiter's distance, is split along Jupiter's
    equator (X, positive west) and toward its north pole (Y). The pole is the IAU one,
    alpha0 = 268.056595 - 0.006499 T, delta0 = 64.495303 + 0.002413 T (ICRF; the
    periodic terms, < 0.005 deg, are left out: <= 0.002 Jupiter radii at Callisto).
    The unit is our theory's Jupiter radius, 71398 km (Lieske's E-2x3 semi-major axes
    are in that unit); --jupiter-radius 71492 uses the IAU equatorial radius instead,
    which shrinks every reference coordinate by 0.13 % (up to 0.035 radii at Callisto's
    elongation) and is reported, not used, by default.
  - Sidereal time: eraGmst82 (the IAU 1982 formula, the one we use) and eraGmst06 of
    the state's JD_UT (and JD_TT); the equation of the equinoxes eraEqeq94 and eraEe06a;
    the implied Delta psi against eraNut80 and eraNut06a with ERFA's obliquities.

Output: per body the number of samples, the largest and the median difference in
arcseconds of the total angle, of RA cos(dec) and of Dec, and of the distance; for the
moons |dX| and |dY| in Jupiter radii; the worst moments per body; the reference
cross-check; the sidereal-time table. The exit status is 1 when a limit of LIMITS_ARCSEC
or MOON_LIMIT_RADII is exceeded, 2 when the check could not run.

Usage:
  /usr/bin/python3 tools/accuracy/ephemeris_check.py [--cli PATH] [--data DIR]
      [--samples 200] [--moon-samples 50] [--worst 3] [--jupiter-radius 71398]
When run as root and the reference is missing, it is installed with
  apt-get install -y libswe2.0 swe-basic-data swe-standard-data swe-sat-data python3-erfa
"""

import argparse
import ctypes
import ctypes.util
import json
import math
import subprocess
import sys
from pathlib import Path

import reference
from reference import EPHE_DIR, CheckError, default_cli, dot, norm, stats

sys.dont_write_bytecode = True

# ---------------------------------------------------------------------------------------
# The project's limits: the largest total angular difference allowed over 1900-2100,
# arcseconds, and the largest |dX| or |dY| of a Galilean satellite, Jupiter radii.
LIMITS_ARCSEC = {
    "sun": 5.0,
    "mercury": 10.0,
    "venus": 10.0,
    "mars": 10.0,
    "jupiter": 10.0,
    "saturn": 10.0,
    "uranus": 10.0,
    "neptune": 10.0,
    "moon": 20.0,
    "pluto": 60.0,
}
MOON_LIMIT_RADII = 0.05

# The bodies in the order of the table, with their Swiss Ephemeris numbers.
BODIES = [("sun", 0), ("moon", 1), ("mercury", 2), ("venus", 3), ("mars", 4),
          ("jupiter", 5), ("saturn", 6), ("uranus", 7), ("neptune", 8), ("pluto", 9)]
GALILEANS = [("io", 9501), ("europa", 9502), ("ganymede", 9503), ("callisto", 9504)]
JUPITER_CENTRE = 9599

JD_1900 = 2415020.5                 # 1900-01-01 0h TT
JD_2100 = 2488069.5                 # 2100-01-01 0h TT
JD_2000 = 2451545.0
GOLDEN = 0.6180339887498949
AU_KM = 149597870.7                 # IAU 2012
LIGHT_DAYS_PER_AU = 499.004783836 / 86400.0
OUR_JUPITER_RADIUS_KM = 71398.0     # Lieske's E-2x3 / Meeus ch. 43
IAU_JUPITER_RADIUS_KM = 71492.0
RAD_TO_ARCSEC = 180.0 / math.pi * 3600.0

# Swiss Ephemeris flag bits (swephexp.h).
SEFLG_SWIEPH = 2
SEFLG_TRUEPOS = 16
SEFLG_J2000 = 32
SEFLG_NONUT = 64
SEFLG_NOGDEFL = 512
SEFLG_NOABERR = 1024
SEFLG_EQUATORIAL = 2048
SEFLG_XYZ = 4096
SEFLG_ICRS = 128 * 1024
ICRS_VECTOR = SEFLG_SWIEPH | SEFLG_J2000 | SEFLG_ICRS | SEFLG_NONUT | SEFLG_EQUATORIAL | SEFLG_XYZ
APPARENT_ICRS = ICRS_VECTOR | SEFLG_NOGDEFL
GEOMETRIC_ICRS = ICRS_VECTOR | SEFLG_TRUEPOS
APPARENT_OF_DATE = SEFLG_SWIEPH | SEFLG_EQUATORIAL | SEFLG_XYZ | SEFLG_NOGDEFL

REFERENCE_PACKAGES = ["libswe2.0", "swe-basic-data", "swe-standard-data", "swe-sat-data",
                      "python3-erfa"]
REFERENCE_FILES = ["sepl_18.se1", "semo_18.se1", "sat/sepm9501.se1", "sat/sepm9502.se1",
                   "sat/sepm9503.se1", "sat/sepm9504.se1", "sat/sepm9599.se1"]


# ---------------------------------------------------------------------------------------
# The reference packages.


def ensure_reference(ephe_dir, may_install):
    reference.ensure_reference(ephe_dir, may_install, REFERENCE_PACKAGES, REFERENCE_FILES,
                               need_erfa=True)


class SwissEph:
    """The few Swiss Ephemeris calls the check needs."""

    def __init__(self, ephe_dir):
        self.lib = reference.find_libswe()
        lib = self.lib
        lib.swe_set_ephe_path.argtypes = [ctypes.c_char_p]
        lib.swe_set_ephe_path.restype = None
        lib.swe_calc.argtypes = [ctypes.c_double, ctypes.c_int, ctypes.c_int32,
                                 ctypes.POINTER(ctypes.c_double), ctypes.c_char_p]
        lib.swe_calc.restype = ctypes.c_int32
        lib.swe_version.argtypes = [ctypes.c_char_p]
        lib.swe_version.restype = ctypes.c_char_p
        lib.swe_get_current_file_data.argtypes = [
            ctypes.c_int, ctypes.POINTER(ctypes.c_double), ctypes.POINTER(ctypes.c_double),
            ctypes.POINTER(ctypes.c_int)]
        lib.swe_get_current_file_data.restype = ctypes.c_char_p
        lib.swe_set_ephe_path(str(ephe_dir).encode())
        buf = ctypes.create_string_buffer(256)
        self.version = lib.swe_version(buf).decode()
        self.files = {}

    def vector(self, jd_tt, ipl, flags):
        """Rectangular coordinates (AU) of body ipl at JD (TT) with the given flags."""
        xx = (ctypes.c_double * 6)()
        err = ctypes.create_string_buffer(256)
        ret = self.lib.swe_calc(jd_tt, ipl, flags, xx, err)
        if ret < 0:
            raise CheckError(f"swe_calc({jd_tt}, {ipl}): {err.value.decode(errors='replace')}")
        if not ret & SEFLG_SWIEPH:
            # Without its files the library falls back to the Moshier theory silently.
            raise CheckError(f"swe_calc({jd_tt}, {ipl}) did not use the ephemeris files "
                             f"({err.value.decode(errors='replace')})")
        self._note_files()
        return [xx[0], xx[1], xx[2]]

    def _note_files(self):
        for ifno in range(5):
            start = ctypes.c_double()
            end = ctypes.c_double()
            denum = ctypes.c_int()
            name = self.lib.swe_get_current_file_data(ifno, start, end, denum)
            if name:
                self.files[Path(name.decode()).name] = (start.value, end.value, denum.value)


# ---------------------------------------------------------------------------------------
# Small vector helpers.


def unit(v):
    n = norm(v)
    return [v[0] / n, v[1] / n, v[2] / n]


def cross(a, b):
    return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]


def matvec(m, v):
    return [m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]]


def radec_vector(ra, dec):
    return [math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra), math.sin(dec)]


def vector_radec(v):
    return math.atan2(v[1], v[0]) % (2 * math.pi), math.asin(v[2] / norm(v))


def separation(a, b):
    """Angle between two directions, radians (robust at small angles)."""
    return math.atan2(norm(cross(a, b)), dot(a, b))


def wrap_pi(x):
    return (x + math.pi) % (2 * math.pi) - math.pi


def jd_text(jd):
    import erfa
    y, m, d, f = erfa.jd2cal(jd, 0.0)
    h = f * 24.0
    return f"{int(y):04d}-{int(m):02d}-{int(d):02d} {int(h):02d}:{int((h % 1) * 60):02d}"


def sample_moments(start, end, n, phase):
    """n moments, one in each of n equal parts of [start, end), placed in its part by the
    golden-ratio sequence so that neither the season nor the hour repeats."""
    step = (end - start) / n
    return [start + step * (i + (phase + i * GOLDEN) % 1.0) for i in range(n)]


# ---------------------------------------------------------------------------------------
# Our program.


def run_cli(cli, data, jd, command, extra=()):
    args = [str(cli), "--data", str(data), "--jd", repr(jd), "--scale", "tdt", "--zone", "0",
            *extra, command, "--json"]
    run = subprocess.run(args, capture_output=True, text=True)
    if run.returncode != 0:
        raise CheckError(f"{' '.join(args)} failed ({run.returncode}): {run.stderr.strip()}")
    try:
        return json.loads(run.stdout)
    except json.JSONDecodeError as e:
        raise CheckError(f"{' '.join(args)}: not JSON ({e})")


# ---------------------------------------------------------------------------------------
# The reference places.

def bias_precession_nutation(jd_tt):
    import erfa
    return erfa.pnm06a(jd_tt, 0.0).tolist()


def moon_light_time_icrs(se, jd_tt):
    """The Moon's geocentric vector (ICRS, AU) at t - tau, tau its light time."""
    tau = 0.0
    for _ in range(3):
        v = se.vector(jd_tt - tau, 1, GEOMETRIC_ICRS)
        tau = norm(v) * LIGHT_DAYS_PER_AU
    return v


def reference_place(se, jd_tt, body, ipl, rbpn):
    """Apparent RA, Dec of date (radians) and distance (AU) of a body, and the angle (rad)
    between it and the Swiss Ephemeris's own apparent place of date."""
    if body == "moon":
        v = moon_light_time_icrs(se, jd_tt)
    else:
        v = se.vector(jd_tt, ipl, APPARENT_ICRS)
    w = matvec(rbpn, v)
    own = se.vector(jd_tt, ipl, APPARENT_OF_DATE)
    ra, dec = vector_radec(w)
    return ra, dec, norm(v), separation(w, own)


def jupiter_pole_icrs(jd_tt):
    t = (jd_tt - JD_2000) / 36525.0
    a0 = math.radians(268.056595 - 0.006499 * t)
    d0 = math.radians(64.495303 + 0.002413 * t)
    return radec_vector(a0, d0)


def reference_moons(se, jd_tt, radius_km):
    """X (along Jupiter's equator, positive west) and Y (toward its north pole) of the four
    moons, in units of radius_km, from their apparent directions."""
    jup = se.vector(jd_tt, JUPITER_CENTRE, APPARENT_ICRS)
    u = unit(jup)
    scale = norm(jup) * AU_KM / radius_km
    pole = jupiter_pole_icrs(jd_tt)
    pp = unit([pole[i] - dot(pole, u) * u[i] for i in range(3)])   # pole on the sky
    west = cross(u, pp)                                            # along the equator, west
    result = {}
    for name, ipl in GALILEANS:
        m = se.vector(jd_tt, ipl, APPARENT_ICRS)
        k = dot(m, u)
        d = [m[i] / k - u[i] for i in range(3)]   # offset in the plane at Jupiter's distance
        result[name] = (dot(d, west) * scale, dot(d, pp) * scale)
    return result


# ---------------------------------------------------------------------------------------
# Statistics and printing.


def fmt(x, width, decimals):
    return f"{x:{width}.{decimals}f}"


def compare_bodies(se, cli, data, moments, progress):
    rows = {name: [] for name, _ in BODIES}
    crosscheck = {name: 0.0 for name, _ in BODIES}
    for k, jd in enumerate(moments):
        ours = {row["body"]: row for row in run_cli(cli, data, jd, "ephemeris")}
        rbpn = bias_precession_nutation(jd)
        for name, ipl in BODIES:
            row = ours.get(name)
            if row is None:
                raise CheckError(f"ephemeris at JD {jd!r} has no row for {name}")
            if abs(row["jd_tt"] - jd) > 1e-8:
                raise CheckError(f"ephemeris at JD {jd!r} reports jd_tt {row['jd_tt']!r}")
            ra, dec, dist_au, own = reference_place(se, jd, name, ipl, rbpn)
            ra_o = math.radians(row["ra_deg"])
            dec_o = math.radians(row["dec_deg"])
            sep = separation(radec_vector(ra_o, dec_o), radec_vector(ra, dec))
            if name == "moon":
                ddist_km = row["distance_km"] - dist_au * AU_KM
            else:
                ddist_km = (row["distance_au"] - dist_au) * AU_KM
            rows[name].append({
                "jd": jd,
                "sep": sep * RAD_TO_ARCSEC,
                "dra": wrap_pi(ra_o - ra) * math.cos(dec) * RAD_TO_ARCSEC,
                "ddec": (dec_o - dec) * RAD_TO_ARCSEC,
                "ddist_km": ddist_km,
                "dist_km": dist_au * AU_KM,
            })
            crosscheck[name] = max(crosscheck[name], own * RAD_TO_ARCSEC)
        if progress and (k + 1) % 50 == 0:
            print(f"  ... {k + 1}/{len(moments)} moments", file=sys.stderr)
    return rows, crosscheck


def compare_moons(se, cli, data, moments, radius_km):
    rows = {name: [] for name, _ in GALILEANS}
    for jd in moments:
        ours = {row["moon"]: row for row in
                run_cli(cli, data, jd, "jupiter-moons", ("--set", "CorrLightTime=1"))}
        ref = reference_moons(se, jd, radius_km)
        for name, _ in GALILEANS:
            x, y = ref[name]
            row = ours[name]
            rows[name].append({"jd": jd, "dx": row["x"] - x, "dy": row["y"] - y, "x": x,
                               "y": y, "r": math.hypot(x, y)})
    return rows


def compare_sidereal(cli, data, moments, lat, lon):
    import erfa
    out = {k: [] for k in ("gmst82", "gmst06", "eqeq94", "ee06a", "dpsi80", "dpsi06",
                           "eqeq_ours")}
    for jd in moments:
        s = run_cli(cli, data, jd, "state", ("--lat", repr(lat), "--lon", repr(lon)))
        ut, tt = s["JD_UT"], s["JD_TT"]
        gmst = math.radians(s["GMST_h"] * 15.0)
        last = math.radians(s["LAST_h"] * 15.0)
        eqeq = wrap_pi(last - gmst - math.radians(s["Longitude"]))
        out["gmst82"].append(wrap_pi(gmst - erfa.gmst82(ut, 0.0)))
        out["gmst06"].append(wrap_pi(gmst - erfa.gmst06(ut, 0.0, tt, 0.0)))
        out["eqeq94"].append(eqeq - erfa.eqeq94(tt, 0.0))
        out["ee06a"].append(eqeq - erfa.ee06a(tt, 0.0))
        dpsi80, deps80 = erfa.nut80(tt, 0.0)
        dpsi06, deps06 = erfa.nut06a(tt, 0.0)
        # eqeq = dpsi cos(eps), eps the true obliquity
        out["dpsi80"].append(eqeq / math.cos(erfa.obl80(tt, 0.0) + deps80) - dpsi80)
        out["dpsi06"].append(eqeq / math.cos(erfa.obl06(tt, 0.0) + deps06) - dpsi06)
        out["eqeq_ours"].append(eqeq)
    return out


def print_body_table(rows):
    print("Apparent places of date: ours minus reference (arcseconds; distance in km)")
    print(f"{'body':<9}{'n':>4} | {'total max':>10}{'median':>9} | {'RAcosd max':>10}"
          f"{'median':>9} | {'Dec max':>9}{'median':>9} | {'dist max km':>12}{'median':>10}"
          f" | {'limit':>6}  verdict")
    failed = []
    for name, _ in BODIES:
        r = rows[name]
        smax, smed = stats([x["sep"] for x in r])
        amax, amed = stats([x["dra"] for x in r])
        dmax, dmed = stats([x["ddec"] for x in r])
        kmax, kmed = stats([x["ddist_km"] for x in r])
        limit = LIMITS_ARCSEC[name]
        ok = smax <= limit
        if not ok:
            failed.append(name)
        print(f"{name:<9}{len(r):>4} | {fmt(smax, 10, 3)}{fmt(smed, 9, 3)} | "
              f"{fmt(amax, 10, 3)}{fmt(amed, 9, 3)} | {fmt(dmax, 9, 3)}{fmt(dmed, 9, 3)} | "
              f"{fmt(kmax, 12, 1)}{fmt(kmed, 10, 1)} | {fmt(limit, 6, 1)}  "
              f"{'ok' if ok else 'OVER LIMIT'}")
    return failed


def print_worst(rows, count):
    print(f"\nWorst moments per body (the {count} largest total differences)")
    print(f"{'body':<9}{'JDE':>15}  {'date (TT)':<16} {'total':>8} {'RAcosd':>8} {'Dec':>8}"
          f" {'ddist km':>10}")
    for name, _ in BODIES:
        for x in sorted(rows[name], key=lambda x: -x["sep"])[:count]:
            print(f"{name:<9}{x['jd']:>15.5f}  {jd_text(x['jd']):<16} {fmt(x['sep'], 8, 3)} "
                  f"{fmt(x['dra'], 8, 3)} {fmt(x['ddec'], 8, 3)} {fmt(x['ddist_km'], 10, 1)}")


def print_moon_table(rows, radius_km, count):
    print(f"\nJupiter's moons: ours minus reference, in Jupiter radii of {radius_km:.0f} km")
    print(f"{'moon':<9}{'n':>4} | {'|dX| max':>9}{'median':>9} | {'|dY| max':>9}{'median':>9}"
          f" | {'|dXY| max':>9} | {'limit':>6}  verdict")
    failed = []
    for name, _ in GALILEANS:
        r = rows[name]
        xmax, xmed = stats([x["dx"] for x in r])
        ymax, ymed = stats([x["dy"] for x in r])
        tmax, _ = stats([math.hypot(x["dx"], x["dy"]) for x in r])
        ok = xmax <= MOON_LIMIT_RADII and ymax <= MOON_LIMIT_RADII
        if not ok:
            failed.append(name)
        print(f"{name:<9}{len(r):>4} | {fmt(xmax, 9, 4)}{fmt(xmed, 9, 4)} | {fmt(ymax, 9, 4)}"
              f"{fmt(ymed, 9, 4)} | {fmt(tmax, 9, 4)} | {fmt(MOON_LIMIT_RADII, 6, 3)}  "
              f"{'ok' if ok else 'OVER LIMIT'}")
    other = IAU_JUPITER_RADIUS_KM if radius_km != IAU_JUPITER_RADIUS_KM else OUR_JUPITER_RADIUS_KM
    factor = radius_km / other - 1.0
    largest = max(x["r"] for r in rows.values() for x in r)
    print(f"  unit: {radius_km:.0f} km; in radii of {other:.0f} km every reference coordinate "
          f"changes by {factor * 100:+.3f} % (up to {abs(factor) * largest:.4f} radii here)")
    print(f"\nWorst moments per moon (the {count} largest |dX|, |dY|)")
    print(f"{'moon':<9}{'JDE':>15}  {'date (TT)':<16} {'dX':>8} {'dY':>8} {'X ref':>8}"
          f" {'Y ref':>8}")
    for name, _ in GALILEANS:
        for x in sorted(rows[name], key=lambda x: -max(abs(x["dx"]), abs(x["dy"])))[:count]:
            print(f"{name:<9}{x['jd']:>15.5f}  {jd_text(x['jd']):<16} {fmt(x['dx'], 8, 4)} "
                  f"{fmt(x['dy'], 8, 4)} {fmt(x['x'], 8, 3)} {fmt(x['y'], 8, 3)}")
    return failed


def print_sidereal(out, lat, lon):
    n = len(out["gmst82"])
    print(f"\nSidereal time and nutation from `state --json` ({n} moments, site {lat} N "
          f"{lon} E; ERFA at the state's own JD_UT and JD_TT)")

    def line(label, values, unit_scale, unit):
        mx, md = stats(values)
        print(f"  {label:<44} max {mx * unit_scale:10.4f} {unit:<5} median "
              f"{md * unit_scale:9.4f} {unit}")

    ms = 86400e3 / (2 * math.pi)       # radians of rotation -> milliseconds of time
    mas = RAD_TO_ARCSEC * 1e3
    line("GMST_h - eraGmst82(UT) (IAU 1982)", out["gmst82"], ms, "ms")
    line("GMST_h - eraGmst06(UT, TT) (IAU 2006)", out["gmst06"], ms, "ms")
    eq_max, _ = stats(out["eqeq_ours"])
    if eq_max < 1e-9:
        print("  LAST_h - GMST_h - longitude is zero: LAST_h is the MEAN sidereal time plus "
              "the longitude (no equation of the equinoxes)")
    line("(LAST_h-GMST_h-lon) - eraEqeq94 (IAU 1994)", out["eqeq94"], ms, "ms")
    line("(LAST_h-GMST_h-lon) - eraEe06a (IAU 2000A)", out["ee06a"], ms, "ms")
    line("implied dpsi - eraNut80 dpsi (IAU 1980)", out["dpsi80"], mas, "mas")
    line("implied dpsi - eraNut06a dpsi (IAU 2000A)", out["dpsi06"], mas, "mas")


def main():
    root = Path(__file__).resolve().parents[2]
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--cli", type=Path, default=None,
                   help="himlavy-cli (default build/release/src/himlavy-cli, else "
                        "build/dev/src/himlavy-cli)")
    p.add_argument("--data", type=Path, default=root / "data", help="data folder (data/)")
    p.add_argument("--samples", type=int, default=200, help="moments for the bodies")
    p.add_argument("--moon-samples", type=int, default=50, help="moments for Jupiter's moons")
    p.add_argument("--start", type=float, default=JD_1900, help="first JDE (1900-01-01)")
    p.add_argument("--end", type=float, default=JD_2100, help="last JDE (2100-01-01)")
    p.add_argument("--worst", type=int, default=3, help="worst moments listed per body")
    p.add_argument("--jupiter-radius", type=float, default=OUR_JUPITER_RADIUS_KM,
                   help="unit of the moons' X, Y in km (71398 ours, 71492 IAU)")
    p.add_argument("--ephe", type=Path, default=Path(EPHE_DIR), help="Swiss Ephemeris files")
    p.add_argument("--no-install", action="store_true",
                   help="never apt-get install the reference")
    p.add_argument("--quiet", action="store_true", help="no progress on standard error")
    a = p.parse_args()
    cli = a.cli or default_cli(root)

    try:
        if not cli.is_file():
            raise CheckError(f"{cli} not found; build it: cmake -S . -B build/dev -G Ninja "
                             "-DCMAKE_BUILD_TYPE=Debug && ninja -C build/dev himlavy-cli")
        ensure_reference(a.ephe, not a.no_install)
        import erfa
        se = SwissEph(a.ephe)

        moments = sample_moments(a.start, a.end, a.samples, 0.5)
        moon_moments = sample_moments(a.start, a.end, a.moon_samples, 0.25)
        if not a.quiet:
            print(f"running {cli} at {len(moments)} + {len(moon_moments)} moments ...",
                  file=sys.stderr)
        rows, crosscheck = compare_bodies(se, cli, a.data, moments, not a.quiet)
        moon_rows = compare_moons(se, cli, a.data, moon_moments, a.jupiter_radius)
        lat, lon = 59.3293, 18.0686
        sidereal = compare_sidereal(cli, a.data, moments, lat, lon)
    except CheckError as e:
        print(f"ephemeris_check: {e}", file=sys.stderr)
        return 2

    print(f"Himlavy ephemeris accuracy check: {cli}")
    print(f"  {len(moments)} moments {jd_text(a.start)} .. {jd_text(a.end)} TT "
          f"(JDE {a.start} .. {a.end}); Jupiter's moons at {len(moon_moments)} moments")
    print(f"  reference: Swiss Ephemeris {se.version} ({a.ephe}), ERFA {erfa.__version__} "
          f"(IAU 2006/2000A frame of date)")
    for name, (start, end, denum) in sorted(se.files.items()):
        print(f"    {name:<16} DE{denum}  {jd_text(start)} .. {jd_text(end)}")
    print()
    failed = print_body_table(rows)
    print_worst(rows, a.worst)
    print("\nReference cross-check: ERFA route minus the Swiss Ephemeris's own apparent place "
          "of date (largest, mas)")
    print("  " + "  ".join(f"{name} {crosscheck[name] * 1e3:.1f}" for name, _ in BODIES))
    failed += print_moon_table(moon_rows, a.jupiter_radius, a.worst)
    print_sidereal(sidereal, lat, lon)
    print()
    if failed:
        print("OVER LIMIT: " + ", ".join(failed))
        return 1
    print("all bodies within their limits")
    return 0


if __name__ == "__main__":
    sys.exit(main())
