"""The "sac" catalog: sac2000/01.dat ... 50.dat, a deep-sky list in the record layout of the
Saguaro Astronomy Club database, 204-byte records binned by the 50-zone scheme.

The SAC database is in no package. In its place: a SAC-style list derived from Stellarium's
deep-sky catalogue: every object with a designation of the catalogues observers use (NGC, IC,
M, C, B, Sh2, vdB, RCW, LDN, LBN, Cr, Mel, Tr, St, Ru, DWB, Ced, Abell, HCG, PK), without the
galaxies fainter than magnitude 16.

Record (little-endian, packed): 0 float32 RA and 4 float32 Dec in degrees (J2000), 8 float32
magnitude (V, else B; 99 = unknown), 12 float32 surface brightness in magnitudes per square
arcminute (99 = unknown), 16 float32 major and 20 float32 minor size in arcminutes (0 =
unknown), 24 uint8 position angle in degrees (255 = none). Length-prefixed texts (a length
byte, then room for the characters, blank-padded): 25 name (17), 43 other designation (18),
62 type code of the NGC 2000.0 convention (3), 66 constellation (3), 70 description (120),
191 class (10); 202 two unused bytes (0). Inside a zone the objects run from the brightest.
"""
import math
import struct

from . import dsosources as ds, starsources, zones

DIRECTORY = "sac2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

HEAD = struct.Struct("<ffffffB")
RECORD_SIZE = 204
MAIN_ORDER = ["NGC", "IC", "M", "C", "B", "Sh2", "VdB", "RCW", "LDN", "LBN", "Cr", "Mel", "Tr",
              "St", "Ru", "DWB", "Ced", "ACO", "HCG", "PK"]
OTHER_ORDER = ["M", "C"] + [f for f in MAIN_ORDER if f not in ("M", "C")]
FAINTEST_GALAXY = 16.0
# Stellarium's type of dark nebulae: the magnitude it gives them is no brightness (a dark
# nebula is seen against what lies behind it), so the record says "unknown".
DARK_NEBULA = 12


def selected(obj):
    if not any(f in obj.ids for f in MAIN_ORDER):
        return False
    if obj.type in ds.GALAXY_TYPES:
        mag = obj.mag[0]
        return mag is None or mag <= FAINTEST_GALAXY
    return True


def sac_code(obj, table):
    ongc = None
    for f in ("NGC", "IC"):
        if f in obj.ids:
            r = table.openngc_main.get((f, obj.ids[f]))
            if r is not None:
                ongc = r.ktype
                break
    code = ds.type_code(obj, ongc)
    return " Nb" if code == " Kt" else code


def surface_brightness(mag, a, b):
    """mag + 2.5 log10(pi/4 a b), a and b in arcminutes: the mean surface brightness in
    magnitudes per square arcminute, or None."""
    if mag is None or a <= 0:
        return None
    b = b if b > 0 else a
    return mag + 2.5 * math.log10(math.pi / 4 * a * b)


def texts(table, obj):
    """(name, other, description, class) of an object."""
    names = [obj.designation(f) for f in MAIN_ORDER if f in obj.ids]
    name = next((n for n in names if len(n) <= 17), names[0][:17])
    other = next((d for d in (obj.designation(f) for f in OTHER_ORDER if f in obj.ids)
                  if d and d != name and len(d) <= 18), "")
    items = []
    label = table.label(obj, 60)
    if label:
        items.append(label[0])
        english = table.object_names[obj.id][0].english
        if ds.clean(english) != label[0]:
            items.append(english)
    items += [d for d in ds.designations(obj) if d not in (name, other)]
    return name, other, ds.fit_items(items, 120), ds.morph_text(obj.morph)[:10]


