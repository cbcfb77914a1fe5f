"""konst.dta, konstgra.dta, konnamn.dta, stjabild.dta: the constellations on the sky chart.

Sources:
- figures and name positions: npm d3-celestial, data/constellations.lines.json (one
  MultiLineString of J2000 star positions per constellation, Serpens in two parts) and
  data/constellations.json (a label point per constellation); coordinates are GeoJSON degrees,
  longitude = right ascension in -180..180;
- boundaries: Debian stellarium-data, usr/share/stellarium/data/constellation_boundaries.dat
  (the IAU boundaries of Davenhall & Leggett, J2000, densified about every degree; each edge
  between two constellations appears once): items "N ra1 dec1 ... raN decN 2 CON1 CON2",
  right ascension in decimal hours, running over line breaks;
- names: stellarium-data's western sky culture, skycultures/western/constellation_names.eng.fab
  (abbreviation and Latin name) and the Swedish names of
  translations/stellarium-skycultures/sv.qm.

Formats (columns counted from 1, all positions J2000):
- konst.dta: 1-6 right ascension "hhmm.m", 7-11 declination "±ddmm", 12 style (blank: solid),
  13 pen ("p" starts a line, "d" draws to the point);
- konstgra.dta: 1-10 right ascension in decimal hours, 12-22 declination in decimal degrees,
  28 pen ("p"/"d"), 30 style ("s": the boundaries are drawn dotted);
- konnamn.dta: 1-6 and 7-11 as konst.dta, 13-31 the Latin name (Serpens as "Serpens Caput"
  and "Serpens Cauda", at their two label points);
- stjabild.dta: 1-3 abbreviation, 5-23 Latin name, 25-39 Swedish name; in abbreviation order.
"""
import json
import re

from .qm import read_qm, translation
from .sources import Output, section
from .textout import columns, text_file, transliterate

OUTPUTS = ["konst.dta", "konstgra.dta", "konnamn.dta", "stjabild.dta"]

LINES_JSON = "data/constellations.lines.json"
NAMES_JSON = "data/constellations.json"
BOUNDARIES = "usr/share/stellarium/data/constellation_boundaries.dat"
NAMES_FAB = "usr/share/stellarium/skycultures/western/constellation_names.eng.fab"
SV_QM = "usr/share/stellarium/translations/stellarium-skycultures/sv.qm"

LATIN_WIDTH = 19    # stjabild.dta columns 5-23, konnamn.dta columns 13-31
SWEDISH_WIDTH = 15  # stjabild.dta columns 25-39


def ra_text(hours):
    """Right ascension in hours as "hhmm.m" (rounded to 0.1 minute, 24h wraps to 0h)."""
    tenths = round((hours % 24.0) * 600.0) % 14400
    h, t = divmod(tenths, 600)
    return f"{h:02d}{t // 10:02d}.{t % 10}"


def dec_text(degrees):
    """Declination in degrees as "±ddmm" (rounded to the minute)."""
    minutes = round(abs(degrees) * 60.0)
    d, m = divmod(minutes, 60)
    sign = "-" if degrees < 0 and minutes else "+"
    return f"{sign}{d:02d}{m:02d}"


def lon_hours(lon):
    """GeoJSON longitude (-180..180 degrees) to right ascension in hours."""
    return (lon % 360.0) / 15.0


def figure_lines(lines_json):
    """konst.dta lines from d3-celestial's constellation lines."""
    out = []
    for feature in lines_json["features"]:
        for polyline in feature["geometry"]["coordinates"]:
            for k, (lon, lat) in enumerate(polyline):
                out.append(columns((1, 6, ra_text(lon_hours(lon))), (7, 5, dec_text(lat)),
                                   (12, 1, " "), (13, 1, "p" if k == 0 else "d")))
    return out


def read_boundaries(path):
    """[(points [(ra_h, dec)], (con1, con2))] from Stellarium's boundary file."""
    with open(path, encoding="ascii") as f:
        tokens = f.read().split()
    items, i = [], 0
    while i < len(tokens):
        n = int(tokens[i])
        pts = [(float(tokens[i + 1 + 2 * k]), float(tokens[i + 2 + 2 * k])) for k in range(n)]
        i += 1 + 2 * n
        m = int(tokens[i])
        items.append((pts, tuple(tokens[i + 1:i + 1 + m])))
        i += 1 + m
    return items


def boundary_lines(items):
    out = []
    for pts, _ in items:
        for k, (ra, dec) in enumerate(pts):
            out.append(columns((1, 10, f"{ra:.7f}", "right"), (12, 11, f"{dec:.7f}", "right"),
                               (28, 1, "p" if k == 0 else "d"), (30, 1, "s")))
    return out


