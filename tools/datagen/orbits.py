"""Shared pieces of the minor-body generators (asteroids.py, comets.py, probes.py): calendar
dates, the fixed columns of the element files, and a little orbit arithmetic.

The element files are described in src/catalogs/element_files.h. Every number is written
right-aligned in its columns and, where the heading of the data-files window marks the first
column of a field with "-" (a, Omega, omega, M0), that column is left blank so that the fields
stay apart for the eye. Dates are written as the orbit window writes them: year (4), month (2,
leading zero), day with its fraction (leading zero), so "20220809.00000" for 2022 August 9.0.
"""
import math

from .textout import columns, fixed

GAUSS_K = 0.01720209895          # AU^1.5 / day, the Sun
GAUSS_K_EARTH = 2.9811446458589675e-05
J2000 = 2451545.0
OBLIQUITY_J2000 = math.radians(23.4392911)


# --- calendar (J. Meeus, Astronomical Algorithms, ch. 7) ---------------------------------------

def julian_day(year, month, day):
    """JD of a calendar date (Gregorian from 1582 October 15, Julian before)."""
    y, m = year, month
    if m <= 2:
        y -= 1
        m += 12
    gregorian = (year, month, day) >= (1582, 10, 15)
    b = 0
    if gregorian:
        a = math.floor(y / 100)
        b = 2 - a + math.floor(a / 4)
    return math.floor(365.25 * (y + 4716)) + math.floor(30.6001 * (m + 1)) + day + b - 1524.5


def calendar_date(jd, decimals):
    """(year, month, day) of a JD with the day rounded to `decimals` decimals (a rounding that
    reaches the next day carries into it): Meeus ch. 7, the Julian calendar before JD 2299161."""
    f_all = jd + 0.5
    z = math.floor(f_all)
    frac = round(f_all - z, decimals)
    if frac >= 1.0:
        z += 1
        frac = 0.0
    if z < 2299161:
        a = z
    else:
        alpha = math.floor((z - 1867216.25) / 36524.25)
        a = z + 1 + alpha - math.floor(alpha / 4)
    b = a + 1524
    c = math.floor((b - 122.1) / 365.25)
    d = math.floor(365.25 * c)
    e = math.floor((b - d) / 30.6001)
    day = b - d - math.floor(30.6001 * e)
    month = e - 1 if e < 14 else e - 13
    year = c - 4716 if month > 2 else c - 4715
    return year, month, day + frac


def year_text(year):
    """A year in 4 columns: "1996", "0837", "-149"."""
    text = f"{year:04d}" if year >= 0 else f"{year:d}"
    if len(text) != 4:
        raise ValueError(f"year {year} does not fit 4 columns")
    return text


def date_text(jd, day_decimals):
    """"YYYYMMDD.ddd…": year 4, month 2, day with `day_decimals` decimals (width 3 + decimals)."""
    year, month, day = calendar_date(jd, day_decimals)
    day_text = fixed(day, day_decimals).rjust(day_decimals + 3, "0")
    return f"{year_text(year)}{month:02d}{day_text}"


def year_of(jd):
    return calendar_date(jd, 0)[0]


def jd_from_mjd(mjd):
    return float(mjd) + 2400000.5


# --- numbers in columns -----------------------------------------------------------------------

def fit(value, width, max_decimals):
    """`value` fixed-point with as many decimals (at most `max_decimals`) as fit in `width`
    characters (ValueError when not even the whole number fits)."""
    for decimals in range(max_decimals, -1, -1):
        text = fixed(value, decimals)
        if len(text) <= width:
            return text
    raise ValueError(f"{value} does not fit {width} columns")


def angle(value, decimals=5):
    """An angle in degrees reduced to [0, 360) after rounding to `decimals` decimals."""
    v = round(value % 360.0, decimals) % 360.0
    return fixed(v, decimals)


def magnitude(value, width=4):
    return "" if value is None else fit(value, width, 2)


# --- the three layouts --------------------------------------------------------------------------

def asteroid_line(name, epoch_jd, a, e, i, node, peri, m0, first_year, last_year, h, g,
                  flags="j"):
    """One line of "asteroid.dta" (angles in degrees, J2000.0)."""
    return columns(
        (1, 30, name),
        (31, 14, date_text(epoch_jd, 5)),
        (45, 10, fit(a, 9, 7), "right"),
        (56, 9, fit(e, 9, 7), "right"),
        (66, 8, fit(i, 8, 4), "right"),
        (75, 10, angle(node), "right"),
        (85, 10, angle(peri), "right"),
        (96, 4, "2000"),
        (100, 10, angle(m0), "right"),
        (111, 4, year_text(first_year)),
        (116, 4, year_text(last_year)),
        (121, 4, magnitude(h), "right"),
        (126, 4, magnitude(g), "right"),
        (132, len(flags), flags))


def comet_line(name, peri_jd, q, e, i, node, peri, first_year, last_year, g, k, flags="j"):
    """One line of "komet.dta" (perihelion time T0, angles in degrees, J2000.0)."""
    return columns(
        (1, 30, name),
        (31, 14, date_text(peri_jd, 5)),
        (45, 10, fit(q, 9, 7), "right"),
        (56, 9, fit(e, 9, 7), "right"),
        (66, 8, fit(i, 8, 4), "right"),
        (75, 10, angle(node), "right"),
        (85, 10, angle(peri), "right"),
        (96, 4, "2000"),
        (101, 4, year_text(first_year)),
        (106, 4, year_text(last_year)),
        (111, 4, magnitude(g), "right"),
        (116, 4, magnitude(k), "right"),
        (123, len(flags), flags))


