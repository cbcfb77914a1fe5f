"""Readers of the sources of the star generators (standard library only):

* Stellarium's star catalogue (stellarium-data, usr/share/stellarium/stars/default/): the
  binary zone catalogues stars_N_*.cat, spectral types, component letters, cross
  identifications, Hipparcos proper motions, the WDS and GCVS parts and the discoverer names;
* KStars' stars.dat (kstars-data, usr/share/kstars/): Hipparcos/Tycho V and B-V to 0.01 mag;
* xplanet's BSC (xplanet, usr/share/xplanet/stars/BSC): the Bright Star Catalogue, 5th ed.

Binary catalogue (little-endian). Header: 8 uint32 (magic 0x835f040a, type 0/1/2 = Star1 28 B,
Star2 10 B, Star3 6 B, major, minor, level, mag_min in millimag (signed), mag_range, mag_steps),
then 20 * 4**level uint32 zone sizes, then the records zone by zone. A zone is a triangle of the
icosahedron subdivided `level` times; a star's position is

    n(center + scale * (x0 * axis0 + x1 * axis1))

with axis0 = n(north x center), axis1 = center x axis0 and `scale` fixed per file (the largest
tangent-plane extent over all zones divided by the largest position integer). The positions
are J2000.0, equinox and epoch (checked against Hipparcos: Sirius 101.287155 -16.716116).
Proper motions dx0, dx1 are in 0.1 mas/yr along axis0 and axis1 (they move the unnormalized
point). Decoded so, they agree with Hipparcos (hip_pm.dat) to 0.9 mas/yr (median) at level 2
and 1.4 at level 1, but only to about 5 mas/yr at level 0, whose zones are large: the
generators take hip_pm.dat for every HIP star and the decoded motion for the others (Tycho-2
and NOMAD stars, levels 2 and 3).
"""
import dataclasses
import math
import re
import struct

MAGIC = 0x835F040A
STAR_SIZES = {0: 28, 1: 10, 2: 6}
MAX_POS = {0: (1 << 31) - 1, 1: (1 << 19) - 1, 2: (1 << 17) - 1}


def _norm(v):
    r = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])
    return (v[0] / r, v[1] / r, v[2] / r)


def _add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def _sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def _dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def _cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def _scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


_G = (1 + math.sqrt(5)) / 2
_B = 1 / math.sqrt(1 + _G * _G)
_A = _B * _G
_CORNERS = [(_A, -_B, 0), (_A, _B, 0), (-_A, _B, 0), (-_A, -_B, 0), (0, _A, -_B), (0, _A, _B),
            (0, -_A, _B), (0, -_A, -_B), (-_B, 0, _A), (_B, 0, _A), (_B, 0, -_A), (-_B, 0, -_A)]
_TRIANGLES = [(1, 0, 10), (0, 1, 9), (0, 9, 6), (9, 8, 6), (0, 7, 10), (6, 7, 0), (7, 6, 3),
              (6, 8, 3), (11, 10, 7), (7, 3, 11), (3, 2, 11), (2, 3, 8), (10, 11, 4), (2, 4, 11),
              (5, 4, 2), (2, 8, 5), (4, 1, 10), (4, 5, 1), (5, 9, 1), (8, 9, 5)]


def _triangles(level):
    """The 20 * 4**level triangles of a level, in zone order."""
    tris = [tuple(_CORNERS[i] for i in t) for t in _TRIANGLES]
    for _ in range(level):
        nxt = []
        for c0, c1, c2 in tris:
            e0 = _norm(_add(c1, c2))
            e1 = _norm(_add(c2, c0))
            e2 = _norm(_add(c0, c1))
            nxt += [(c0, e2, e1), (e2, c1, e0), (e1, e0, c2), (e0, e1, e2)]
        tris = nxt
    return tris


@dataclasses.dataclass(frozen=True)
class ZoneGeometry:
    center: tuple
    axis0: tuple
    axis1: tuple