def build(table):
    stats = {"objects": 0, "no_mag": 0, "sb": 0, "axes": 0, "pa": 0, "named": 0,
             "no_const": 0}
    codes = {}
    records = []
    for o in table.objects:
        if not selected(o):
            continue
        mag = None if o.type == DARK_NEBULA else o.mag[0]
        pa = table.galaxy_pa(o) if o.type in ds.GALAXY_TYPES else (
            o.pa % 180 if o.has_pa() else None)
        sb = surface_brightness(mag, o.major, o.minor)
        code = sac_code(o, table)
        const = table.constellations.of(o.ra, o.dec)
        name, other, desc, cls = texts(table, o)
        data = (HEAD.pack(o.ra, o.dec, ds.UNKNOWN_MAG if mag is None else mag,
                          ds.UNKNOWN_MAG if sb is None else sb, max(o.major, 0.0),
                          max(o.minor, 0.0), 255 if pa is None else pa) +
                ds.pascal(name, 17) + ds.pascal(other, 18) + ds.pascal(code, 3) +
                ds.pascal(const, 3) + ds.pascal(desc, 120) + ds.pascal(cls, 10) + b"\0\0")
        assert len(data) == RECORD_SIZE
        # Bin by the position as stored, float32 degrees: floor to the 0.00001-degree unit
        # keeps a value just below a zone bound below it.
        ra32, dec32 = struct.unpack("<ff", data[:8])
        ra_u = math.floor(ra32 * zones.UNITS_PER_DEGREE) % zones.RA_UNITS_FULL
        dec_u = max(-zones.DEC_UNITS_POLE, min(zones.DEC_UNITS_POLE,
                                               math.floor(dec32 * zones.UNITS_PER_DEGREE)))
        zone = zones.FIL50.zone_of_units(ra_u, dec_u)
        key = round((mag if mag is not None else ds.UNKNOWN_MAG) * 100)
        records.append((zone, (key, ra_u, dec_u, o.id), data))
        stats["objects"] += 1
        stats["no_mag"] += mag is None
        stats["sb"] += sb is not None
        stats["axes"] += o.major > 0
        stats["pa"] += pa is not None
        stats["named"] += o.id in table.object_names
        stats["no_const"] += not const
        codes[code] = codes.get(code, 0) + 1
    stats["codes"] = ", ".join(f"\"{c}\" {n}" for c, n in sorted(codes.items(),
                                                                 key=lambda t: (-t[1], t[0])))
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = ds.dso_table(ctx)
    files, st = build(table)
    stl, kst = table.stellarium, table.kstars
    body = "\n".join([
        "## sac2000/01.dat … sac2000/50.dat (\"sac\")", "",
        "SAC-style list derived from Stellarium's DSO catalogue, in the 204-byte record layout "
        "of the Saguaro Astronomy Club database, binned by the 50 zones of `fil50.dta` "
        "(brightest first inside a zone).", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.CATALOG}` (Stellarium's deep-sky "
        f"catalogue {table.version[0]}): the objects with an NGC, IC, M, C, B, Sh2, vdB, RCW, "
        f"LDN, LBN, Cr, Mel, Tr, St, Ru, DWB, Ced, Abell, HCG or PK designation, except the "
        f"galaxies fainter than {FAINTEST_GALAXY:g}; proper names from `{ds.NAMES}` (Swedish "
        f"from `{ds.SWEDISH}`).",
        f"- Source: {kst.label} (`{kst.command}`), `{ds.OPENNGC}` (OpenNGC v20210306, "
        f"CC-BY-SA-4.0: position angles of NGC/IC galaxies, multiple stars), `{ds.CBOUNDS}` "
        f"(constellations).",
        "- Licence: GPL-2+ (both packages); OpenNGC CC-BY-SA-4.0; the proper names CC BY-SA "
        "4.0.",
        "- Attribution: the Stellarium team's deep-sky catalogue; OpenNGC by Mattia Verga.",
        "- Stand-in: **not the SAC database**, which is in no package; the readout's title "
        "stays the SAC's. Name = the first of NGC, IC, M, C, B, Sh2 … that the object has; "
        "other = the next (M and C first); the description is generated from the proper name "
        "(Swedish where translated, then the English) and the further designations, not the "
        "SAC's notes; class = Stellarium's morphological type (Hubble, Trumpler, Sharpless "
        "classes); surface brightness = magnitude + 2.5 log10(π/4·a·b), computed.",
        f"- Records: {st['objects']} objects ({st['no_mag']} without a magnitude: 99, among "
        f"them every dark nebula, \"Drk\", whose Stellarium magnitude is no brightness); surface "
        f"brightness for {st['sb']}; size for {st['axes']}; position angle for {st['pa']}; "
        f"{st['named']} with a proper name. Types: {st['codes']}.",
        "- Rebuild: `tools/make-data --only sac` (generator `tools/datagen/sac.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD_SIZE, body, "sac")
