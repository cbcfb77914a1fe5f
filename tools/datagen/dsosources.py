"""Readers of the sources of the deep-sky generators (standard library only), shared by ngc.py,
rc3.py, pgc.py, sac.py, gpn.py, lbn.py, ocl.py, gcm.py and objnamn.py:

* Stellarium's deep-sky catalogue (stellarium-data, usr/share/stellarium/nebulae/default/):
  catalog.dat, the objects with their cross identifications, and names.dat, their proper
  names; Swedish names from translations/stellarium-skycultures/sv.qm;
* OpenNGC as KStars ships it (kstars-data, usr/share/kstars/OpenNGC.kscat, SQLite): every NGC
  and IC number, including the objects that do not exist and the duplicate entries;
* KStars' constellation boundaries (kstars-data, usr/share/kstars/cbounds.dat) for the
  constellation of a position, with the abbreviations of Stellarium's western sky culture.

catalog.dat (gzip or plain; Qt QDataStream, big-endian). A header of two QStrings (version,
edition; a QString is a uint32 byte length, 0xFFFFFFFF = null, then UTF-16BE), then per object:
uint32 id; double ra, dec (radians, J2000.0); double bMag, vMag (99 = none); uint32 type;
QString morphological type; double major and minor axis (degrees, 0 = none); int32 position
angle (degrees); double z, z error (99 = none), parallax, parallax error, distance, distance
error (kpc, 0 = none); uint32 NGC, IC, M, C, B, Sh2, vdB, RCW, LDN, LBN, Cr, Mel, PGC, UGC
(0 = none); QString Ced; uint32 Arp, VV; QString PK, PN G, SNR G, ACO, HCG, ESO, vdBH; uint32
DWB, Tr, St, Ru, vdBHa. Object types as in Stellarium's Nebula class: 0 galaxy, 1 active
galaxy, 2 radio galaxy, 3 interacting galaxy, 4 quasar, 5 star cluster, 6 open cluster,
7 globular cluster, 8 stellar association, 9 star cloud, 10 nebula, 11 planetary nebula, 12 dark
nebula, 13 reflection nebula, 14 bipolar nebula, 15 emission nebula, 16 cluster with
nebulosity, 17 HII region, 18 supernova remnant, 19 interstellar matter, 20 emission object,
21 BL Lac object, 22 blazar, 23 molecular cloud, 24 young stellar object, 25 possible quasar,
26 possible planetary nebula, 27 protoplanetary nebula, 28 star, 29 symbiotic star,
30 emission-line star, 31 supernova candidate, 32 supernova remnant candidate, 33 cluster of
galaxies, 34 part of a galaxy, 35 region of the sky, 36 unknown.

OpenNGC.kscat: table `cat` (type, ra, dec in degrees J2000, magnitude, name, long_name,
catalog_identifier "NGC0224"/"IC0001"/"NGC0078A", major_axis, minor_axis in arcminutes,
position_angle in degrees) with KStars' object types: 0 star, 3 open cluster, 4 globular,
5 gaseous nebula, 6 planetary nebula, 7 supernova remnant, 8 galaxy, 13 asterism, 14 cluster
of galaxies, 17 multiple star, 255 not an object (OpenNGC's non-existent and duplicate
entries). Its magnitude is OpenNGC's B when OpenNGC has one, else V (for the 10 500 objects it
shares with Stellarium it equals Stellarium's B in 9 500 cases and its V in 150).
"""
import dataclasses
import gzip
import math
import pathlib
import re
import sqlite3
import struct
import unicodedata

from . import geo, qm, textout

NEBULAE_DIR = "usr/share/stellarium/nebulae/default/"
CATALOG = NEBULAE_DIR + "catalog.dat"
NAMES = NEBULAE_DIR + "names.dat"
SWEDISH = "usr/share/stellarium/translations/stellarium-skycultures/sv.qm"
CONSTELLATION_NAMES = "usr/share/stellarium/skycultures/western/constellation_names.eng.fab"
OPENNGC = "usr/share/kstars/OpenNGC.kscat"
CBOUNDS = "usr/share/kstars/cbounds.dat"

