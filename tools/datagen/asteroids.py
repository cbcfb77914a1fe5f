"""asteroid.dta, asteroi2.dta, asteroi3.dta: osculating elements of asteroids.

Sources: kstars-data usr/share/kstars/asteroids.dat (a JSON answer of the JPL Small-Body
Database query API: 7099 numbered and unnumbered asteroids with a, e, i, Omega, omega, M at
their epoch, H, G and the SBDB orbit class) and, for near-Earth and other notable asteroids
that the KStars list lacks, the asteroids of stellarium-data
usr/share/stellarium/data/ssystem_minor.ini. Both give elements referred to the ecliptic and
equinox J2000.0.

The three files are the settings dialog's three lists ("Ljusstarka asteroider", "Asteroider
nära jorden och ovanliga", "Avlägsna asteroider (Centaurer och transneptuner) och de på
kritiska listan"), at most 480 lines each (the data-files window cannot save more):
  asteroid.dta  the 480 intrinsically brightest (smallest H) of the main belt;
  asteroi2.dta  near-Earth asteroids and Mars-crossers, Stellarium's notable asteroids, the
                Hildas, then the brightest Jupiter trojans up to 480;
  asteroi3.dta  every centaur, then the brightest transneptunian objects up to 480 (not
                Pluto, which the program draws as a planet).
Lines are sorted by number, the unnumbered after them by designation. Column layout: see
orbits.asteroid_line and src/catalogs/element_files.h.
"""
import configparser
import json
import re

from .orbits import asteroid_line, jd_from_mjd, year_of
from .sources import Output, section
from .textout import cut_words, text_file, transliterate

OUTPUTS = ["asteroid.dta", "asteroi2.dta", "asteroi3.dta"]

KSTARS_FILE = "usr/share/kstars/asteroids.dat"
STELLARIUM_FILE = "usr/share/stellarium/data/ssystem_minor.ini"
MAX_LINES = 480
NAME_WIDTH = 29          # the chart's identification shows columns 1-29
DEFAULT_G = 0.15         # the IAU's standard slope parameter where the source has none

NEAR_EARTH_CLASSES = {"AMO", "APO", "ATE", "IEO", "MCA", "AST"}
MAIN_BELT_CLASSES = {"MBA", "IMB", "OMB"}
# Years each side of the epoch in which the elements are shown: osculating elements drift
# with the planets' perturbations, fastest for bodies that pass close to a planet.
YEARS_SHOWN = {"near": 20, "belt": 50, "distant": 100}


class Body:
    def __init__(self, name, number, desig, epoch_jd, a, e, i, node, peri, m0, h, g, kind,
                 source):
        self.name, self.number, self.desig = name, number, desig
        self.epoch_jd, self.a, self.e, self.i = epoch_jd, a, e, i
        self.node, self.peri, self.m0, self.h, self.g = node, peri, m0, h, g
        self.kind, self.source = kind, source

    def sort_key(self):
        return (0, self.number, "") if self.number else (1, 0, self.desig)

    def line(self):
        span = YEARS_SHOWN["near" if self.kind == "near" else
                           "distant" if self.kind in ("CEN", "TNO") else "belt"]
        year = year_of(self.epoch_jd)
        return asteroid_line(self.name, self.epoch_jd, self.a, self.e, self.i, self.node,
                             self.peri, self.m0, year - span, year + span, self.h,
                             self.g if self.g is not None else DEFAULT_G)


def display_name(number, name, desig):
    """"1 Ceres", "(87269) 2000 OO67" (numbered, unnamed), "2022 FA7" (unnumbered)."""
    if number and name:
        text = f"{number} {name}"
    elif number:
        text = f"({number}) {desig}"
    else:
        text = desig
    return cut_words(transliterate(text), NAME_WIDTH)


def read_kstars(path):
    with open(path, encoding="utf-8") as f:
        doc = json.load(f)
    ix = {k: i for i, k in enumerate(doc["fields"])}
    bodies = []
    for row in doc["data"]:
        full = row[ix["full_name"]].strip()
        m = re.match(r"^(\d+)\s*(.*?)\s*(?:\((.+)\))?$", full)
        if m:
            number, name, desig = int(m.group(1)), m.group(2), m.group(3) or ""
        else:
            number, name, desig = 0, "", full.strip("()")
        cls = row[ix["class"]]
        kind = "near" if (row[ix["neo"]] == "Y" or cls in NEAR_EARTH_CLASSES) else cls

        def num(key):
            v = row[ix[key]]
            return None if v is None else float(v)

        bodies.append(Body(display_name(number, name, desig), number, desig,
                           jd_from_mjd(row[ix["epoch_mjd"]]), num("a"), num("e"), num("i"),
                           num("om"), num("w"), num("ma"), num("H"), num("G"), kind, "kstars"))
    return bodies


