"""The "ngc" catalog: ngc2000/01.dat ... 50.dat, every object of the New General Catalogue and
its two Index Catalogues (NGC 1-7840, IC 1-5386), one 76-byte record per number, binned by the
50-zone scheme.

Sources: Stellarium's deep-sky catalogue for every number it has (position, type, magnitudes,
size, cross identifications, names), OpenNGC as KStars ships it for the numbers Stellarium
lacks (the non-existent and duplicate entries, single and double stars, some galaxies and
clusters), the constellation from KStars' boundaries, the proper names from Stellarium
(Swedish where translated).

Record (little-endian, packed): 0 int32 RA, 4 int32 Dec (0.00001 degree), 8 int16 number,
10 char "I" for IC, blank for NGC, 11 char[3] type code of the NGC 2000.0 convention, 14 one
unused byte (0), 15 char "P" when the magnitude is photographic (B), else blank, 16 int16
magnitude (0.01; 99.00 = unknown), 18 int16 size (the major axis) in 0.1 arcminute (0 =
unknown), 20 char[3] constellation, 23 char[50] description, 73 three unused bytes (0).

Description: Dreyer's descriptions are in no package. In their place: the proper name
(Swedish where Stellarium's translation has one), the other designations (M, C, the other
NGC/IC number, Sh2, Cr, PGC, UGC ...) and the morphological type, as many whole items as fit.
A number that OpenNGC marks as not an object but that lies on another NGC/IC object (within 1")
is a duplicate: it takes that object's data and its description starts with "= NGC 475".
Inside a zone the objects run from the brightest.
"""
import struct

from . import dsosources as ds, starsources, zones

DIRECTORY = "ngc2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

RECORD = struct.Struct("<iih1s3sx1shh3s50s3x")
assert RECORD.size == 76
DESCRIPTION = 50
NAME = 22           # the proper name as "Objnamn.dta" writes it
DUPLICATE_ARCSEC = 1.0
NOT_AN_OBJECT = "Finns ej eller dubblett (OpenNGC)"
NGC_LAST, IC_LAST = 7840, 5386


class Entry:
    """What one record says: position, code, magnitude and whether it is B, size (arcmin),
    description items, and where it comes from ("stellarium", "openngc", "duplicate",
    "component", "none")."""

    def __init__(self, key, ra, dec, code, mag, blue, size, items, origin, obj=None):
        self.key, self.ra, self.dec = key, ra, dec
        self.code, self.mag, self.blue, self.size = code, mag, blue, size
        self.items, self.origin, self.obj = items, origin, obj


def _text(key):
    return f"{key[0]} {key[1]}"


def _from_stellarium(table, key, obj, ongc):
    mag, blue = obj.mag
    items = []
    label = table.label(obj, NAME)
    if label:
        items.append(label[0])
    items += ds.designations(obj, ["M", "C"])
    items += ["= " + d for d in ds.designations(obj, ["NGC", "IC"]) if d != _text(key)]
    if obj.morph:
        items.append(ds.morph_text(obj.morph))
    items += ds.designations(obj, skip=("M", "C", "NGC", "IC"))
    code = ds.type_code(obj, ongc.ktype if ongc else None)
    if code == "Drk":
        code = " Nb"     # the NGC 2000.0 codes have no dark nebula
    if code == "Gcl":
        code = " Gx"
    return Entry(key, obj.ra, obj.dec, code, mag, blue, obj.major or None, items,
                 "stellarium", obj)


def _from_openngc(key, row, origin="openngc", extra=()):
    items = list(extra)
    if row.name and not row.name.startswith(("NGC", "IC")):
        items.append(row.name)              # "M 40"
    items += [a.strip() for a in row.aliases.split(",") if a.strip()]
    code = ds.KSTARS_CODES.get(row.ktype, "   ")
    if code == "Gcl":
        code = " Gx"
    return Entry(key, row.ra, row.dec, code, row.mag, row.mag is not None, row.major, items,
                 origin)


