#!/usr/bin/python3
"""Writes tests/orbit/orbit_reference.txt: three astrometric observations each of a few bodies,
in the layout of "observ.dta", with the orbital elements the orbit determination must recover.
Run it once; the file is committed and the tests read it.

Two kinds of case:

- real: the minor planets Ceres, Pallas, Juno and Vesta from the Swiss Ephemeris asteroid file
  seas_18.se1 (swe_calc, geocentric, astrometric: light time, no aberration, no deflection,
  J2000 equator). The expected elements are the osculating heliocentric elements at the middle
  observation, computed here from the Swiss Ephemeris's heliocentric position and velocity
  (ecliptic J2000) with GM = k^2 (k = 0.01720209895). Perturbations make these differ slightly
  from the orbit through the three positions, so the tests allow for it.
- exact: a body on a two-body orbit with chosen elements (elliptic, near-parabolic,
  hyperbolic), moved by the small universal-variable Kepler propagator below (Stumpff
  functions; Danby, Fundamentals of Celestial Mechanics, ch. 6.9), seen from the Earth whose
  geocentric Sun (geometric, ecliptic J2000) is the Swiss Ephemeris's; the light time is
  iterated with c = 173.1446 AU/day.

The times of the file are used as dynamical time throughout, as the program uses them.
Right ascension and declination are written with more decimals than a user types, so that
the rounding of the text does not blur the comparison. Ecliptic J2000 to equator: obliquity
84381.448".

Usage: /usr/bin/python3 tools/accuracy/make_orbit_fixture.py [--out FILE]
"""

import argparse
import math
import sys
from pathlib import Path

sys.dont_write_bytecode = True

import ephemeris_check as ec  # noqa: E402
from reference import EPHE_DIR, CheckError  # noqa: E402

K = 0.01720209895
MU = K * K
C_AU_PER_DAY = 173.1446326846693
EPS0 = math.radians(84381.448 / 3600.0)

SEFLG_SWIEPH = 2
SEFLG_HELCTR = 8
SEFLG_TRUEPOS = 16
SEFLG_J2000 = 32
SEFLG_NONUT = 64
SEFLG_SPEED = 256
SEFLG_NOGDEFL = 512
SEFLG_NOABERR = 1024
SEFLG_EQUATORIAL = 2048
SEFLG_XYZ = 4096

ASTROMETRIC_EQU = (SEFLG_SWIEPH | SEFLG_J2000 | SEFLG_NONUT | SEFLG_NOABERR | SEFLG_NOGDEFL
                   | SEFLG_EQUATORIAL | SEFLG_XYZ)
HELIO_STATE_ECL = (SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_TRUEPOS | SEFLG_J2000 | SEFLG_NONUT
                   | SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_XYZ | SEFLG_SPEED)
GEOMETRIC_ECL = (SEFLG_SWIEPH | SEFLG_J2000 | SEFLG_NONUT | SEFLG_TRUEPOS | SEFLG_NOABERR
                 | SEFLG_NOGDEFL | SEFLG_XYZ)

# (label, Swiss Ephemeris number, spacing in days); the middle observation is at the first
# opposition (largest elongation, to the day) after SEARCH_START.
REAL = [("1 Ceres", 17, 21.0), ("2 Pallas", 18, 21.0), ("3 Juno", 19, 21.0),
        ("4 Vesta", 20, 21.0)]
SEARCH_START = 2460676.5  # 2025-01-01
# (label, perihelion JD, q, e, i, node, peri, spacing). The middle observation is at the
# whole day nearest to the perihelion (within 150 days) at which all three observations
# stand more than 100 deg from the Sun, away from the hemisphere of the conjunction, where
# Gauss's method may find a secondary solution.
EXACT = [("Elliptisk testbana", 2460400.5, 1.8, 0.35, 12.5, 75.3, 140.2, 18.0),
         ("Nära parabel", 2460500.5, 0.9, 0.9985, 105.0, 210.0, 60.0, 14.0),
         ("Hyperbel", 2460300.5, 1.3, 1.05, 40.0, 120.0, 250.0, 16.0)]


def rot_x(v, a):
    c, s = math.cos(a), math.sin(a)
    return [v[0], c * v[1] - s * v[2], s * v[1] + c * v[2]]


def ecl_to_equ(v):
    return rot_x(v, EPS0)