def read_stellarium(path, known_numbers, known_desigs):
    """Stellarium's asteroids ("type = asteroid") that the KStars list lacks."""
    ini = configparser.RawConfigParser(strict=False, interpolation=None)
    ini.read(path, encoding="utf-8")
    bodies = []
    for sec in sorted(ini.sections()):
        s = ini[sec]
        if s.get("type", "").strip() != "asteroid" or "orbit_meananomaly" not in s:
            continue
        number = int(s["minor_planet_number"]) if s.get("minor_planet_number") else 0
        name = s["name"].strip()
        desig = name if re.match(r"^\d{4} [A-Z]{2}\d*$", name) else ""
        if number in known_numbers or (not number and desig in known_desigs):
            continue
        display = display_name(number, "" if desig else name, desig)
        g = s.get("slope_parameter")
        bodies.append(Body(display, number, desig or name, float(s["orbit_epoch"]),
                           float(s["orbit_semimajoraxis"]), float(s["orbit_eccentricity"]),
                           float(s["orbit_inclination"]), float(s["orbit_ascendingnode"]),
                           float(s["orbit_argofpericenter"]), float(s["orbit_meananomaly"]),
                           float(s["absolute_magnitude"]), float(g) if g else None, "near",
                           "stellarium"))
    return bodies


def is_hilda(b):
    return b.kind in MAIN_BELT_CLASSES and 3.7 <= b.a <= 4.2 and b.e < 0.3 and b.i < 20.0


def brightest(bodies, n):
    return sorted(bodies, key=lambda b: (b.h, b.sort_key()))[:max(0, n)]


def split(kstars, extra):
    kst = [b for b in kstars if b.number != 134340]   # Pluto is drawn as a planet
    near = [b for b in kst if b.kind == "near"] + extra
    belt = [b for b in kst if b.kind in MAIN_BELT_CLASSES]
    file1 = brightest(belt, MAX_LINES)
    taken = {id(b) for b in file1}
    hildas = [b for b in belt if id(b) not in taken and is_hilda(b)]
    trojans = [b for b in kst if b.kind == "TJN"]
    file2 = near + hildas
    file2 += brightest(trojans, MAX_LINES - len(file2))
    centaurs = [b for b in kst if b.kind == "CEN"]
    tnos = [b for b in kst if b.kind == "TNO"]
    file3 = centaurs + brightest(tnos, MAX_LINES - len(centaurs))
    groups = {"near": near, "hildas": hildas, "trojans": [b for b in file2 if b.kind == "TJN"],
              "centaurs": centaurs, "tnos": [b for b in file3 if b.kind == "TNO"],
              "pool": {"belt": len(belt), "trojans": len(trojans), "tnos": len(tnos)}}
    return [sorted(f, key=Body.sort_key) for f in (file1, file2, file3)], groups


def h_range(bodies):
    hs = [b.h for b in bodies]
    return f"H {min(hs):.2f} to {max(hs):.2f}"