def _geometry(level, kind):
    """(zones, scale) of a file of this level and star type."""
    north = (0.0, 0.0, 1.0)
    zones = []
    extent = 0.0
    for c0, c1, c2 in _triangles(level):
        center = _norm(_add(_add(c0, c1), c2))
        axis0 = _norm(_cross(north, center))
        axis1 = _cross(center, axis0)
        zones.append(ZoneGeometry(center, axis0, axis1))
        for c in (c0, c1, c2):
            d = _sub(c, center)
            mu0, mu1 = _dot(d, axis0), _dot(d, axis1)
            h = 1.0 - mu0 * mu0 - mu1 * mu1
            extent = max(extent, max(abs(mu0), abs(mu1)) / math.sqrt(h))
    return zones, extent / MAX_POS[kind]


@dataclasses.dataclass(slots=True)
class Star:
    """One decoded star. ra, dec in degrees (J2000); v and bv in magnitudes; pm in mas/yr
    (pm_ra is mu_alpha * cos(delta)); hip 0 = none; sp the MK type text ("" = none)."""
    ra: float
    dec: float
    v: float
    bv: float
    pm_ra: float
    pm_dec: float
    hip: int
    component: int
    sp: str
    level: int
    bv_kstars: bool = False   # B-V taken from KStars (see StarTable._refine)


def _signed(value, bits):
    return value - (1 << bits) if value & (1 << (bits - 1)) else value


def read_catalogue(path, spectral=None):
    """Yields the Star of every record of one stars_N_*.cat file, in file order. `spectral` is
    the list of MK types by index (spectral_types()), used for Star1 records."""
    with open(path, "rb") as f:
        data = f.read()
    magic, kind, _major, _minor, level, mag_min, mag_range, mag_steps = struct.unpack_from(
        "<IIIIIiII", data, 0)
    if magic != MAGIC or kind not in STAR_SIZES:
        raise ValueError(f"{path}: not a Stellarium star catalogue")
    nzones = 20 * 4 ** level
    sizes = struct.unpack_from(f"<{nzones}I", data, 32)
    size = STAR_SIZES[kind]
    offset = 32 + 4 * nzones
    if offset + sum(sizes) * size != len(data):
        raise ValueError(f"{path}: zone sizes do not match the file size")
    zones, scale = _geometry(level, kind)
    for zone, count in zip(zones, sizes):
        for _ in range(count):
            rec = data[offset:offset + size]
            offset += size
            if kind == 0:
                hipc, x0, x1, bv, mag, sp_int, dx0, dx1, _plx = struct.unpack("<IiiBBHiii", rec)
                hip, comp = hipc & 0xFFFFFF, hipc >> 24
                sp = spectral[sp_int] if spectral and sp_int < len(spectral) else ""
            elif kind == 1:
                bits = int.from_bytes(rec, "little")
                x0 = _signed(bits & 0xFFFFF, 20)
                x1 = _signed((bits >> 20) & 0xFFFFF, 20)
                dx0 = _signed((bits >> 40) & 0x3FFF, 14)
                dx1 = _signed((bits >> 54) & 0x3FFF, 14)
                bv = (bits >> 68) & 0x7F
                mag = (bits >> 75) & 0x1F
                hip = comp = 0
                sp = ""
            else:
                bits = int.from_bytes(rec, "little")
                x0 = _signed(bits & 0x3FFFF, 18)
                x1 = _signed((bits >> 18) & 0x3FFFF, 18)
                bv = (bits >> 36) & 0x7F
                mag = (bits >> 43) & 0x1F
                dx0 = dx1 = hip = comp = 0
                sp = ""
            v = _add(zone.center, _add(_scale(zone.axis0, scale * x0),
                                       _scale(zone.axis1, scale * x1)))
            length = math.sqrt(_dot(v, v))
            p = _scale(v, 1.0 / length)
            ra = math.degrees(math.atan2(p[1], p[0])) % 360.0
            dec = math.degrees(math.asin(max(-1.0, min(1.0, p[2]))))
            # Proper motion: dx0*axis0 + dx1*axis1 (0.1 mas/yr) onto east and north.
            # The motion moves the unnormalized point v, so the motion of p is its part
            # across the line of sight divided by |v|.
            m = _add(_scale(zone.axis0, dx0 / 10.0 / length),
                     _scale(zone.axis1, dx1 / 10.0 / length))
            east = _norm((-p[1], p[0], 0.0)) if abs(p[2]) < 1.0 else (0.0, 1.0, 0.0)
            northv = _cross(p, east)
            yield Star(ra, dec, (mag_min + mag * mag_range / mag_steps) / 1000.0,
                       bv * 4.0 / 127.0 - 0.5, _dot(m, east), _dot(m, northv), hip, comp, sp,
                       level)


