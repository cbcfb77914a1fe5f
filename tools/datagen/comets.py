"""komet.dta: elements of comets by their perihelion passage; observ.dta: three observations of
comet C/1996 B2 (Hyakutake) for the orbit window.

Sources: kstars-data usr/share/kstars/comets.dat (a JSON answer of the JPL Small-Body
Database query API: 3768 comets with q, e, i, omega, Omega, the perihelion time tp, JPL's total
magnitude parameter M1 and the orbit class), the Minor Planet Center's comet elements in
kstars-data usr/share/kstars/cometels.json.gz (952 comets with the magnitude parameters H and
G, m = H + 5 log Delta + 2.5 G log r), Stellarium's historical comets in stellarium-data
usr/share/stellarium/data/ssystem_1000comets.ini (absolute magnitude and slope parameter,
same formula), and 1I/'Oumuamua from stellarium-data usr/share/stellarium/data/
ssystem_minor.ini. All elements are referred to the ecliptic and equinox J2000.0.

The magnitude parameters g and k of a line (m = g + 5 log Delta + k log r) are, in this order
of preference: the MPC's H and 2.5 G (matched by designation); Stellarium's absolute magnitude
and 2.5 times its slope parameter (matched by perihelion time within a day and q within 1 %);
JPL's M1 with k = 10, the customary slope (JPL's own K1 is not in the package). Comets with none
of these are left out.

The file is kept to 470 lines so that the data-files window, which saves at most 480 lines,
can still take the lines the orbit window appends: of the comets that have magnitude parameters,
those with the brightest g + k log10 q (the magnitude at perihelion seen from 1 AU): 280
periodic comets (period under 200 years), 90 others with perihelion in 2020 or later, 99 others
of any time; and 1I/'Oumuamua. Lines in order of the perihelion time.

observ.dta: three geocentric astrometric positions (equinox J2000.0) of C/1996 B2, computed
here from the same JPL elements with the Earth of VSOP87B (tools/tables/vsop87b_earth.tsv)
and light time; not measured positions.
"""
import configparser
import gzip
import json
import math
import pathlib
import re

from .orbits import (J2000, OBLIQUITY_J2000, comet_line, heliocentric_ellipse, julian_day,
                     rot_x, year_of)
from .sources import Output, section
from .textout import cut_words, fixed, text_file, transliterate

OUTPUTS = ["komet.dta", "observ.dta"]

JPL_FILE = "usr/share/kstars/comets.dat"
MPC_FILE = "usr/share/kstars/cometels.json.gz"
ST_COMETS = "usr/share/stellarium/data/ssystem_1000comets.ini"
ST_MINOR = "usr/share/stellarium/data/ssystem_minor.ini"
VSOP_EARTH = pathlib.Path(__file__).resolve().parent.parent / "tables" / "vsop87b_earth.tsv"

PERIODIC_LINES = 280
RECENT_LINES = 90            # others with perihelion from RECENT_FROM on
OTHER_LINES = 99             # others of any time
RECENT_FROM = 2458849.5      # 2020 January 1.0
NAME_WIDTH = 29
DEFAULT_K = 10.0
PERIODIC_SPAN = 15           # years shown each side of the perihelion, periodic comets
OTHER_BEFORE, OTHER_AFTER = 3, 4

OBS_NAME = "C/1996 B2 (Hyakutake)"
OBS_DATES = [(1996, 2, 20.0), (1996, 3, 1.0), (1996, 3, 11.0)]   # 0 h UT
DELTA_T_1996 = 61.6          # TT - UT in 1996, seconds (IERS)
LIGHT_DAYS_PER_AU = 0.005775518331


def designation_key(name):
    """"2P", "73P", "C/1996 B2", "P/2010 V1" ... of a comet name."""
    name = name.strip()
    m = re.match(r"^(\d+[PDI])/", name) or re.match(r"^([PCDXAI]/-?\d+ [A-Z]+\d*)", name)
    return m.group(1) if m else name


class Comet:
    def __init__(self, name, tp, q, e, i, node, peri, period, source):
        self.name, self.tp, self.q, self.e = name, tp, q, e
        self.i, self.node, self.peri = i, node, peri
        self.period, self.source = period, source
        self.g = self.k = None
        self.mag_source = None

    @property
    def periodic(self):
        return self.period is not None and self.period < 200.0

    def score(self):
        return self.g + self.k * math.log10(self.q)

    def line(self):
        year = year_of(self.tp)
        if self.periodic:
            first, last = year - PERIODIC_SPAN, year + PERIODIC_SPAN
        else:
            first, last = year - OTHER_BEFORE, year + OTHER_AFTER
        return comet_line(cut_words(transliterate(self.name), NAME_WIDTH), self.tp, self.q,
                          self.e, self.i, self.node, self.peri, first, last, self.g, self.k)