# Cross-identification fields of catalog.dat in file order, with their kind.
NUMBER_IDS_1 = ["NGC", "IC", "M", "C", "B", "Sh2", "VdB", "RCW", "LDN", "LBN", "Cr", "Mel",
                "PGC", "UGC"]
TEXT_IDS = ["PK", "PNG", "SNRG", "ACO", "HCG", "ESO", "VdBH"]
NUMBER_IDS_2 = ["DWB", "Tr", "St", "Ru", "VdBHa"]

# How each designation is written ("NGC 224", "Sh2-281", "PK 063+13.1").
PREFIX_TEXT = {
    "NGC": "NGC ", "IC": "IC ", "M": "M ", "C": "C ", "B": "B ", "Sh2": "Sh2-", "VdB": "vdB ",
    "RCW": "RCW ", "LDN": "LDN ", "LBN": "LBN ", "Cr": "Cr ", "Mel": "Mel ", "PGC": "PGC ",
    "UGC": "UGC ", "Ced": "Ced ", "Arp": "Arp ", "VV": "VV ", "PK": "PK ", "PNG": "PN G",
    "SNRG": "SNR G", "ACO": "Abell ", "HCG": "HCG ", "ESO": "ESO ", "VdBH": "vdBH ",
    "DWB": "DWB ", "Tr": "Tr ", "St": "St ", "Ru": "Ru ", "VdBHa": "vdBHa ",
}

# Stellarium object types by group.
GALAXY_TYPES = {0, 1, 2, 3, 4}
OPEN_CLUSTER_TYPES = {5, 6, 16}
GLOBULAR = 7


@dataclasses.dataclass(slots=True)
class Dso:
    """One object of Stellarium's catalogue. ra, dec in degrees (J2000); b, v magnitudes or
    None; major and minor axis in arcminutes (0 = none); pa in degrees as stored; z and
    distance (kpc) or None; ids {field: value} of the cross identifications it has."""
    id: int
    ra: float
    dec: float
    b: object
    v: object
    type: int
    morph: str
    major: float
    minor: float
    pa: int
    z: object
    distance: object
    ids: dict

    @property
    def mag(self):
        """(magnitude, is_blue): V, else B, else (None, False)."""
        if self.v is not None:
            return self.v, False
        if self.b is not None:
            return self.b, True
        return None, False

    def designation(self, field):
        """"NGC 224" style text of one cross identification, or ""."""
        value = self.ids.get(field)
        if value in (None, 0, ""):
            return ""
        return PREFIX_TEXT[field] + str(value)

    def has_pa(self):
        """Whether the stored position angle means something: the object has two axes and is
        elongated (Stellarium writes 0 or 90 for round objects and for unknown angles)."""
        return self.major > 0 and 0 < self.minor < self.major


