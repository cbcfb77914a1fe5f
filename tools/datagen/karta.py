"""karta.dta: coastlines, islands and lakes with land and ice marks, for the Earth maps.

Source: the Micro World Data Bank II polygons (CIA; MWDB-POLY) shipped by Debian's
marble-qt-data in usr/share/marble/data/mwdbii/: PCOAST.PNT (continents and the largest
islands), PISLAND.PNT (islands), PLAKE.PNT (lakes), PGLACIER.PNT (ice). Each file is a list of
6-byte little-endian records (int16 header, latitude, longitude in arc minutes); a header of
1000 or more starts a new closed polyline.

Line format (one point a line): columns 1-5 latitude "±dd.d", column 6 pen code, columns
7-12 longitude "±ddd.d" (decimal degrees, north and east positive). Pen codes: "P" starts a
line, " " draws black (coasts and islands), "," draws blue-green (lake shores), "g" is a land
mark and "V" an ice mark: the map floods the dark-blue area around a mark with green or light
grey when the mark lies more than 100 ("g") or 50 ("V") pixels deep on the visible side.

Thinning: points are rounded to the file's 0.1 degree, repeated points dropped, and each ring
simplified by Douglas-Peucker with a tolerance of 0.1 degree (measured on the sphere), about
half a pixel at the Earth map's globe radius of 310 pixels. Rings left with fewer than three
points (islands and lakes smaller than about 0.2 degree) are dropped. That turns about 125 000
source points into about 17 400 lines.

Marks. A flood fill that starts outside the drawn coastline floods the whole ocean, so a mark
must stay inside the coastline as the globe draws it, also when the land is seen obliquely:
at a depth d the globe shrinks distances towards the rim by d/R, so a mark that lies c degrees
inside the coast is at least c * (pi R / 180) * d / R pixels inside on screen. With R = 310
the marks keep 1.6 pixels from every drawn line at the smallest depth at which they fill:
"g" (d > 100) at least 0.9 degree inside coasts and lake shores, "V" (d > 50) at least 1.8
degrees. Islands narrower than that get no mark and are drawn as outlines. The "G" mark (fills
from 10 pixels deep, where land is foreshortened thirty-fold) would need more than 10 degrees
and is not used. Candidates, checked against the rings as written (inside the land ring,
outside every lake, with the clearance above) and rounded to 0.1 degree:
- the pole of inaccessibility of every landmass (the interior point farthest from its coast);
- a 4-degree grid of points, so that a large landmass seen partly has a mark in view.
A landmass that ice covers for at least half its area (Antarctica, Greenland, by the ice
polygons) gets "V" marks, placed inside the ice; the others get "g". Order in the file:
coasts, islands, lakes (drawn before any fill, so that a fill stops at lake shores and lakes
stay dark blue), then the "g" and the "V" marks (ice last, grey over green).
"""
import math
import struct

from . import geo
from .sources import Output, section
from .textout import columns, text_file

OUTPUTS = ["karta.dta"]

MWDB = "usr/share/marble/data/mwdbii"
TOLERANCE_DEG = 0.1        # Douglas-Peucker tolerance
ICE_FRACTION = 0.5         # share of ice that turns land marks into ice marks
GRID_STEP_DEG = 4.0
LAND_CLEARANCE_DEG = 0.9   # 1.6 px at depth 100 on the 310-pixel globe
ICE_CLEARANCE_DEG = 1.8    # 1.6 px at depth 50


def tenths(arcmin):
    """Arc minutes to tenths of a degree, rounded half to even (integer arithmetic)."""
    q, r = divmod(arcmin, 6)
    if r > 3 or (r == 3 and q % 2 == 1):
        q += 1
    return q