def _pick(candidates, ongc):
    """The Stellarium object of a number that several objects carry (the parts of a pair):
    the one nearest OpenNGC's position for the number, else the brightest."""
    if len(candidates) == 1:
        return candidates[0]
    if ongc is not None and ongc.ktype != 255:
        return min(candidates, key=lambda o: (
            round(ds.separation_arcsec(o.ra, o.dec, ongc.ra, ongc.dec), 3), o.id))
    return min(candidates, key=lambda o: (o.mag[0] if o.mag[0] is not None else 99.0, o.id))


def entries(table):
    """One Entry per NGC and IC number, in designation order."""
    parts = {}
    for r in table.openngc:
        if r.suffix:
            parts.setdefault(r.key, []).append(r)
    keys = ([("NGC", n) for n in range(1, NGC_LAST + 1)] +
            [("IC", n) for n in range(1, IC_LAST + 1)])
    out = {}
    pending = []
    for key in keys:
        ongc = table.openngc_main.get(key)
        found = table.find(*key)
        if found:
            out[key] = _from_stellarium(table, key, _pick(found, ongc), ongc)
        elif ongc is not None and ongc.ktype != 255:
            out[key] = _from_openngc(key, ongc)
        elif ongc is not None:
            pending.append((key, ongc))
        elif key in parts:
            rows = [r for r in parts[key] if r.ktype != 255] or parts[key]
            names = [f"{_text(key)}{r.suffix}" for r in parts[key]]
            out[key] = _from_openngc(key, rows[0], "component", names)
        else:
            out[key] = None
    # OpenNGC's entries that are not objects: duplicates of another number lying at the same
    # place, else unknown.
    cells = {}
    for key, e in out.items():
        if e is None:
            continue
        places = {(e.ra, e.dec)}
        main = table.openngc_main.get(key)
        if main is not None and main.ktype != 255:
            places.add((main.ra, main.dec))     # where OpenNGC puts its duplicates
        for ra, dec in sorted(places):
            cells.setdefault(round(dec * 60), []).append((ra, dec, e))
    for key, row in pending:
        twin = None
        for d in (-1, 0, 1):
            for ra, dec, e in cells.get(round(row.dec * 60) + d, ()):
                if ds.separation_arcsec(ra, dec, row.ra, row.dec) <= DUPLICATE_ARCSEC:
                    if twin is None or (e.key[0] != "NGC", e.key[1]) < (twin.key[0] != "NGC",
                                                                        twin.key[1]):
                        twin = e
        if twin is not None:
            out[key] = Entry(key, twin.ra, twin.dec, twin.code, twin.mag, twin.blue, twin.size,
                             ["= " + _text(twin.key)] + [i for i in twin.items
                                                          if i != "= " + _text(key)],
                             "duplicate", twin.obj)
        else:
            out[key] = Entry(key, row.ra, row.dec, "  ?", None, False, None, [NOT_AN_OBJECT],
                             "none")
    missing = [k for k, e in out.items() if e is None]
    if missing:
        raise ValueError(f"no source has {missing[:5]}")
    return [out[k] for k in keys]


def record(table, e):
    ra_u, dec_u = zones.encode_ra(e.ra), zones.encode_dec(e.dec)
    mag = ds.int16(e.mag if e.mag is not None else ds.UNKNOWN_MAG)
    size = ds.int16(e.size, 10, missing=0)
    const = table.constellations.of(e.ra, e.dec)
    desc = ds.fit_items(e.items, DESCRIPTION)
    data = RECORD.pack(ra_u, dec_u, e.key[1], b"I" if e.key[0] == "IC" else b" ",
                       e.code.encode("cp1252"), b"P" if e.blue and e.mag is not None else b" ",
                       mag, size, ds.chars(const, 3), ds.chars(desc, DESCRIPTION))
    return ra_u, dec_u, mag, data