def read_names(fab_path, qm_path):
    """[(abbreviation, Latin, Swedish)] of the 88 constellations, in the file's order."""
    sv = read_qm(qm_path)
    out = []
    with open(fab_path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for line in lines:
        m = re.match(r'\s*(\w+)\s+"([^"]+)"\s+_\("([^"]+)"\)', line)
        if m:
            abbr, latin, english = m.groups()
            out.append((abbr, latin, translation(sv, english)))
    return out


def fit_swedish(name):
    """A Swedish name fitted to its 15 columns: a longer one has its first word shortened to
    an initial ("Lilla vattenormen" -> "L. vattenormen")."""
    if len(name) <= SWEDISH_WIDTH:
        return name
    first, rest = name.split(" ", 1)
    short = f"{first[0]}. {rest}"
    if len(short) > SWEDISH_WIDTH:
        raise ValueError(f"no {SWEDISH_WIDTH}-character form of {name!r}")
    return short


def label_lines(names_json, latin):
    """konnamn.dta lines: Latin names at d3-celestial's label points."""
    out = []
    for feature in names_json["features"]:
        abbr = feature["id"]
        name = latin[abbr]
        if abbr == "Ser":   # two parts, two labels
            name = feature["properties"]["name"]
        lon, lat = feature["geometry"]["coordinates"]
        out.append(columns((1, 6, ra_text(lon_hours(lon))), (7, 5, dec_text(lat)),
                           (13, LATIN_WIDTH, transliterate(name))))
    return out


def table_lines(names):
    out, shortened = [], []
    for abbr, latin, swedish in sorted(names, key=lambda n: n[0].lower()):
        sw = fit_swedish(transliterate(swedish))
        if sw != swedish:
            shortened.append(f"{abbr} \"{swedish}\" -> \"{sw}\"")
        out.append(columns((1, 3, abbr), (5, LATIN_WIDTH, transliterate(latin)),
                           (25, SWEDISH_WIDTH, sw)))
    return out, shortened


def generate(ctx):
    d3 = ctx.npm("d3-celestial")
    st = ctx.debian("stellarium-data")
    with open(d3.path(LINES_JSON), encoding="utf-8") as f:
        lines_json = json.load(f)
    with open(d3.path(NAMES_JSON), encoding="utf-8") as f:
        names_json = json.load(f)
    names = read_names(st.path(NAMES_FAB), st.path(SV_QM))
    missing = [n[0] for n in names if not n[2]]
    if len(names) != 88 or missing:
        raise ValueError(f"{len(names)} constellations, without a Swedish name: {missing}")
    latin = {abbr: lat for abbr, lat, _ in names}
    figures = figure_lines(lines_json)
    n_polylines = sum(len(f["geometry"]["coordinates"]) for f in lines_json["features"])
    bounds = read_boundaries(st.path(BOUNDARIES))
    boundaries = boundary_lines(bounds)
    labels = label_lines(names_json, latin)
    table, shortened = table_lines(names)

    d3_licence = "d3-celestial BSD-3-Clause (© Olaf Frohn)"
    d3_attr = ("d3-celestial by Olaf Frohn (figures after the IAU constellation charts, "
               "with his label positions)")
    st_licence = "stellarium-data GPL-2+; Stellarium's western sky culture CC BY-SA 4.0 + Free Art License"
    rebuild = "constellations"
    return [
        Output("konst.dta", text_file(figures), section(
            "konst.dta", "Constellation figures (stick figures) for the sky chart.",
            [(d3, f"`{LINES_JSON}`")], d3_licence, d3_attr,
            f"{len(figures)} points in {n_polylines} polylines of "
            f"{len(lines_json['features'])} figures (all 88 constellations; Serpens in two "
            "parts).",
            "right ascension (GeoJSON longitude modulo 360, divided by 15) as \"hhmm.m\" "
            "rounded to 0.1 minute, declination as \"±ddmm\" rounded to the minute, blank style "
            "(solid), pen \"p\" at the first point of each polyline and \"d\" at the others.",
            generator=rebuild), len(figures)),
        Output("konstgra.dta", text_file(boundaries), section(
            "konstgra.dta", "Constellation boundaries for the sky chart.",
            [(st, f"`{BOUNDARIES}`")], "stellarium-data GPL-2+; the boundary data (Davenhall "
            "& Leggett 1989, CDS VI/49) are public scientific data.",
            "Catalogue of Constellation Boundary Data, A. C. Davenhall and S. K. Leggett "
            "(1989), as precessed to J2000 and densified by Stellarium.",
            f"{len(boundaries)} points in {len(bounds)} boundary segments (each edge between "
            "two constellations once, so nothing is drawn twice).",
            "the source values (decimal hours and degrees, 7 decimals) unchanged; pen \"p\" at "
            "the first point of each segment and \"d\" at the others; style \"s\" (dotted).",
            generator=rebuild), len(boundaries)),
        Output("konnamn.dta", text_file(labels), section(
            "konnamn.dta", "Constellation name labels for the sky chart (Latin names).",
            [(d3, f"`{NAMES_JSON}` (label points)"),
             (st, f"`{NAMES_FAB}` (Latin names)")], f"{d3_licence}; {st_licence}.",
            f"{d3_attr}; names from Stellarium's western sky culture.",
            f"{len(labels)} labels: the 88 constellations, Serpens twice (\"Serpens Caput\", "
            "\"Serpens Cauda\").",
            "label point as \"hhmm.m\" and \"±ddmm\" as in konst.dta; the Latin (IAU) name in "
            "columns 13-31, as star atlases print them (the Swedish names are in stjabild.dta).",
            generator=rebuild), len(labels)),
        Output("stjabild.dta", text_file(table), section(
            "stjabild.dta", "Constellation abbreviations with Latin and Swedish names, for the "
            "star readout and the data-files window.",
            [(st, f"`{NAMES_FAB}` and `{SV_QM}`")], f"{st_licence}; the Swedish "
            "translations are Stellarium's (GPL-2+).",
            "Stellarium's western sky culture and its Swedish translators.",
            f"{len(table)} constellations, every one with a Swedish name.",
            "abbreviation in columns 1-3, Latin name in 5-23, Swedish name in 25-39, in "
            "abbreviation order. Swedish names longer than the 15 columns have their first "
            "word shortened to an initial: " + "; ".join(shortened) + ".",
            generator=rebuild), len(table)),
    ]