def generate(ctx):
    kpkg = ctx.debian("kstars-data")
    spkg = ctx.debian("stellarium-data")
    kstars = read_kstars(kpkg.path(KSTARS_FILE))
    numbers = {b.number for b in kstars if b.number}
    desigs = {b.desig for b in kstars if not b.number}
    extra = read_stellarium(spkg.path(STELLARIUM_FILE), numbers, desigs)
    files, groups = split(kstars, extra)
    for f in files:
        if len(f) > MAX_LINES:
            raise ValueError("an asteroid file has more than 480 lines")

    main_epoch = 2459800.5

    def standin(bodies, distant):
        no_g = sum(1 for b in bodies if b.g is None)
        old = [b for b in bodies if b.epoch_jd != main_epoch]
        text = f"G 0.15 (the IAU standard slope) where the source gives none ({no_g} lines)."
        kst_old = [b for b in old if b.source == "kstars"]
        if kst_old:
            text += (f" {len(kst_old)} lines keep the older epoch of JPL's solution (poorly "
                     f"observed objects; the oldest {year_of(min(b.epoch_jd for b in kst_old))}).")
        if any(b.source == "stellarium" for b in bodies):
            text += " Stellarium's asteroids keep Stellarium's epochs (2014-2019)."
        if distant:
            text += (" The Minor Planet Center's critical list is in no package: this file "
                     "holds only the distant objects.")
        return text

    src_k = (kpkg, f"`{KSTARS_FILE}` (JPL Small-Body Database query API, 7099 asteroids, "
                   "elements of MJD 59800 = 2022 August 9.0 TT for most)")
    src_s = (spkg, f"`{STELLARIUM_FILE}` (asteroids with a mean anomaly that the KStars list "
                   "lacks)")
    licence = ("GPL-2+ (the packages); the JPL Small-Body Database is a NASA/JPL "
               "service whose data are public.")
    attribution = ("orbital elements from the JPL Small-Body Database (ssd.jpl.nasa.gov), as "
                   "packaged by KStars and Stellarium.")
    layout = ("name in columns 1-30 (\"1 Ceres\", \"(87269) 2000 OO67\", \"2022 FA7\"); epoch "
              "\"YYYYMMDD.ddddd\" in 31-44; a (7 decimals or as many as fit 9 characters) in "
              "45-54 with 45 blank; e (7 decimals) 56-64; i (4 decimals) 66-73; Omega, omega "
              "(5 decimals, 75-84 and 85-94, first column blank); equinox \"2000\" 96-99; M0 "
              "(5 decimals) 100-109; first and last year shown 111-114 and 116-119; H and G "
              "(2 decimals, or 1 where 4 columns need it) 121-124 and 126-129; \"j\" in 132. "
              "Years shown: the epoch's year minus and plus 20 (near-Earth and Stellarium's "
              "asteroids), 50 (main belt, Hildas, trojans) or 100 (centaurs, transneptunians) "
              "years, as osculating elements drift with the planets' perturbations. Lines "
              "sorted by number, the unnumbered after them by designation.")
    summaries = [
        "Asteroids 1 (\"Ljusstarka asteroider\"): the intrinsically brightest of the main "
        "belt, for the chart's first asteroid list.",
        "Asteroids 2 (\"Asteroider nära jorden och ovanliga\"): near-Earth asteroids, "
        "Mars-crossers, Stellarium's notable asteroids (spacecraft targets, quasi-satellites "
        "and trojans of the Earth and of Mars), the Hildas and the Jupiter trojans.",
        "Asteroids 3 (\"Avlägsna asteroider (Centaurer och transneptuner) och de på kritiska "
        "listan\"): centaurs and transneptunian objects.",
    ]
    records = [
        f"{len(files[0])} main-belt asteroids of {groups['pool']['belt']} in the source "
        f"(classes MBA, IMB, OMB), the smallest H first: {h_range(files[0])}.",
        f"{len(files[1])} lines: {len(groups['near']) - len(extra)} near-Earth asteroids and "
        f"Mars-crossers of the KStars list (SBDB classes AMO, MCA, AST), {len(extra)} from "
        f"Stellarium ({', '.join(b.name for b in sorted(extra, key=Body.sort_key))}), "
        f"{len(groups['hildas'])} Hildas (3.7-4.2 AU, e < 0.3, i < 20 degrees, not already "
        f"in asteroid.dta) and the {len(groups['trojans'])} brightest of "
        f"{groups['pool']['trojans']} Jupiter trojans.",
        f"{len(files[2])} lines: all {len(groups['centaurs'])} centaurs and the "
        f"{len(groups['tnos'])} brightest of {groups['pool']['tnos']} transneptunian "
        f"objects ({h_range(groups['tnos'])}; 134340 Pluto left out: the program draws it as a "
        "planet).",
    ]
    outs = []
    for name, bodies, summary, rec in zip(OUTPUTS, files, summaries, records):
        lines = [b.line() for b in bodies]
        srcs = [src_k] + ([src_s] if any(b.source == "stellarium" for b in bodies) else [])
        text = section(name, summary, srcs, licence, attribution, rec, layout,
                       standin=standin(bodies, name == OUTPUTS[2]), generator="asteroids")
        outs.append(Output(name, text_file(lines), text, len(lines)))
    return outs