def spectral_types(path):
    """The MK types of stars_hip_sp_*.cat by index (index 0 is the empty line = none)."""
    with open(path, "rb") as f:
        return f.read().decode("latin-1").split("\n")


def _data_lines(path, encoding="utf-8"):
    with open(path, encoding=encoding) as f:
        for line in f:
            line = line.rstrip("\r\n")
            if line.strip() and not line.startswith("#"):
                yield line


def cross_ids(path):
    """cross-id.dat rows as (hip, component, sao, hd, hr), 0 = none; component is "" or a
    letter ("A", "B") for the 70 Hipparcos entries split into components."""
    rows = []
    for line in _data_lines(path):
        cols = line.split("\t")
        cols += [""] * (5 - len(cols))
        rows.append((int(cols[0]), cols[1].strip()) +
                    tuple(int(c) if c.strip() else 0 for c in cols[2:5]))
    return rows


def component_letters(path):
    """stars_hip_cids_*.cat: the component letter by index (index 0 = none)."""
    with open(path, "rb") as f:
        return f.read().decode("latin-1").split("\n")


def proper_motions(path):
    """hip_pm.dat: {hip: (pmRA, pmDE)} in mas/yr (pmRA = mu_alpha * cos delta)."""
    out = {}
    for line in _data_lines(path):
        cols = line.split()
        out.setdefault(int(cols[0]), (float(cols[1]), float(cols[2])))
    return out


# --- KStars stars.dat (Hipparcos/Tycho, V and B-V to 0.01 mag) -------------------------------

@dataclasses.dataclass
class KStar:
    """One star of KStars' stars.dat: ra, dec J2000 degrees; pm mas/yr (pm_ra = mu_alpha cos
    delta); v, bv magnitudes (bv None when blank); sp the two-character type."""
    ra: float
    dec: float
    pm_ra: float
    pm_dec: float
    v: float
    bv: object
    sp: str


def kstars_stars(path):
    """The stars of usr/share/kstars/stars.dat. Line layout (0-based byte columns):
    0-8 RA hhmmss.ss, 10-18 Dec sddmmss.s, 20-28 pmRA, 29-37 pmDec (mas/yr), 38-44 parallax,
    45-50 V, 51-55 B-V, 56-57 spectral type."""
    out = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("#") or len(line) < 58:
                continue
            ra = (int(line[0:2]) + int(line[2:4]) / 60 + float(line[4:9]) / 3600) * 15
            sign = -1 if line[10] == "-" else 1
            dec = sign * (int(line[11:13]) + int(line[13:15]) / 60 + float(line[15:19]) / 3600)
            bv_text = line[51:56].strip()
            out.append(KStar(ra, dec, float(line[20:29]), float(line[29:38]),
                             float(line[45:51]), float(bv_text) if bv_text else None,
                             line[56:58].strip()))
    return out