def read_jpl(path):
    with open(path, encoding="utf-8") as f:
        doc = json.load(f)
    ix = {k: i for i, k in enumerate(doc["fields"])}
    comets = []
    for row in doc["data"]:
        c = Comet(row[ix["full_name"]].strip(), float(row[ix["tp"]]), float(row[ix["q"]]),
                  float(row[ix["e"]]), float(row[ix["i"]]), float(row[ix["om"]]),
                  float(row[ix["w"]]),
                  None if row[ix["per.y"]] is None else float(row[ix["per.y"]]), "jpl")
        c.m1 = None if row[ix["M1"]] is None else float(row[ix["M1"]])
        comets.append(c)
    return comets


def read_mpc(path):
    with gzip.open(path, "rt", encoding="utf-8") as f:
        return json.load(f)


def read_ini(path):
    ini = configparser.RawConfigParser(strict=False, interpolation=None)
    ini.read(path, encoding="utf-8")
    return ini


def assign_magnitudes(comets, mpc, st_comets):
    keys = {}
    for c in comets:
        keys.setdefault(designation_key(c.name), []).append(c)
    mpc_by_key = {}
    for m in mpc:
        mpc_by_key.setdefault(designation_key(m["Designation_and_name"]), []).append(m)
    stellarium = []
    for sec in st_comets.sections():
        s = st_comets[sec]
        if "orbit_timeatpericenter" in s and "absolute_magnitude" in s and "slope_parameter" in s:
            stellarium.append((float(s["orbit_timeatpericenter"]),
                               float(s["orbit_pericenterdistance"]),
                               float(s["absolute_magnitude"]), float(s["slope_parameter"])))
    stellarium.sort()
    for c in comets:
        key = designation_key(c.name)
        cands = mpc_by_key.get(key, [])
        if len(keys[key]) > 1 or len(cands) > 1:   # fragments: the whole name must agree
            cands = [m for m in cands if m["Designation_and_name"].strip() == c.name]
        if len(cands) == 1 and cands[0].get("H") is not None and cands[0].get("G") is not None:
            c.g, c.k, c.mag_source = float(cands[0]["H"]), 2.5 * float(cands[0]["G"]), "mpc"
            continue
        near = [s for s in stellarium if abs(s[0] - c.tp) < 1.0 and abs(s[1] - c.q) < 0.01 * c.q]
        if len(near) == 1:
            c.g, c.k, c.mag_source = near[0][2], 2.5 * near[0][3], "stellarium"
            continue
        if c.m1 is not None:
            c.g, c.k, c.mag_source = c.m1, DEFAULT_K, "jpl"


def oumuamua(st_minor):
    s = st_minor["1I_Oumuamua"]
    c = Comet("1I/2017 U1 ('Oumuamua)", float(s["orbit_TimeAtPericenter"]),
              float(s["orbit_PericenterDistance"]), float(s["orbit_Eccentricity"]),
              float(s["orbit_Inclination"]), float(s["orbit_AscendingNode"]),
              float(s["orbit_ArgOfPericenter"]), None, "stellarium")
    c.g, c.k, c.mag_source = float(s["absolute_magnitude"]), 5.0, "inactive"
    return c


def select(comets):
    """(periodic, recent others, other others, pool counts) chosen by g + k log10 q."""
    def by_score(cs):
        return sorted(cs, key=lambda c: (c.score(), c.name))
    rated = [c for c in comets if c.g is not None]
    periodic = by_score(c for c in rated if c.periodic)
    others = [c for c in rated if not c.periodic]
    recent = by_score(c for c in others if c.tp >= RECENT_FROM)[:RECENT_LINES]
    taken = {id(c) for c in recent}
    rest = by_score(c for c in others if id(c) not in taken)[:OTHER_LINES]
    return periodic[:PERIODIC_LINES], recent, rest, (len(periodic), len(others))


# --- observ.dta ---------------------------------------------------------------------------------

def read_vsop(path):
    series = {}
    with open(path, encoding="utf-8") as f:
        next(f)
        for line in f:
            var, power, _, a, b, c = line.split("\t")
            series.setdefault((var, int(power)), []).append((float(a), float(b), float(c)))
    return series