def read_catalog(path):
    """The objects of Stellarium's catalog.dat (gzip or plain), in file order, and the
    (version, edition) of the file. ValueError when the parse does not end at the end of the
    file."""
    with open(path, "rb") as f:
        raw = f.read()
    data = gzip.decompress(raw) if raw[:2] == b"\x1f\x8b" else raw
    pos = 0

    def qstring():
        nonlocal pos
        n, = struct.unpack_from(">I", data, pos)
        pos += 4
        if n == 0xFFFFFFFF:
            return ""
        text = data[pos:pos + n].decode("utf-16-be")
        pos += n
        return text

    def unpack(fmt):
        nonlocal pos
        values = struct.unpack_from(fmt, data, pos)
        pos += struct.calcsize(fmt)
        return values

    version, edition = qstring(), qstring()
    objects = []
    while pos < len(data):
        oid, ra, dec, bmag, vmag, otype = unpack(">IddddI")
        morph = qstring()
        major, minor, pa, z, _zerr, _plx, _plxerr, dist, _disterr = unpack(">ddidddddd")
        numbers = unpack(">" + "I" * len(NUMBER_IDS_1))
        ced = qstring()
        arp, vv = unpack(">II")
        texts = [qstring() for _ in TEXT_IDS]
        numbers2 = unpack(">" + "I" * len(NUMBER_IDS_2))
        ids = {}
        for k, v in zip(NUMBER_IDS_1, numbers):
            if v:
                ids[k] = v
        if ced.strip():
            ids["Ced"] = ced.strip()
        if arp:
            ids["Arp"] = arp
        if vv:
            ids["VV"] = vv
        for k, v in zip(TEXT_IDS, texts):
            if v.strip():
                ids[k] = v.strip()
        for k, v in zip(NUMBER_IDS_2, numbers2):
            if v:
                ids[k] = v
        objects.append(Dso(
            oid, math.degrees(ra) % 360.0, math.degrees(dec),
            None if bmag >= 99 else bmag, None if vmag >= 99 else vmag, otype, morph.strip(),
            major * 60.0, minor * 60.0, pa, None if z >= 99 else z,
            dist if dist > 0 else None, ids))
    if pos != len(data):
        raise ValueError(f"{path}: the parse ended at {pos} of {len(data)} bytes")
    return objects, (version, edition)


# --- OpenNGC (KStars) ----------------------------------------------------------------------------

@dataclasses.dataclass(slots=True)
class OpenNgc:
    """One row of OpenNGC.kscat. key ("NGC", 224); suffix "" for the object itself, "A",
    "B", " NED01" for its parts; ktype KStars' type; ra, dec degrees; mag (B else V) or None;
    name ("M 31"), aliases (long_name); major, minor arcmin or None; pa or None."""
    key: tuple
    suffix: str
    ktype: int
    ra: float
    dec: float
    mag: object
    name: str
    aliases: str
    major: object
    minor: object
    pa: object


_IDENT = re.compile(r"^(NGC|IC)(\d+)(.*)$")


def read_openngc(path):
    """The NGC and IC rows of KStars' OpenNGC.kscat, sorted by designation; and the
    catalogue's licence and source texts from its `catalogs` table."""
    con = sqlite3.connect(pathlib.Path(path).resolve().as_uri() + "?mode=ro", uri=True)
    try:
        rows = con.execute("SELECT type, ra, dec, magnitude, name, long_name, "
                           "catalog_identifier, major_axis, minor_axis, position_angle "
                           "FROM cat").fetchall()
        meta = con.execute("SELECT name, license, source FROM catalogs").fetchone()
    finally:
        con.close()
    out = []
    for t, ra, dec, mag, name, long_name, ident, major, minor, pa in rows:
        m = _IDENT.match(ident or "")
        if not m:
            continue      # M 40 and M 45, which have no NGC or IC number
        out.append(OpenNgc((m[1], int(m[2])), m[3], int(t), float(ra) % 360.0, float(dec),
                           mag, name or "", long_name or "", major, minor, pa))
    out.sort(key=lambda r: (r.key[0], r.key[1], r.suffix))
    return out, meta


# --- Names ---------------------------------------------------------------------------------------

@dataclasses.dataclass(slots=True)
class Name:
    prefix: str      # catalogue as written in names.dat ("NGC", "M", "SH2"; "" = object id)
    ident: str       # identifier in that catalogue ("224", "281", "063+13.1")
    english: str
    refs: str        # the comment with the sources ("WK, SIMBAD")


_NAME_LINE = re.compile(r'_\("(.*)"\)\s*(?:#\s*(.*))?$')