def build(table):
    stats = {"records": 0, "stellarium": 0, "openngc": 0, "duplicate": 0, "component": 0,
             "none": 0, "no_mag": 0, "blue": 0, "no_size": 0, "ngc": 0, "ic": 0}
    records = []
    for e in entries(table):
        ra_u, dec_u, mag, data = record(table, e)
        zone = zones.FIL50.zone_of_units(ra_u, dec_u)
        records.append((zone, (mag, ra_u, dec_u, e.key[0] == "IC", e.key[1]), data))
        stats["records"] += 1
        stats[e.origin] += 1
        stats["ngc" if e.key[0] == "NGC" else "ic"] += 1
        stats["no_mag"] += e.mag is None
        stats["blue"] += e.mag is not None and e.blue
        stats["no_size"] += not e.size
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = ds.dso_table(ctx)
    files, st = build(table)
    stl, kst = table.stellarium, table.kstars
    lic = table.openngc_meta[1] if table.openngc_meta else "CC-BY-SA-4.0"
    body = "\n".join([
        "## ngc2000/01.dat … ngc2000/50.dat (\"ngc\")", "",
        "The New General Catalogue and the Index Catalogues (NGC 1–7840, IC 1–5386): one "
        "76-byte record per number, binned by the 50 zones of `fil50.dta` (brightest first "
        "inside a zone).", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.CATALOG}` (Stellarium's deep-sky "
        f"catalogue, version {table.version[0]} {table.version[1]}): position (J2000.0), type, "
        f"V and B magnitudes, major axis, cross identifications and morphological type of "
        f"every number it has; `{ds.NAMES}` and `{ds.SWEDISH}` for the proper names.",
        f"- Source: {kst.label} (`{kst.command}`), `{ds.OPENNGC}` (OpenNGC release v20210306 "
        f"as converted by KStars) for the numbers Stellarium lacks, and `{ds.CBOUNDS}` (IAU "
        f"boundaries, J2000) for the constellation.",
        f"- Licence: GPL-2+ (both packages); OpenNGC {lic} (Mattia Verga); the proper names "
        "of Stellarium's sky culture CC BY-SA 4.0.",
        "- Attribution: OpenNGC by Mattia Verga (https://github.com/mattiaverga/OpenNGC), "
        "CC-BY-SA-4.0; Stellarium deep-sky catalogue by the Stellarium team; Dreyer, J. L. E., "
        "NGC (1888) and IC (1895, 1908).",
        f"- Records: {st['records']} ({st['ngc']} NGC, {st['ic']} IC): {st['stellarium']} "
        f"from Stellarium, {st['openngc']} from OpenNGC, {st['component']} from the first part "
        f"of a pair that OpenNGC lists only by its parts (NGC 317A/B), {st['duplicate']} "
        f"duplicate numbers (OpenNGC: not an object, at the place of another NGC/IC object "
        f"within 1″: that object's data, description \"= NGC …\"), {st['none']} that OpenNGC "
        f"marks as not an object with no other object there (type \"  ?\", no magnitude or "
        f"size, description \"{NOT_AN_OBJECT}\"). {st['blue']} magnitudes are B (\"P\"), "
        f"{st['no_mag']} unknown (written 99.00, so drawn only when the chart's limit is "
        f"99); {st['no_size']} without a size (0).",
        "- Fields: magnitude V, else B with \"P\" (OpenNGC's rows: KStars keeps one magnitude, "
        "OpenNGC's B where it has one, else V; marked \"P\"); size = major axis; type from "
        "Stellarium's object type mapped to the NGC 2000.0 codes (galaxies, quasars and "
        "clusters of galaxies \" Gx\", parts of galaxies \" Kt\", star clusters and "
        "associations \" OC\", globulars \" Gb\", planetary nebulae \" Pl\", clusters with "
        "nebulosity \"C+N\", other nebulae (dark ones too: the codes have none) \" Nb\", stars "
        "\"  *\", stars that OpenNGC calls multiple \" D*\", OpenNGC's asterisms \"Ast\"); "
        "constellation by point-in-polygon on the J2000 boundaries.",
        "- Stand-ins: Dreyer's descriptions are in no package: the description field holds "
        "the proper name (Swedish where translated), the other designations and the "
        "morphological type instead. The NGC 2000.0 code \"  -\" (non-existent according to "
        "the RNGC) is not used: OpenNGC does not say which of its non-objects are "
        "non-existent and which duplicates, so those without another object at their place "
        "get \"  ?\".",
        "- Rebuild: `tools/make-data --only ngc` (generator `tools/datagen/ngc.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "ngc")