class PositionIndex:
    """Finds the stars of a list near a position: cells of 0.1 degree in declination and
    in right ascension times cos(dec)."""

    CELL = 0.1

    def __init__(self, stars):
        self.stars = stars
        self.cells = {}
        for i, s in enumerate(stars):
            self.cells.setdefault(self._key(s.ra, s.dec), []).append(i)

    def _key(self, ra, dec):
        d = math.floor((dec + 90) / self.CELL)
        n = max(1, int(360 * math.cos(math.radians(min(89.9, abs(dec) + self.CELL))) / self.CELL))
        return d, int(ra / 360 * n) % n, n

    def near(self, ra, dec, radius_arcsec):
        """(separation in arcsec, star) of every star within radius_arcsec (< 0.1 degree)."""
        out = []
        seen = set()
        for dd in (-self.CELL, 0, self.CELL):
            for dr in (-1, 0, 1):
                dec2 = max(-90.0, min(90.0, dec + dd))
                d, r, n = self._key(ra, dec2)
                for i in self.cells.get((d, (r + dr) % n, n), ()):
                    if i in seen:
                        continue
                    seen.add(i)
                    s = self.stars[i]
                    sep = separation(ra, dec, s.ra, s.dec)
                    if sep <= radius_arcsec:
                        out.append((sep, s))
        out.sort(key=lambda t: t[0])
        return out


def separation(ra1, dec1, ra2, dec2):
    """Angle between two positions in degrees, in arcseconds (haversine)."""
    r1, d1, r2, d2 = map(math.radians, (ra1, dec1, ra2, dec2))
    h = (math.sin((d2 - d1) / 2) ** 2 +
         math.cos(d1) * math.cos(d2) * math.sin((r2 - r1) / 2) ** 2)
    return math.degrees(2 * math.asin(min(1.0, math.sqrt(h)))) * 3600


# --- xplanet BSC ---------------------------------------------------------------------------

@dataclasses.dataclass
class BrightStar:
    """One line of xplanet's BSC: dec (deg), ra (hours), v, the 10-character BSC5 name field
    (cols 1-3 Flamsteed, 4-6 Bayer, 7 index digit, 8-10 constellation), hr, hd, sao (0 =
    none)."""
    dec: float
    ra_hours: float
    v: float
    name: str
    hr: int
    hd: int
    sao: int

    @property
    def flamsteed(self):
        t = self.name[0:3].strip()
        return int(t) if t else 0

    @property
    def bayer(self):
        return self.name[3:7]

    @property
    def constellation(self):
        return self.name[7:10]


_BSC_LINE = re.compile(r'^\s*(-?[\d.]+)\s+([\d.]+)\s+(-?[\d.]+)\s+"(.{10})"\s+(\d+)\s+(\d+)\s+'
                       r'(\d+)\s*$')


def bright_stars(path):
    """The stars of xplanet's usr/share/xplanet/stars/BSC (9096; ValueError on a line that
    does not parse)."""
    out = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            m = _BSC_LINE.match(line)
            if not m:
                raise ValueError(f"{path}: cannot read {line!r}")
            out.append(BrightStar(float(m[1]), float(m[2]), float(m[3]), m[4], int(m[5]),
                                  int(m[6]), int(m[7])))
    return out


# --- Stellarium's double- and variable-star parts --------------------------------------------

@dataclasses.dataclass
class DoubleStar:
    hip: int
    wds: str        # WDS designation "00000+3852"
    year: object    # year of the last observation, None = unknown
    pa: object      # its position angle in degrees, None = unknown
    sep: object     # its separation in arcseconds, None = unknown


def wds_part(path):
    """wds_hip_part.dat: HIP, WDS designation, year, position angle, separation (tab
    separated; -1 = unknown)."""
    out = []
    for line in _data_lines(path):
        c = line.split("\t")
        year, pa, sep = int(c[2]), int(c[3]), float(c[4])
        out.append(DoubleStar(int(c[0]), c[1].strip(), None if year < 0 else year,
                              None if pa < 0 else pa, None if sep < 0 else sep))
    return out