# The names.dat prefixes and the catalog.dat fields they name.
NAME_PREFIX_FIELDS = {
    "NGC": "NGC", "IC": "IC", "M": "M", "C": "C", "B": "B", "SH2": "Sh2", "VDB": "VdB",
    "RCW": "RCW", "LDN": "LDN", "LBN": "LBN", "CR": "Cr", "MEL": "Mel", "PGC": "PGC",
    "UGC": "UGC", "CED": "Ced", "ARP": "Arp", "VV": "VV", "PK": "PK", "PNG": "PNG",
    "SNRG": "SNRG", "ACO": "ACO", "HCG": "HCG", "ESO": "ESO", "VDBH": "VdBH", "DWB": "DWB",
    "TR": "Tr", "ST": "St", "RU": "Ru", "VDBHA": "VdBHa",
}


def read_names(path):
    """The lines of names.dat: columns 1-5 catalogue prefix, 6-20 identifier, then
    _("name") and an optional comment."""
    out = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line.strip() or line.startswith("#"):
                continue
            m = _NAME_LINE.search(line[20:])
            if not m:
                raise ValueError(f"{path}: cannot read {line!r}")
            out.append(Name(line[0:5].strip().upper(), line[5:20].strip(), m[1],
                            (m[2] or "").strip()))
    return out


# Upstream misspellings in Stellarium's Swedish translation.
SWEDISH_FIXES = {"Orionnebulusan": "Orionnebulosan"}


# Greek letters (which Windows-1252 lacks) as the three-letter abbreviations of star names.
GREEK = {"α": "alf", "β": "bet", "γ": "gam", "δ": "del", "ε": "eps", "ζ": "zet", "η": "eta",
         "θ": "tet", "ι": "iot", "κ": "kap", "λ": "lam", "μ": "mu", "ν": "nu", "ξ": "ksi",
         "ο": "omi", "π": "pi", "ρ": "rho", "σ": "sig", "τ": "tau", "υ": "ups", "φ": "phi",
         "χ": "chi", "ψ": "psi", "ω": "ome"}


def clean(text):
    """A name in Windows-1252 with single blanks (Greek letters spelled out: "eps Ori")."""
    text = "".join(GREEK.get(ch, ch) for ch in text)
    return " ".join(textout.transliterate(text).split())


# --- Constellations -------------------------------------------------------------------------------

def _fold(text):
    return "".join(c for c in unicodedata.normalize("NFKD", text)
                   if not unicodedata.combining(c)).lower()


class Constellations:
    """The constellation of a J2000 position, by point-in-polygon on KStars' boundaries
    (cbounds.dat: 89 closed polygons, densified along the IAU boundaries, J2000; Serpens in
    two parts), with the abbreviations of Stellarium's western sky culture."""

    def __init__(self, cbounds_path, names_path):
        abbrev = {}
        with open(names_path, encoding="utf-8") as f:
            for line in f:
                parts = line.split("\t")
                if len(parts) >= 2 and len(parts[0]) == 3:
                    abbrev[_fold(parts[1].strip().strip('"'))] = parts[0]
        self.rings = []
        name, points = None, []
        with open(cbounds_path, encoding="latin-1") as f:
            lines = f.read().splitlines() + [":"]
        for line in lines:
            if line.startswith(":"):
                if name is not None:
                    key = _fold(name)
                    if key.startswith("serpens"):
                        key = "serpens"
                    if key not in abbrev:
                        raise ValueError(f"{cbounds_path}: no abbreviation for {name!r}")
                    self.rings.append((abbrev[key], geo.Ring(points)))
                name, points = line[1:].strip(), []
            elif line.strip():
                ra_h, dec, _flag = line.split()
                points.append((float(dec), float(ra_h) * 15.0))
        if len(self.rings) != 89:
            raise ValueError(f"{cbounds_path}: {len(self.rings)} boundaries, expected 89")
        self._cache = {}

    def of(self, ra_deg, dec_deg):
        """Abbreviation ("And", "CVn") of the constellation holding the position, or "" when
        no boundary holds it (never for the real boundaries, which tile the sky)."""
        key = (round(ra_deg, 6), round(dec_deg, 6))
        hit = self._cache.get(key)
        if hit is None:
            hit = ""
            for abbr, ring in self.rings:
                if ring.contains(dec_deg, ra_deg):
                    hit = abbr
                    break
            self._cache[key] = hit
        return hit