def read_pnt(path):
    """Closed rings of a MWDB-POLY .PNT file as lists of (lat10, lon10) integer tenths of a
    degree, consecutive repeats and the closing repeat removed."""
    data = path.read_bytes()
    rings = []
    for i in range(len(data) // 6):
        head, lat, lon = struct.unpack_from("<hhh", data, 6 * i)
        if head >= 1000 or not rings:
            rings.append([])
        p = (tenths(lat), tenths(lon))
        if not rings[-1] or rings[-1][-1] != p:
            rings[-1].append(p)
    out = []
    for r in rings:
        if len(r) > 1 and r[-1] == r[0]:
            r = r[:-1]
        out.append(r)
    return out


def deg_text(t10, width):
    """Tenths of a degree as "±d.d" text right-aligned in `width`."""
    sign = "-" if t10 < 0 else ""
    a = abs(t10)
    return f"{sign}{a // 10}.{a % 10}".rjust(width)


def point_line(lat10, lon10, code):
    return columns((1, 5, deg_text(lat10, 5)), (6, 1, code), (7, 6, deg_text(lon10, 6)),
                   keep_trailing=True)


def simplified(rings10):
    """Simplified rings as lists of (lat10, lon10); rings under three points dropped."""
    out = []
    for r in rings10:
        pts = [(a / 10.0, b / 10.0) for a, b in r]
        s = geo.simplify_ring(pts, TOLERANCE_DEG) if len(pts) >= 4 else pts
        if len(s) >= 3:
            out.append([(round(a * 10), round(b * 10)) for a, b in s])
    return out


def as_ring(r10):
    return geo.Ring([(a / 10.0, b / 10.0) for a, b in r10])


def grid_points():
    """The grid: rows every GRID_STEP_DEG of latitude from half a step off the south pole,
    each with points about GRID_STEP_DEG apart along the row, in a fixed order."""
    pts = []
    rows = round(180.0 / GRID_STEP_DEG)
    for j in range(rows):
        lat = -90.0 + (j + 0.5) * GRID_STEP_DEG
        n = max(1, round(360.0 * math.cos(math.radians(lat)) / GRID_STEP_DEG))
        for i in range(n):
            pts.append((lat, -180.0 + (i + 0.5) * 360.0 / n))
    return pts


class Marker:
    """Places the marks of one landmass, checked against the rings as written."""

    def __init__(self, land, lakes, ice=(), clearance=0.0):
        self.land = land
        self.lakes = [k for k in lakes if _near(k, land)]
        self.ice = list(ice)
        self.clearance = clearance

    def valid(self, lat, lon):
        """Inside the land (and the ice, for ice marks), outside every lake, and at least
        the clearance away from the coast and the lake shores."""
        c = self.clearance
        if not self.land.contains(lat, lon) or self.land.clearance_deg(lat, lon, c) < c:
            return False
        if self.ice and not any(g.contains(lat, lon) for g in self.ice):
            return False
        for k in self.lakes:
            if k.contains(lat, lon) or k.clearance_deg(lat, lon, c) < c:
                return False
        return True

    def rounded(self, lat, lon):
        """(lat10, lon10) of (lat, lon) rounded to 0.1 degree when that point is valid, else
        of the first valid one of its eight neighbours, else None."""
        la, lo = round(lat * 10), round(lon * 10)
        for dla, dlo in ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1), (1, 1), (1, -1), (-1, 1),
                         (-1, -1)):
            a, b = la + dla, lo + dlo
            if b > 1800:
                b -= 3600
            if b < -1800:
                b += 3600
            if abs(a) < 900 and self.valid(a / 10.0, b / 10.0):
                return a, b
        return None


def _near(a, b):
    return geo.angle_deg(_centre_latlon(a), _centre_latlon(b)) < (a.reach + b.reach) / geo.D2R + 2.0


def _centre_latlon(ring):
    c = ring.centre
    return (math.degrees(math.asin(max(-1.0, min(1.0, c[2])))), math.degrees(math.atan2(c[1], c[0])))