def hip_names(path):
    """name.fab or extra_name.fab (`HIP|name`): {hip: [names in file order]}, the
    underscores of the file turned into blanks."""
    out = {}
    for line in _data_lines(path):
        hip, _, name = line.partition("|")
        out.setdefault(int(hip), []).append(name.strip().replace("_", " "))
    return out


@dataclasses.dataclass
class Variable:
    hip: int
    name: str          # GCVS name, "R And", "V0335 Sgr", "del Cep"
    type: str
    max: object        # magnitude or None
    amplitude: bool    # min1 is an amplitude, not a magnitude
    min1: object
    min2: object
    system: str        # photometric system ("V", "p", "B", ...)
    epoch: object      # JD - 2400000 or None
    period: object     # days or None
    duration: object   # percent or None
    sp: str


def gcvs_part(path):
    """gcvs_hip_part.dat, tab separated: HIP, name, type, max, amplitude flag, min I, min II,
    photometric system, epoch, period, duration, spectral type (meanings as in Stellarium's
    loader)."""
    def num(t):
        t = t.strip()
        return float(t) if t else None
    out = []
    for line in _data_lines(path):
        c = line.split("\t")
        c += [""] * (12 - len(c))
        out.append(Variable(int(c[0]), c[1].strip(), c[2].strip(), num(c[3]),
                            c[4].strip() == "1", num(c[5]), num(c[6]), c[7].strip(), num(c[8]),
                            num(c[9]), num(c[10]), c[11].strip()))
    return out


# --- The joined star table the generators share ------------------------------------------------

STELLARIUM_DIR = "usr/share/stellarium/stars/default/"
STELLARIUM_FILES = ["stars_0_0v0_8.cat", "stars_1_0v0_8.cat", "stars_2_0v0_8.cat",
                    "stars_3_1v0_4.cat"]
KSTARS_STARS = "usr/share/kstars/stars.dat"

# A Stellarium star takes V and B-V from KStars' stars.dat (Hipparcos/Tycho, 0.01 mag instead of
# Stellarium's 0.05- and 0.031-mag steps) when a KStars star lies within MATCH_ARCSEC and its
# V differs by at most MATCH_DV (the nearest in V of those). Stellarium's B-V is stuck at
# -0.03 for many early-type stars (beta Cen: KStars and BSC5 -0.23), so KStars' B-V is taken
# whenever it has one.
MATCH_ARCSEC = 1.0
MATCH_DV = 0.3
KSTARS_FAINTEST = 9.3