# --- The shared table ----------------------------------------------------------------------------

class DsoTable:
    """Stellarium's objects with their names, OpenNGC's NGC/IC rows and the constellation
    finder. Built once per run (dso_table)."""

    def __init__(self, stellarium, kstars):
        self.stellarium = stellarium
        self.kstars = kstars
        self.objects, self.version = read_catalog(stellarium.path(CATALOG))
        self.by_id = {o.id: o for o in self.objects}
        # Objects by cross identification: (field, value as text) -> [objects].
        self.by_ident = {}
        for o in self.objects:
            for field, value in o.ids.items():
                self.by_ident.setdefault(_ident_key(field, value), []).append(o)
        self.names = read_names(stellarium.path(NAMES))
        self.messages = qm.read_qm(stellarium.path(SWEDISH))
        self.openngc, self.openngc_meta = read_openngc(kstars.path(OPENNGC))
        self.constellations = Constellations(kstars.path(CBOUNDS),
                                             stellarium.path(CONSTELLATION_NAMES))
        # Proper names by object id, in names.dat order.
        self.object_names = {}
        self.unresolved_names = []
        for n in self.names:
            o = self.resolve(n)
            if o is None:
                self.unresolved_names.append(n)
            else:
                self.object_names.setdefault(o.id, []).append(n)
        # OpenNGC's own rows ("NGC0224") by designation.
        self.openngc_main = {r.key: r for r in self.openngc if r.suffix == ""}

    def resolve(self, name):
        """The object a names.dat line names, or None."""
        if name.prefix == "":
            return self.by_id.get(int(name.ident)) if name.ident.isdigit() else None
        field = NAME_PREFIX_FIELDS.get(name.prefix)
        if field is None:
            return None
        ident = name.ident
        if field not in TEXT_IDS and field != "Ced":
            if not ident.isdigit():
                return None
            ident = str(int(ident))
        hits = self.by_ident.get(_ident_key(field, ident))
        return hits[0] if hits else None

    def find(self, field, value):
        """The objects with a cross identification ("NGC", 224), in file order."""
        return self.by_ident.get(_ident_key(field, value), [])

    def swedish(self, english):
        """Stellarium's Swedish translation of a name, or None."""
        sv = qm.translation(self.messages, english)
        if not sv:
            return None
        return SWEDISH_FIXES.get(sv, sv)

    def label(self, obj, width):
        """(name, is_swedish, english) of an object for a label or a description of at most
        `width` characters (english: the name it translates or is), or None when it has no
        name: the first of its names (names.dat order)
        whose Swedish translation fits, else the first English name that fits, else the
        first English name cut after a whole word."""
        names = self.object_names.get(obj.id)
        if not names:
            return None
        for n in names:
            sv = self.swedish(n.english)
            if sv and len(clean(sv)) <= width:
                return clean(sv), clean(sv) != clean(n.english), clean(n.english)
        for n in names:
            if len(clean(n.english)) <= width:
                return clean(n.english), False, clean(n.english)
        # Nothing fits: the English name (shorter words than the Swedish compounds) cut
        # after a whole word.
        english = clean(names[0].english)
        return textout.cut_words(english, width), False, english

    def openngc_pa(self, obj):
        """OpenNGC's position angle of a galaxy that has an NGC or IC number, when OpenNGC
        gives one for the same object (within 1'), else None. Stellarium's own angles disagree
        with the RC3 for many well-known galaxies (M 51: 57 for 163 degrees, M 33: 50 for 23);
        OpenNGC's come from HyperLEDA and agree with the RC3."""
        for field in ("NGC", "IC"):
            if field in obj.ids:
                r = self.openngc_main.get((field, obj.ids[field]))
                if (r is not None and r.pa is not None and r.ktype != 255 and
                        separation_arcsec(r.ra, r.dec, obj.ra, obj.dec) <= 60.0):
                    return int(round(r.pa)) % 180
        return None

    def galaxy_pa(self, obj):
        """Position angle in degrees (0..179) of a galaxy, or None: OpenNGC's for NGC/IC
        galaxies (openngc_pa), else Stellarium's when it means something (Dso.has_pa)."""
        pa = self.openngc_pa(obj)
        if pa is not None:
            return pa
        return obj.pa % 180 if obj.has_pa() else None


