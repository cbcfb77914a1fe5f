"""rymdsond.dta: space probes and artificial satellites.

Sources: the two-line element sets of gpredict's satellite list (Debian gpredict,
usr/share/gpredict/data/satdata/satellites.dat, 979 satellites, epochs of January 2018, with
the category lists *.cat beside it), and the heliocentric orbit of the Tesla Roadster from
stellarium-data usr/share/stellarium/data/ssystem_minor.ini (from JPL Horizons). No package
holds heliocentric elements of Voyager, Pioneer, New Horizons or any other probe: a comment
line says so and shows the columns for the user's own.

Earth satellites: a TLE gives mean elements of the SGP4 theory referred to the true equator
and mean equinox of its epoch (TEME). The program wants osculating-style Keplerian elements
referred to the ecliptic and equinox J2000.0, so the orbit's pericentre and pole vectors are
precessed from the epoch's equator to J2000.0 (IAU 1976; nutation, under 20 arcseconds, is
left out) and turned to the ecliptic with the obliquity of J2000.0; i, Omega and omega are read
back from them. a comes from the mean motion n (revolutions per day) as the data-files
window's calculator computes it, a = ((k_E * 180/pi) / (n * 360))^(2/3) AU with the Earth's
Gaussian constant; M0 is the TLE's mean anomaly at its epoch, which is written in TT (UTC +
69.184 s in 2018). Keplerian motion with SGP4 means drifts from the real satellite (the
Earth's flattening turns a low orbit's node by degrees a day), so each line is shown only near
its epoch: two days each side for orbits under 225 minutes, 30 days for higher orbits, a year
for geostationary ones (period within 10 minutes of a sidereal day, e < 0.01).

Line order: the Roadster, then the satellites by gpredict category (brightest, science,
weather, NOAA, GPS, GLONASS, Galileo, Molniya, Iridium NEXT), by name inside a category; then
the comment lines. At most 470 lines, leaving room in the data-files window (480).
"""
import configparser
import math
import re

from .orbits import (GAUSS_K, GAUSS_K_EARTH, OBLIQUITY_J2000, angles_from_vectors, julian_day,
                     orbit_vectors, precession_to_j2000, probe_line, rot_x)
from .sources import Output, section
from .textout import cut_words, text_file, transliterate

OUTPUTS = ["rymdsond.dta"]

SATDATA = "usr/share/gpredict/data/satdata"
ST_MINOR = "usr/share/stellarium/data/ssystem_minor.ini"
CATEGORIES = ["visual", "science", "weather", "noaa", "gps-ops", "glo-ops", "galileo",
              "molniya", "iridium-NEXT"]
MAX_SATELLITES = 466
NAME_WIDTH = 19                       # the labels show columns 1-19
TT_MINUS_UTC_2018 = 69.184            # seconds: TAI - UTC = 37 s, TT - TAI = 32.184 s
LABELLED = {25544, 20580}             # ISS (ZARYA), HST: "t" in column 134 (label and track)
SIDEREAL_DAY_MIN = 1436.0683


def read_tles(folder):
    text = (folder / "satellites.dat").read_text(encoding="utf-8")
    sats = {}
    for m in re.finditer(r"^\[(\d+)\]\n(.*?)(?=^\[|\Z)", text, re.M | re.S):
        fields = dict(line.split("=", 1) for line in m.group(2).splitlines() if "=" in line)
        sats[int(m.group(1))] = fields
    cats = {}
    for name in CATEGORIES:
        lines = (folder / f"{name}.cat").read_text(encoding="utf-8").splitlines()
        cats[name] = (lines[0].strip(), [int(x) for x in lines[1:] if x.strip()])
    return sats, cats


def tle_epoch_jd(line1):
    yy = int(line1[18:20])
    year = 2000 + yy if yy < 57 else 1900 + yy
    day = float(line1[20:32])
    return julian_day(year, 1, 0.0) + day


def satellite(norad, fields):
    """(line, info) of one satellite."""
    l1, l2 = fields["TLE1"], fields["TLE2"]
    incl = math.radians(float(l2[8:16]))
    node = math.radians(float(l2[17:25]))
    ecc = float("0." + l2[26:33].strip())
    peri = math.radians(float(l2[34:42]))
    m0 = float(l2[43:51])
    n = float(l2[52:63])
    epoch = tle_epoch_jd(l1) + TT_MINUS_UTC_2018 / 86400.0
    a = ((GAUSS_K_EARTH * 180.0 / math.pi) / (n * 360.0)) ** (2.0 / 3.0)
    p, w = orbit_vectors(incl, node, peri)
    p, w = (rot_x(precession_to_j2000(v, epoch), OBLIQUITY_J2000) for v in (p, w))
    i_ecl, node_ecl, peri_ecl = angles_from_vectors(p, w)
    period_min = 1440.0 / n
    if period_min < 225.0:
        span = 2.0
    elif abs(period_min - SIDEREAL_DAY_MIN) < 10.0 and ecc < 0.01:
        span = 365.0
    else:
        span = 30.0
    name = cut_words(transliterate(fields["NAME"].strip()), NAME_WIDTH)
    flags = "j t" if norad in LABELLED else "j"
    line = probe_line(name, epoch, a, ecc, i_ecl, node_ecl, peri_ecl, m0, epoch - span,
                      epoch + span, "Jor", flags)
    return line, span