def earth_position(series, jd):
    """Heliocentric ecliptic J2000 rectangular position of the Earth (VSOP87B, AU)."""
    tau = (jd - J2000) / 365250.0
    vals = {}
    for var in "LBR":
        total = 0.0
        for power in range(6):
            terms = series.get((var, power), [])
            total += tau ** power * sum(a * math.cos(b + c * tau) for a, b, c in terms)
        vals[var] = total
    lon, lat, r = vals["L"], vals["B"], vals["R"]
    return (r * math.cos(lat) * math.cos(lon), r * math.cos(lat) * math.sin(lon),
            r * math.sin(lat))


def astrometric(comet, earth, jd_tt):
    """Geocentric astrometric right ascension and declination (degrees, J2000.0) and
    distance (AU), light time included (the comet where it was when its light left it)."""
    tau = 0.0
    for _ in range(5):
        c = heliocentric_ellipse(comet.q, comet.e, comet.i, comet.node, comet.peri, comet.tp,
                                 jd_tt - tau)
        g = tuple(c[k] - earth[k] for k in range(3))
        delta = math.sqrt(sum(x * x for x in g))
        tau = delta * LIGHT_DAYS_PER_AU
    eq = rot_x(g, -OBLIQUITY_J2000)
    ra = math.degrees(math.atan2(eq[1], eq[0])) % 360.0
    dec = math.degrees(math.asin(eq[2] / delta))
    return ra, dec, delta


def sexagesimal(value, decimals):
    """(sign, whole, minutes, seconds text) of a positive or negative value, rounded."""
    sign = "-" if value < 0 else "+"
    scale = 10 ** decimals
    units = round(abs(value) * 3600 * scale)
    whole, rest = divmod(units, 3600 * scale)
    minutes, sec_units = divmod(rest, 60 * scale)
    sec = fixed(sec_units / scale, decimals).rjust(3 + decimals, "0")
    return sign, whole, minutes, sec


def observation_lines(comet, vsop):
    lines = [OBS_NAME]
    rows = []
    for (y, m, d) in OBS_DATES:
        jd_ut = julian_day(y, m, d)
        jd_tt = jd_ut + DELTA_T_1996 / 86400.0
        earth = earth_position(vsop, jd_tt)
        ra, dec, delta = astrometric(comet, earth, jd_tt)
        _, rh, rm, rs = sexagesimal(ra / 15.0, 2)
        ds, dd, dm, dsec = sexagesimal(dec, 1)
        if dd == 0 and ds == "-":
            raise ValueError("a declination between 0 and -1 degree loses its sign")
        lines.append(f"{y:04d} {m:02d} {int(d):02d} {fixed((d % 1) * 24, 3).rjust(6, '0')}  "
                     f"{rh:02d} {rm:02d} {rs} {ds}{dd:02d} {dm:02d} {dsec}  2000.0")
        rows.append((y, m, d, ra, dec, delta))
    return lines, rows