def probe_a(a):
    """The probe file's semi-major axis, 9 characters for columns 36-44 (35 stays blank):
    below 1 AU with 8 decimals and no leading zero (".00004534", an Earth satellite to
    1.5 km), else as many decimals as fit."""
    if 0 < a < 1:
        text = fixed(a, 8)
        return text[1:] if text.startswith("0.") else text
    return fit(a, 9, 8)


def probe_line(name, epoch_jd, a, e, i, node, peri, m0, start_jd, stop_jd, centre, flags="j"):
    """One line of "rymdsond.dta" (angles in degrees, J2000.0 ecliptic)."""
    return columns(
        (1, 20, name),
        (21, 14, date_text(epoch_jd, 5)),
        (35, 10, probe_a(a), "right"),
        (46, 9, fit(e, 9, 7), "right"),
        (56, 8, fit(i, 8, 4), "right"),
        (65, 10, angle(node), "right"),
        (75, 10, angle(peri), "right"),
        (86, 4, "2000"),
        (90, 10, angle(m0), "right"),
        (101, 12, date_text(start_jd, 3)),
        (114, 12, date_text(stop_jd, 3)),
        (127, 3, centre),
        (132, len(flags), flags))


# --- orbits -------------------------------------------------------------------------------------

def rot_x(v, angle_rad):
    """v turned about the x axis by +angle (equatorial -> ecliptic for the obliquity)."""
    c, s = math.cos(angle_rad), math.sin(angle_rad)
    x, y, z = v
    return (x, c * y + s * z, -s * y + c * z)


def orbit_vectors(i, node, peri):
    """Unit vectors P (to the pericentre) and W (orbit normal) of angles in radians."""
    ci, si = math.cos(i), math.sin(i)
    cn, sn = math.cos(node), math.sin(node)
    cw, sw = math.cos(peri), math.sin(peri)
    p = (cw * cn - sw * sn * ci, cw * sn + sw * cn * ci, sw * si)
    w = (sn * si, -cn * si, ci)
    return p, w


def angles_from_vectors(p, w):
    """(i, node, peri) in degrees of an orbit's P and W vectors."""
    i = math.acos(max(-1.0, min(1.0, w[2])))
    node = math.atan2(w[0], -w[1])
    n = (math.cos(node), math.sin(node), 0.0)
    cross = (n[1] * p[2] - n[2] * p[1], n[2] * p[0] - n[0] * p[2], n[0] * p[1] - n[1] * p[0])
    sin_w = sum(c * wc for c, wc in zip(cross, w))
    cos_w = sum(a * b for a, b in zip(n, p))
    peri = math.atan2(sin_w, cos_w)
    return math.degrees(i), math.degrees(node) % 360.0, math.degrees(peri) % 360.0


def precession_to_j2000(v, jd):
    """Equatorial vector of the mean equinox of `jd` referred to J2000.0 (IAU 1976 angles,
    Meeus ch. 20 (2nd ed. 21), the inverse rotation)."""
    t = (jd - J2000) / 36525.0
    sec = math.pi / (180.0 * 3600.0)
    zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t ** 3) * sec
    z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t ** 3) * sec
    theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t ** 3) * sec
    cz, sz = math.cos(zeta), math.sin(zeta)
    cZ, sZ = math.cos(z), math.sin(z)
    ct, st = math.cos(theta), math.sin(theta)
    # J2000 -> date: R = Rz(-z) Ry(theta) Rz(-zeta)
    r = [[cZ * ct * cz - sZ * sz, -cZ * ct * sz - sZ * cz, -cZ * st],
         [sZ * ct * cz + cZ * sz, -sZ * ct * sz + cZ * cz, -sZ * st],
         [st * cz, -st * sz, ct]]
    # date -> J2000: the transpose
    return tuple(sum(r[k][j] * v[k] for k in range(3)) for j in range(3))


def kepler_e(m, e):
    """Eccentric anomaly of mean anomaly m (radians) for e < 1, by bisection (robust close to
    e = 1)."""
    m = math.remainder(m, 2 * math.pi)
    lo, hi = -math.pi, math.pi
    for _ in range(200):
        mid = 0.5 * (lo + hi)
        if mid - e * math.sin(mid) - m > 0:
            hi = mid
        else:
            lo = mid
    return 0.5 * (lo + hi)


def heliocentric_ellipse(q, e, i, node, peri, tp, jd):
    """Heliocentric ecliptic J2000 position (AU) on an elliptic orbit (angles in degrees)."""
    a = q / (1.0 - e)
    n = GAUSS_K / (a * math.sqrt(a))
    ecc_anomaly = kepler_e(n * (jd - tp), e)
    x = a * (math.cos(ecc_anomaly) - e)
    y = a * math.sqrt((1.0 - e) * (1.0 + e)) * math.sin(ecc_anomaly)
    p, w = orbit_vectors(math.radians(i), math.radians(node), math.radians(peri))
    qv = (w[1] * p[2] - w[2] * p[1], w[2] * p[0] - w[0] * p[2], w[0] * p[1] - w[1] * p[0])
    return tuple(x * p[k] + y * qv[k] for k in range(3))