def orbit_basis(i, node, peri):
    """Perihelion direction P and the direction Q 90 deg ahead, ecliptic."""
    i, node, peri = (math.radians(x) for x in (i, node, peri))
    cn, sn, ci, si, cw, sw = (math.cos(node), math.sin(node), math.cos(i), math.sin(i),
                              math.cos(peri), math.sin(peri))
    p = [cn * cw - sn * sw * ci, sn * cw + cn * sw * ci, sw * si]
    q = [-cn * sw - sn * cw * ci, -sn * sw + cn * cw * ci, cw * si]
    return p, q


def stumpff(z):
    if z > 1e-8:
        s = math.sqrt(z)
        return (1 - math.cos(s)) / z, (s - math.sin(s)) / (s * z)
    if z < -1e-8:
        s = math.sqrt(-z)
        return (math.cosh(s) - 1) / -z, (math.sinh(s) - s) / (s * -z)
    return 0.5 - z / 24 + z * z / 720, 1 / 6 - z / 120 + z * z / 5040


def kepler_position(elements, t):
    """Heliocentric ecliptic position at t of a two-body orbit (universal variables)."""
    tp, q, e, i, node, peri = elements
    p_dir, q_dir = orbit_basis(i, node, peri)
    r0 = [q * x for x in p_dir]
    v_peri = math.sqrt(MU * (1 + e) / q)
    v0 = [v_peri * x for x in q_dir]
    alpha = (1 - e) / q  # 1/a
    dt = t - tp
    chi = math.sqrt(MU) * abs(alpha) * dt if abs(alpha) > 1e-12 else 0.0
    if abs(alpha) < 0.05:  # a start that converges for long parabolic arcs
        chi = math.copysign(math.pow(6 * math.sqrt(MU) * abs(dt) * q, 1 / 3), dt) if dt else 0
    for _ in range(200):
        z = alpha * chi * chi
        c2, c3 = stumpff(z)
        # Kepler's equation in universal form; at perihelion r0 . v0 = 0.
        f = (1 - alpha * q) * chi ** 3 * c3 + q * chi - math.sqrt(MU) * dt
        df = (1 - alpha * q) * chi * chi * c2 + q
        step = f / df
        chi -= step
        if abs(step) < 1e-15 * max(1.0, abs(chi)):
            break
    z = alpha * chi * chi
    c2, c3 = stumpff(z)
    ff = 1 - chi * chi / q * c2
    gg = dt - chi ** 3 * c3 / math.sqrt(MU)
    return [ff * a + gg * b for a, b in zip(r0, v0)]


def elements_from_state(r, v, t):
    """Osculating heliocentric elements (tp, q, e, i, node, peri) of a state, ecliptic."""
    h = ec.cross(r, v)
    rr = ec.norm(r)
    vv2 = ec.dot(v, v)
    e_vec = [(vv2 - MU / rr) * r[k] / MU - ec.dot(r, v) * v[k] / MU for k in range(3)]
    e = ec.norm(e_vec)
    hn = ec.norm(h)
    incl = math.degrees(math.acos(h[2] / hn))
    node = math.degrees(math.atan2(h[0], -h[1])) % 360
    n_vec = [-h[1], h[0], 0.0]
    nn = ec.norm(n_vec)
    cosw = ec.dot(n_vec, e_vec) / (nn * e)
    peri = math.degrees(math.acos(max(-1, min(1, cosw))))
    if e_vec[2] < 0:
        peri = 360 - peri
    p = hn * hn / MU
    q = p / (1 + e)
    cosnu = ec.dot(e_vec, r) / (e * rr)
    nu = math.acos(max(-1, min(1, cosnu)))
    if ec.dot(r, v) < 0:
        nu = -nu
    a = q / (1 - e)
    n = K / math.sqrt(abs(a) ** 3)
    if e < 1:
        big_e = 2 * math.atan(math.sqrt((1 - e) / (1 + e)) * math.tan(nu / 2))
        m = big_e - e * math.sin(big_e)
    else:
        big_h = 2 * math.atanh(math.sqrt((e - 1) / (e + 1)) * math.tan(nu / 2))
        m = e * math.sinh(big_h) - big_h
    return t - m / n, q, e, incl, node, peri


def radec_text(v_equ):
    ra, dec = ec.vector_radec(v_equ)
    ra_h = math.degrees(ra) / 15.0
    h = int(ra_h)
    m = int((ra_h - h) * 60)
    s = ((ra_h - h) * 60 - m) * 60
    d_abs = abs(math.degrees(dec))
    dd = int(d_abs)
    dm = int((d_abs - dd) * 60)
    ds = ((d_abs - dd) * 60 - dm) * 60
    sign = "-" if dec < 0 else "+"
    return f"{h:02d} {m:02d} {s:07.4f} {sign}{dd:02d} {dm:02d} {ds:06.3f}"


