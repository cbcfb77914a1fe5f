"""The "lbn" catalog: lbn2000/01.dat ... 50.dat, the nebulae of Lynds' Catalogue of Bright
Nebulae, 32-byte records binned by the 50-zone scheme.

Source: the objects of Stellarium's deep-sky catalogue with an LBN number (position, both
axes, cross identifications).

Record (little-endian, packed): 0 int32 RA, 4 int32 Dec (0.00001 degree), 8 uint32 LBN
number, 12 uint16 reserved (0), 14 uint16 major and 16 uint16 minor size in arcminutes,
18 uint16 area in 0.01 square degree (pi/4 a b), 20 uint8 colour class (0 = unknown), 21 uint8
brightness class 1-6, 22 char[8] cross identification ("M 42", "Sh2-281"), 30 two unused
bytes (0). Lynds' brightness and colour classes are in no package: every record says colour 0
(unknown) and brightness 6, the faintest class, so that the chart draws these nebulae only
at the scales that draw every class (32 and up). Inside a zone the nebulae run by LBN number.
"""
import math
import struct

from . import dsosources as ds, starsources, zones

DIRECTORY = "lbn2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

RECORD = struct.Struct("<iiIHHHHBB8s2x")
assert RECORD.size == 32
UNKNOWN_COLOUR = 0
FALLBACK_BRIGHTNESS = 6
ID_FIELDS = ["M", "NGC", "IC", "Sh2", "Ced", "VdB", "RCW", "B", "LDN", "Cr", "Mel", "DWB"]


def cross_id(obj):
    for f in ID_FIELDS:
        d = obj.designation(f)
        if d and len(d) <= 8:
            return d
    return ""


def build(table):
    stats = {"nebulae": 0, "sizes": 0, "cross": 0}
    records = []
    for o in table.objects:
        if "LBN" not in o.ids:
            continue
        ra_u, dec_u = zones.encode_ra(o.ra), zones.encode_dec(o.dec)
        a = o.major if o.major > 0 else 0.0
        b = o.minor if o.minor > 0 else a
        area = math.pi / 4 * (a / 60) * (b / 60)
        ident = cross_id(o)
        data = RECORD.pack(ra_u, dec_u, o.ids["LBN"], 0, ds.uint16(a), ds.uint16(b),
                           ds.uint16(area, 100), UNKNOWN_COLOUR, FALLBACK_BRIGHTNESS,
                           ds.chars(ident, 8))
        zone = zones.FIL50.zone_of_units(ra_u, dec_u)
        records.append((zone, (o.ids["LBN"], ra_u, dec_u, o.id), data))
        stats["nebulae"] += 1
        stats["sizes"] += o.major > 0 and o.minor > 0
        stats["cross"] += bool(ident)
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = ds.dso_table(ctx)
    files, st = build(table)
    stl = table.stellarium
    body = "\n".join([
        "## lbn2000/01.dat … lbn2000/50.dat (\"lbn\")", "",
        "Lynds' Catalogue of Bright Nebulae in 32-byte records binned by the 50 zones of "
        "`fil50.dta` (by LBN number inside a zone).", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.CATALOG}` (Stellarium's deep-sky "
        f"catalogue {table.version[0]}): the objects with an LBN number, their position, both "
        f"axes and cross identifications.",
        "- Licence: GPL-2+ (package).",
        "- Attribution: Lynds, B. T., *Catalogue of Bright Nebulae*, ApJS 12, 163 (1965), "
        "numbers and sizes as collected in the Stellarium team's deep-sky catalogue.",
        f"- Records: {st['nebulae']} nebulae (Lynds listed 1 125); both sizes for "
        f"{st['sizes']}; a cross identification (M, NGC, IC, Sh2, Ced …) for {st['cross']}; "
        f"area = π/4·a·b.",
        f"- Stand-in: **Lynds' brightness class (1–6) and colour class (1–4) are in no "
        f"package.** Every record carries colour {UNKNOWN_COLOUR} (unknown: the chart draws it "
        f"grey) and brightness {FALLBACK_BRIGHTNESS}, the faintest class, which is not Lynds' "
        f"value but makes the chart draw these nebulae only from scale 32 on, where it draws "
        f"every class. The readout's \"Ljusstyrka(1-6)=6\" therefore means \"unknown\".",
        "- Rebuild: `tools/make-data --only lbn` (generator `tools/datagen/lbn.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "lbn")