def build(root):
    """(lines, counts) of karta.dta from the unpacked marble-qt-data tree `root`."""
    base = root / MWDB
    src = {n: read_pnt(base / f"{n}.PNT") for n in ("PCOAST", "PISLAND", "PLAKE", "PGLACIER")}
    coast = simplified(src["PCOAST"])
    islands = simplified(src["PISLAND"])
    lakes = simplified(src["PLAKE"])
    ice = simplified(src["PGLACIER"])

    lines = []
    for rings, code in ((coast, " "), (islands, " "), (lakes, ",")):
        for r in rings:
            lines.append(point_line(*r[0], "P"))
            lines.extend(point_line(a, b, code) for a, b in r[1:])
            lines.append(point_line(*r[0], code))
    n_line_points = len(lines)

    lake_rings = [as_ring(r) for r in lakes]
    ice_rings = [as_ring(r) for r in ice]
    grid = grid_points()
    marks = {"g": [], "V": []}
    n_icy = n_marked = 0
    for r10 in coast + islands:
        land = as_ring(r10)
        own_ice = [g for g in ice_rings if _near(g, land)
                   and (land.contains(*g.points[0]) or land.contains(*_centre_latlon(g)))]
        icy = sum(g.area_km2() for g in own_ice) >= ICE_FRACTION * land.area_km2()
        if icy:
            m, code = Marker(land, lake_rings, own_ice, ICE_CLEARANCE_DEG), "V"
        else:
            m, code = Marker(land, lake_rings, (), LAND_CLEARANCE_DEG), "g"
        lat, lon, clear = land.pole_of_inaccessibility(keep_out=m.lakes)
        if clear < m.clearance:
            continue
        found = []
        for lat, lon in [(lat, lon)] + [p for p in grid if land.contains(*p)]:
            if m.valid(lat, lon):
                p = m.rounded(lat, lon)
                if p and p not in found:
                    found.append(p)
        marks[code].extend(found)
        n_marked += bool(found)
        n_icy += bool(found) and icy
    for code in ("g", "V"):
        lines.extend(point_line(a, b, code) for a, b in marks[code])
    counts = {
        "source_points": sum((base / f"{n}.PNT").stat().st_size // 6
                             for n in ("PCOAST", "PISLAND", "PLAKE")),
        "coast": len(coast), "islands": len(islands), "lakes": len(lakes),
        "islands_dropped": len(src["PISLAND"]) - len(islands),
        "lakes_dropped": len(src["PLAKE"]) - len(lakes),
        "line_points": n_line_points, "marked": n_marked, "icy": n_icy,
        "g": len(marks["g"]), "V": len(marks["V"]),
    }
    return lines, counts


def generate(ctx):
    pkg = ctx.debian("marble-qt-data")
    lines, c = build(pkg.root)
    text = section(
        "karta.dta",
        "Coastlines, islands and lake shores with generated land and ice marks, for the Earth "
        "map, the Sun-position map and the day/night view.",
        [(pkg, f"`{MWDB}/PCOAST.PNT`, `PISLAND.PNT`, `PLAKE.PNT`, `PGLACIER.PNT`")],
        "Micro World Data Bank II: US government work, public domain; packaged in "
        "marble-qt-data (LGPL-2.1+).",
        "Micro World Data Bank II (\"MWDB-POLY\"), CIA; Global Associates, Ltd.; Fred "
        "Pospeschil and Antonio Rivera, as distributed with KDE Marble.",
        f"{len(lines)} lines: {c['line_points']} coastline points in {c['coast']} coast, "
        f"{c['islands']} island and {c['lakes']} lake rings (from {c['source_points']} source "
        f"points; {c['islands_dropped']} islands and {c['lakes_dropped']} lakes smaller than "
        f"about 0.2 degree dropped), then {c['g']} \"g\" and {c['V']} \"V\" marks on "
        f"{c['marked']} landmasses ({c['icy']} of them icy).",
        "points rounded to 0.1 degree, repeats dropped, each ring simplified by "
        f"Douglas-Peucker with a {TOLERANCE_DEG} degree tolerance (about half a pixel on the "
        "310-pixel globe) and closed by repeating its first point. Coasts and islands are "
        "drawn black (\"P\", \" \"), lake shores blue-green (\",\") before the marks, so "
        "that the green flood fill stops at them and lakes stay dark blue. Rivers and borders "
        "are not included; the ice polygons only place the ice marks.",
        standin="the source has no land or ice fill points, so the marks are generated: at "
        "the pole of inaccessibility of each landmass and on a "
        f"{GRID_STEP_DEG:g}-degree grid, each inside its land ring as written, outside every "
        f"lake and at least {LAND_CLEARANCE_DEG} degree (\"g\") or {ICE_CLEARANCE_DEG} degrees "
        "(\"V\", inside the ice of landmasses that ice covers for at least half their area) "
        "from every drawn line, which keeps a fill from starting outside the coastline even "
        "where the globe foreshortens the land; narrower islands stay unfilled outlines. No "
        "\"G\" marks: they fill from 10 pixels deep, where that margin would have to exceed "
        "10 degrees.",
        generator="karta")
    return [Output("karta.dta", text_file(lines), text, len(lines))]