def roadster(st_minor):
    s = st_minor["TeslaRoadster"]
    q = float(s["orbit_PericenterDistance"])
    e = float(s["orbit_Eccentricity"])
    a = q / (1.0 - e)
    epoch = float(s["orbit_Epoch"])
    tp = float(s["orbit_TimeAtPericenter"])
    m0 = math.degrees(GAUSS_K / (a * math.sqrt(a)) * (epoch - tp))
    start = julian_day(2018, 2, 7.0)     # after the burn into its solar orbit (2018 Feb 6)
    stop = julian_day(2028, 1, 1.0)
    return probe_line("Tesla Roadster", epoch, a, e, float(s["orbit_Inclination"]),
                      float(s["orbit_AscendingNode"]), float(s["orbit_ArgOfPericenter"]), m0,
                      start, stop, "Sol", "j t")


def comment_lines():
    template = probe_line(";Sond (mall)", julian_day(2000, 1, 1.5), 1.0, 0.0, 0.0, 0.0, 0.0,
                          0.0, julian_day(2000, 1, 1.0), julian_day(2001, 1, 1.0), "Sol", "j")
    note = ("; Voyager, Pioneer, New Horizons m.fl.: inga heliocentriska banelement i "
            "k\u00e4llorna, skriv in egna enligt mallen")
    return [note, template]


def generate(ctx):
    gp = ctx.debian("gpredict")
    st = ctx.debian("stellarium-data")
    folder = gp.path(SATDATA)
    sats, cats = read_tles(folder)
    ini = configparser.RawConfigParser(strict=False, interpolation=None)
    ini.read(st.path(ST_MINOR), encoding="utf-8")

    lines = [roadster(ini)]
    seen = set()
    per_cat = []
    spans = {2.0: 0, 30.0: 0, 365.0: 0}
    for cat in CATEGORIES:
        title, norads = cats[cat]
        chosen = []
        for norad in norads:
            if norad in seen or norad not in sats or len(seen) >= MAX_SATELLITES:
                continue
            seen.add(norad)
            chosen.append((transliterate(sats[norad]["NAME"].strip()), norad))
        for _, norad in sorted(chosen):
            line, span = satellite(norad, sats[norad])
            lines.append(line)
            spans[span] += 1
        per_cat.append(f"{title} {len(chosen)}")
    lines += comment_lines()
    if len(lines) > 470:
        raise ValueError("rymdsond.dta: too many lines")
    epochs = sorted(tle_epoch_jd(sats[n]["TLE1"]) for n in seen)

    text = section(
        "rymdsond.dta",
        "Artificial satellites of the Earth and the one heliocentric probe with published "
        "elements in a package, for the chart, the Earth-centred view and the data-files "
        "window.",
        [(gp, f"`{SATDATA}/satellites.dat` (979 two-line element sets) and the category lists "
              f"`{SATDATA}/*.cat`"),
         (st, f"`{ST_MINOR}` `[TeslaRoadster]` (JPL Horizons elements, epoch JD 2458167.5)")],
        "GPL-2+ (gpredict, stellarium-data); the element sets are CelesTrak/NORAD "
        "(US government) data, public.",
        "two-line elements: NORAD via CelesTrak (T. S. Kelso), as shipped with gpredict; Tesla "
        "Roadster: JPL Horizons, as shipped with Stellarium.",
        f"{len(lines) - 2} bodies and 2 comment lines: the Tesla Roadster (central body "
        f"\"Sol\") and {len(seen)} Earth satellites (\"Jor\") of gpredict's categories: "
        + ", ".join(per_cat) + f"; TLE epochs {min(epochs) - 2400000.5:.1f} to "
        f"{max(epochs) - 2400000.5:.1f} MJD (January 2018). Shown {spans[2.0]} two days, "
        f"{spans[30.0]} 30 days and {spans[365.0]} a year each side of the epoch. ISS (ZARYA), "
        "HST and the Roadster carry \"t\" in column 134 (label in the Earth-centred view, "
        "track on the chart).",
        "name (gpredict's, cut at a word to 19 characters) in columns 1-20; epoch "
        "\"YYYYMMDD.ddddd\" (TT) 21-34; a in AU 35-44 with 35 blank (below 1 AU as "
        "\".dddddddd\", 8 decimals, 1.5 km); e (7 decimals) 46-54; i (4 decimals) 56-63; Omega, omega "
        "(5 decimals) 65-74, 75-84; equinox \"2000\" 86-89; M0 90-99; t1 and t2 "
        "\"YYYYMMDD.ddd\" 101-112 and 114-125; central body 127-129; \"j\" in 132. TLE angles "
        "turned from the equator of date to the ecliptic J2000.0 (IAU 1976 precession, "
        "obliquity 23.4392911 degrees); a from n by the calculator's formula; the Roadster's "
        "a = q / (1 - e) and M0 = n (epoch - tp) with the Sun's Gaussian constant.",
        standin=("no heliocentric elements for Voyager 1/2, Pioneer 10/11, New Horizons and the "
                 "like exist in any package: the last two lines are comments, a Swedish note "
                 "and a template in the file's columns. The TLEs are from January 2018, so with "
                 "the clock at today's date no satellite line is in use."),
        generator="probes")
    return [Output("rymdsond.dta", text_file(lines), text, len(lines) - 2)]