def generate(ctx):
    kpkg = ctx.debian("kstars-data")
    spkg = ctx.debian("stellarium-data")
    comets = read_jpl(kpkg.path(JPL_FILE))
    mpc = read_mpc(kpkg.path(MPC_FILE))
    assign_magnitudes(comets, mpc, read_ini(spkg.path(ST_COMETS)))
    periodic, recent, rest, (n_per, n_oth) = select(comets)
    others = recent + rest
    extra = oumuamua(read_ini(spkg.path(ST_MINOR)))
    chosen = sorted(periodic + others + [extra], key=lambda c: (c.tp, c.name))
    hyakutake = [c for c in comets if c.name == OBS_NAME]
    if len(hyakutake) != 1 or hyakutake[0] not in chosen:
        raise ValueError("C/1996 B2 (Hyakutake) must be in komet.dta")
    lines = [c.line() for c in chosen]

    by_source = {s: sum(1 for c in chosen if c.mag_source == s)
                 for s in ("mpc", "stellarium", "jpl", "inactive")}
    parabolic = sum(1 for c in chosen if c.e == 1.0)
    hyperbolic = sum(1 for c in chosen if c.e > 1.0)
    licence = ("GPL-2+ (kstars-data, stellarium-data); JPL Small-Body Database and Minor Planet "
               "Center data are public.")
    attribution = ("orbital elements from the JPL Small-Body Database (ssd.jpl.nasa.gov); "
                   "magnitude parameters from the IAU Minor Planet Center, Stellarium and JPL; "
                   "as packaged by KStars and Stellarium.")
    method = (
        "name (JPL's, cut at a word to 29 characters) in columns 1-30; perihelion time "
        "\"YYYYMMDD.ddddd\" (TT) in 31-44; q (7 decimals) 45-54 with 45 blank; e (7 decimals; "
        "exactly 1 for the parabolic orbits) 56-64; i (4 decimals) 66-73; Omega and omega (5 "
        "decimals) 75-84 and 85-94; equinox \"2000\" 96-99; first and last year shown 101-104 "
        f"and 106-109: the perihelion year minus and plus {PERIODIC_SPAN} for periodic comets, "
        f"minus {OTHER_BEFORE} and plus {OTHER_AFTER} for the others; g and k 111-114 and "
        "116-119; \"j\" in 123. Selection: of the comets that have magnitude parameters, those "
        f"with the brightest g + k log10 q: {PERIODIC_LINES} of the {n_per} periodic (period "
        f"under 200 years); of the {n_oth} others, {RECENT_LINES} with perihelion in 2020 or "
        f"later and {OTHER_LINES} of any time; and 1I/'Oumuamua. Lines in order of perihelion "
        "time. The file stops at 470 lines so that the data-files window "
        "(480 lines at most) can save the lines the orbit window appends.")
    standin = (f"k = 10 where only JPL's M1 is known ({by_source['jpl']} comets; JPL's K1 is not "
               "in the package). 1I/'Oumuamua is an inactive body: g is Stellarium's absolute "
               "magnitude 22.08 and k = 5 (reflected sunlight only).")
    records = (f"{len(lines)} comets: {len(periodic)} periodic, {len(others)} others "
               f"({len(recent)} with perihelion in 2020 or later; {parabolic} parabolic, {hyperbolic} hyperbolic incl. 1I/'Oumuamua), perihelia "
               f"from {year_of(chosen[0].tp)} to {year_of(chosen[-1].tp)}; magnitude "
               f"parameters from the MPC for {by_source['mpc']}, Stellarium for "
               f"{by_source['stellarium']}, JPL's M1 for {by_source['jpl']}. Includes "
               "C/1996 B2 (Hyakutake), C/1995 O1 (Hale-Bopp), 1P/Halley, 2P/Encke.")
    komet_section = section(
        "komet.dta",
        "Comets (and 1I/'Oumuamua) by their perihelion passage, for the chart's comet list; "
        "the orbit window appends its results here.",
        [(kpkg, f"`{JPL_FILE}` (JPL Small-Body Database query API, 3768 comets) and "
                f"`{MPC_FILE}` (Minor Planet Center, 952 comets)"),
         (spkg, f"`{ST_COMETS}` (1086 historical comets) and `{ST_MINOR}` (1I/'Oumuamua)")],
        licence, attribution, records, method, standin=standin, generator="comets")

    vsop = read_vsop(VSOP_EARTH)
    obs_lines, rows = observation_lines(hyakutake[0], vsop)
    obs_text = "; ".join(
        f"1996-{m:02d}-{int(d):02d} 0h UT: RA {ra / 15:.6f} h, Dec {dec:+.5f} deg, "
        f"Delta {delta:.4f} AU" for (_, m, d, ra, dec, delta) in rows)
    observ_section = section(
        "observ.dta",
        "Three observations for the orbit window (name, then date, UT hours, right ascension, "
        "declination and equinox per line).",
        [(kpkg, f"`{JPL_FILE}`: the JPL elements of C/1996 B2 (Hyakutake), orbit JPL 73")],
        "GPL-2+ (kstars-data); JPL data public; VSOP87 (Bretagnon and Francou 1988) from "
        "`tools/tables/vsop87b_earth.tsv`.",
        "JPL Small-Body Database; VSOP87, Bureau des Longitudes.",
        f"3 observations ({obs_text}).",
        "geocentric astrometric positions referred to the equinox J2000.0: the comet's "
        "heliocentric position from its JPL elements (Kepler's equation) at the time the light "
        "left it, minus the Earth's heliocentric position from the complete VSOP87B series, "
        f"turned to the equator with the obliquity 23.4392911 degrees; TT = UT + "
        f"{DELTA_T_1996} s. Right ascension to 0.01 s, declination to 0.1 arcsecond.",
        standin=("computed, not observed: no package holds published astrometric observations "
                 "of a comet. The positions are those the JPL orbit predicts, so the orbit "
                 "window should give back elements close to JPL's (q 0.2302, e 0.9999, "
                 "i 124.92, perihelion 1996 May 1.39)."),
        generator="comets")
    return [Output("komet.dta", text_file(lines), komet_section, len(lines)),
            Output("observ.dta", text_file(obs_lines), observ_section, 3)]