def date_text(jd):
    import erfa
    y, mo, d, f = erfa.jd2cal(jd, 0.0)
    return f"{int(y):04d} {int(mo):02d} {int(d):02d} {f * 24:07.4f}"


def observation_line(jd, geo_equ):
    return f"{date_text(jd)}  {radec_text(geo_equ)}  2000.0"


def elongation(geo, sun_geo):
    return math.degrees(ec.separation(geo, sun_geo))


def main():
    root = Path(__file__).resolve().parents[2]
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--out", type=Path, default=root / "tests/orbit/orbit_reference.txt")
    p.add_argument("--ephe", type=Path, default=Path(EPHE_DIR))
    a = p.parse_args()
    try:
        ec.reference.ensure_reference(a.ephe, False, ec.REFERENCE_PACKAGES[:3],
                                      ["sepl_18.se1", "seas_18.se1"], need_erfa=True)
        se = ec.SwissEph(a.ephe)
        out = [
            "# Three astrometric observations per case and the elements to recover.",
            "# Written by tools/accuracy/make_orbit_fixture.py (see its docstring); "
            f"Swiss Ephemeris {se.version}.",
            "# case LABEL KIND / name / three observation lines / expect TP_JD Q E I NODE PERI",
        ]
        for label, ipl, spacing in REAL:
            mid = opposition(se, ipl, SEARCH_START)
            times = [mid - spacing, mid, mid + spacing]
            out.append(f"case {label.replace(' ', '_')} real")
            out.append(label)
            for t in times:
                geo = se.vector(t, ipl, ASTROMETRIC_EQU)
                sun = ecl_to_equ(se.vector(t, 0, GEOMETRIC_ECL))
                print(f"{label} {ec.jd_text(t)} elongation {elongation(geo, sun):6.1f}",
                      file=sys.stderr)
                out.append(observation_line(t, geo))
            state = (ctypes_state(se, mid, ipl))
            out.append("expect " + " ".join(f"{x:.9f}" for x in
                                            elements_from_state(state[0], state[1], mid)))
        for label, tp, q, e, i, node, peri, spacing in EXACT:
            elements = (tp, q, e, i, node, peri)
            mid = away_from_sun(se, elements, spacing)
            out.append(f"case {label.replace(' ', '_')} exact")
            out.append(label)
            for t in [mid - spacing, mid, mid + spacing]:
                sun_geo = se.vector(t, 0, GEOMETRIC_ECL)
                geo = two_body_geocentric(elements, t, sun_geo)
                print(f"{label} {ec.jd_text(t)} elongation {elongation(geo, sun_geo):6.1f}",
                      file=sys.stderr)
                out.append(observation_line(t, ecl_to_equ(geo)))
            out.append("expect " + " ".join(f"{x:.9f}" for x in elements))
        a.out.write_text("\n".join(out) + "\n")
        print(f"wrote {a.out}", file=sys.stderr)
        return 0
    except CheckError as error:
        print(error, file=sys.stderr)
        return 1


def two_body_geocentric(elements, t, sun_geo):
    """Geocentric ecliptic position of the two-body orbit as seen at t (light time)."""
    tau = 0.0
    for _ in range(10):
        body = kepler_position(elements, t - tau)
        geo = [body[k] + sun_geo[k] for k in range(3)]
        tau = ec.norm(geo) / C_AU_PER_DAY
    return geo


def away_from_sun(se, elements, spacing):
    tp = elements[0]
    for d in sorted(range(-150, 151), key=abs):
        mid = tp + d
        if all(elongation(two_body_geocentric(elements, t, se.vector(t, 0, GEOMETRIC_ECL)),
                          se.vector(t, 0, GEOMETRIC_ECL)) > 100.0
               for t in (mid - spacing, mid, mid + spacing)):
            return mid
    raise CheckError("no observing window for a two-body case")


def opposition(se, ipl, start):
    """The day (0h) of largest elongation within 800 days after start."""
    def elong(t):
        return elongation(se.vector(t, ipl, ASTROMETRIC_EQU),
                          ecl_to_equ(se.vector(t, 0, GEOMETRIC_ECL)))
    return max((start + d for d in range(800)), key=elong)


def ctypes_state(se, t, ipl):
    import ctypes
    xx = (ctypes.c_double * 6)()
    err = ctypes.create_string_buffer(256)
    if se.lib.swe_calc(t, ipl, HELIO_STATE_ECL, xx, err) < 0:
        raise CheckError(err.value.decode(errors="replace"))
    return [xx[0], xx[1], xx[2]], [xx[3], xx[4], xx[5]]


if __name__ == "__main__":
    sys.exit(main())