def _ident_key(field, value):
    """Index key of a cross identification (Cederblad letters compare without case)."""
    text = str(value)
    return (field, text.lower() if field == "Ced" else text)


_TABLES = {}


def dso_table(ctx):
    """The DsoTable of the packages of `ctx` (built on first use, then shared)."""
    stellarium = ctx.debian("stellarium-data")
    kstars = ctx.debian("kstars-data")
    key = (stellarium.root, kstars.root)
    if key not in _TABLES:
        _TABLES[key] = DsoTable(stellarium, kstars)
    return _TABLES[key]


# --- Small helpers --------------------------------------------------------------------------------

def separation_arcsec(ra1, dec1, ra2, dec2):
    """Angle between two positions in degrees, in arcseconds (haversine)."""
    r1, d1, r2, d2 = map(math.radians, (ra1, dec1, ra2, dec2))
    h = (math.sin((d2 - d1) / 2) ** 2 +
         math.cos(d1) * math.cos(d2) * math.sin((r2 - r1) / 2) ** 2)
    return math.degrees(2 * math.asin(min(1.0, math.sqrt(h)))) * 3600


MISSING = -9990          # a value the source lacks, in the 16- and 32-bit number fields
UNKNOWN_MAG = 99.0       # a magnitude the source lacks, where the chart's limit test reads it


def int16(value, scale=100, missing=MISSING):
    """round(value * scale) clamped to the int16 range, or `missing` for None."""
    if value is None:
        return missing
    return max(-32768, min(32767, round(value * scale)))


def uint16(value, scale=1, missing=0):
    """round(value * scale) clamped to 0..65535, or `missing` for None."""
    if value is None:
        return missing
    return max(0, min(65535, round(value * scale)))


def chars(text, width):
    """A fixed character field: Windows-1252, blank-padded, cut to `width`."""
    return textout.transliterate(text)[:width].ljust(width).encode("cp1252")


def pascal(text, capacity):
    """A length-prefixed text field: a length byte, then room for `capacity` characters
    (Windows-1252; the unused room is blank)."""
    t = textout.transliterate(text)[:capacity]
    return bytes([len(t)]) + t.ljust(capacity).encode("cp1252")


def fit_items(items, width, sep=", "):
    """The items joined by `sep`, keeping only the leading items that fit in `width`
    characters together (a first item longer than `width` is cut after a whole word)."""
    out = ""
    for item in items:
        item = clean(item)
        if not item:
            continue
        cand = item if not out else out + sep + item
        if len(cand) <= width:
            out = cand
        elif not out:
            out = textout.cut_words(item, width)
        else:
            break
    return out


# --- Hubble stage ---------------------------------------------------------------------------

_STAGE_LETTERS = {"a": 1, "ab": 2, "b": 3, "bc": 4, "c": 5, "cd": 6, "d": 7, "dm": 8, "m": 9}
_NUMBER = re.compile(r"^[+-]?\d+(\.\d+)?$")
_SPIRAL = re.compile(r"^S(?:A|B|AB)?[:?]?(?:\([a-z]+\))?[:?]?(ab|bc|cd|dm|a|b|c|d|m)(?![a-qs-z])")
_LENTICULAR = re.compile(r"^S(?:A|B|AB)?0(\^?[-+])?")