class StarTable:
    """Every star of Stellarium's catalogues (levels 0-3) with V and B-V refined from KStars,
    the Hipparcos proper motions and the cross identifications. Built once per run."""

    def __init__(self, stellarium, kstars):
        self.stellarium = stellarium
        self.kstars = kstars
        base = stellarium.path(STELLARIUM_DIR)
        self.spectral = spectral_types(base / "stars_hip_sp_0v0_4.cat")
        self.components = component_letters(base / "stars_hip_cids_0v0_0.cat")
        self.pm = proper_motions(base / "hip_pm.dat")
        self.xid = cross_ids(base / "cross-id.dat")
        self.stars = []
        for name in STELLARIUM_FILES:
            self.stars.extend(read_catalogue(base / name, self.spectral))
        self.counts = {"stellarium": len(self.stars)}
        self._refine(kstars_stars(kstars.path(KSTARS_STARS)))
        # HIP stars: all records of a HIP number (components), brightest first.
        self.by_hip = {}
        for s in self.stars:
            if s.hip:
                self.by_hip.setdefault(s.hip, []).append(s)
        for recs in self.by_hip.values():
            recs.sort(key=lambda s: (s.v, s.component))
        # Cross identifications by (hip, component letter) and by hip (the row without a
        # component, else the first).
        self.ids = {}
        self.ids_hip = {}
        for hip, comp, sao, hd, hr in self.xid:
            self.ids.setdefault((hip, comp), (sao, hd, hr))
            if hip not in self.ids_hip or comp == "":
                self.ids_hip[hip] = (sao, hd, hr)

    def _refine(self, kstars):
        self.kstars_index = index = PositionIndex(kstars)
        nv = nbv = 0
        for s in self.stars:
            if s.v > KSTARS_FAINTEST:
                continue
            near = [(round(abs(k.v - s.v), 6), sep, k)
                    for sep, k in index.near(s.ra, s.dec, MATCH_ARCSEC)
                    if abs(k.v - s.v) <= MATCH_DV]
            if not near:
                continue
            k = min(near, key=lambda t: t[:2])[2]
            s.v = k.v
            nv += 1
            if k.bv is not None:
                s.bv = k.bv
                s.bv_kstars = True
                nbv += 1
        self.counts["refined_v"] = nv
        self.counts["refined_bv"] = nbv

    def component(self, star):
        """Component letter of a Stellarium star ("" = none)."""
        return self.components[star.component] if star.component < len(self.components) else ""

    def identifiers(self, star):
        """(sao, hd, hr) of a HIP star, 0 = none."""
        if not star.hip:
            return (0, 0, 0)
        comp = self.component(star)
        return self.ids.get((star.hip, comp)) or self.ids_hip.get(star.hip, (0, 0, 0))

    def proper_motion(self, star):
        """(pmRA, pmDE) in mas/yr, pmRA = mu_alpha cos delta: Hipparcos (hip_pm.dat) for HIP
        stars, else the catalogue's own motion."""
        if star.hip and star.hip in self.pm:
            return self.pm[star.hip]
        return (star.pm_ra, star.pm_dec)

    def primary(self, hip):
        """The brightest record of a HIP number, or None."""
        recs = self.by_hip.get(hip)
        return recs[0] if recs else None


_TABLES = {}


def star_table(ctx):
    """The StarTable of the packages of `ctx` (built on first use, then shared)."""
    stellarium = ctx.debian("stellarium-data")
    kstars = ctx.debian("kstars-data")
    key = (stellarium.root, kstars.root)
    if key not in _TABLES:
        _TABLES[key] = StarTable(stellarium, kstars)
    return _TABLES[key]


# --- Record helpers ------------------------------------------------------------------------------

def int16(value, scale=100):
    """round(value * scale) clamped to the int16 range (ties to even, as Python's round)."""
    return max(-32768, min(32767, round(value * scale)))


def chars(text, width):
    """A fixed character field: Windows-1252, blank-padded, cut to `width`."""
    from .textout import transliterate
    return transliterate(text)[:width].ljust(width).encode("cp1252")


def zone_files(records, directory, zone_count, digits):
    """{file name: bytes} of a zone set: `records` is an iterable of (zone, sort key, record
    bytes); each zone's records are sorted by the key. Every zone file exists (empty zones
    give empty files)."""
    zones = {z: [] for z in range(1, zone_count + 1)}
    for zone, key, data in records:
        zones[zone].append((key, data))
    out = {}
    for z in range(1, zone_count + 1):
        zones[z].sort(key=lambda t: t[0])
        out[f"{directory}/{z:0{digits}d}.dat"] = b"".join(d for _, d in zones[z])
    return out


def catalog_outputs(files, record_size, section, catalog):
    """The sources.Output list of a zone set (`files` in zone order): the first file carries
    the catalog's section of data/SOURCES.md, the others an empty one (make-data then writes
    no section for them)."""
    from .sources import Output
    out = []
    for i, (name, data) in enumerate(files.items()):
        if len(data) % record_size:
            raise ValueError(f"{name}: {len(data)} bytes is not a whole number of records")
        out.append(Output(name, data, section if i == 0 else "", len(data) // record_size))
    return out