def hubble_stage(morph):
    """The de Vaucouleurs stage T of a morphological type (RC3 scale: E -5, E-S0 -3, S0 -2,
    S0/a 0, Sa 1, Sab 2, Sb 3, Sbc 4, Sc 5, Scd 6, Sd 7, Sdm 8, Sm 9, Im 10), or None when the
    type does not give one. A type written as a number (HyperLEDA's T) is taken as it is.
    Only the first of alternatives ("SBb/Sc") is read."""
    full = morph.strip()
    if full.startswith(("E-S0", "E/S0")):
        return -3.0
    if re.match(r"^S(A|B|AB)?0/a", full):
        return 0.0
    m = full.split("/")[0].split(" ")[0]
    if not m:
        return None
    if _NUMBER.match(m):
        t = float(m)
        return t if -6 <= t <= 11 else None
    if m.startswith("cE"):
        return -6.0
    if re.match(r"^(d?E)(\d|\+|:|\?|\.|$)", m):
        return -4.0 if m.startswith("E+") else -5.0
    if m.startswith("dSph"):
        return -5.0
    if re.match(r"^S(A|B|AB)?0-?a", m):
        return 0.0
    lent = _LENTICULAR.match(m)
    if lent:
        sign = (lent.group(1) or "").lstrip("^")
        return {"-": -3.0, "+": -1.0}.get(sign, -2.0)
    sp = _SPIRAL.match(m)
    if sp:
        return float(_STAGE_LETTERS[sp.group(1)])
    if re.match(r"^(d?I(A|B|AB)?m?|Irr|dIrr|Ir)(\b|[:?.]|$)", m):
        return 10.0
    return None


# --- Type codes of the NGC 2000.0 convention ------------------------------------------------

# Stellarium's type -> the three-character code ("ngc" and "sac" records).
_CODES = {
    **{t: " Gx" for t in (0, 1, 2, 3, 4, 21, 22, 25)},
    33: "Gcl", 34: " Kt",
    **{t: " OC" for t in (5, 6, 8, 9)},
    7: " Gb",
    **{t: " Pl" for t in (11, 26, 27)},
    16: "C+N",
    **{t: " Nb" for t in (10, 13, 14, 15, 17, 18, 19, 20, 23, 32)},
    12: "Drk",
    **{t: "  *" for t in (24, 28, 29, 30)},
    31: "  ?", 35: "   ", 36: "   ",
}

# KStars' type (OpenNGC) -> code.
KSTARS_CODES = {0: "  *", 3: " OC", 4: " Gb", 5: " Nb", 6: " Pl", 7: " Nb", 8: " Gx",
                13: "Ast", 14: "Gcl", 17: " D*", 255: "  ?"}


def type_code(obj, openngc_type=None):
    """The NGC 2000.0 code of a Stellarium object. A star that OpenNGC calls a multiple star
    is " D*"; an object of unknown type takes OpenNGC's type when it has one."""
    code = _CODES.get(obj.type, "   ")
    if code == "  *" and openngc_type == 17:
        return " D*"
    if code == "   " and openngc_type is not None and openngc_type != 255:
        return KSTARS_CODES.get(openngc_type, "   ")
    return code


# Cross identifications in the order descriptions list them.
DESCRIPTION_ORDER = ["M", "C", "NGC", "IC", "Sh2", "LBN", "LDN", "B", "VdB", "RCW", "Ced", "Cr",
                     "Mel", "Tr", "St", "Ru", "DWB", "VdBH", "VdBHa", "PK", "PNG", "SNRG", "Arp",
                     "VV", "HCG", "ACO", "PGC", "UGC", "ESO"]


def morph_text(morph):
    """A morphological type for a list of items: without the blanks after its commas and
    semicolons ("EN+RN; 3, 2, 3" -> "EN+RN;3,2,3")."""
    return morph.replace(", ", ",").replace("; ", ";").strip()


def designations(obj, order=DESCRIPTION_ORDER, skip=()):
    """The designations of an object ("M 31", "PGC 2557") in `order`, leaving out `skip`."""
    return [obj.designation(f) for f in order if f in obj.ids and f not in skip]
