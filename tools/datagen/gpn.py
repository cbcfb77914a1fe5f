"""The "gpn" catalog: gpn2000/01.dat ... 50.dat, planetary nebulae in the manner of the
Strasbourg-ESO Catalogue of Galactic Planetary Nebulae, 56-byte records binned by the 50-zone
scheme.

Source: the objects of Stellarium's deep-sky catalogue that have a PN G designation (the
Strasbourg-ESO catalogue's) or a PK designation (Perek & Kohoutek's), whatever type Stellarium
gives them now (some have turned out to be stars or galaxies).

Record (little-endian, packed): 0 int32 RA, 4 int32 Dec (0.00001 degree), 8 int16 diameter in
0.1 arcsecond (0 = unknown), 10 int16 magnitude (V, else B; 99.00 = unknown), 12 int16 H-beta
magnitude (missing), 14 int16 B, 16 int16 V (0.01; -9990 = missing), 18 and 19 one flag
character each, 20 one unused byte, 21 and 22 one flag character each (all blank), 23 char[10]
PN G designation ("063.1+13.9"), 33 char[9] PK designation ("063+13.1"), 42 char[13] name,
55 one unused byte (0). Inside a zone the nebulae run from the brightest.
"""
import struct

from . import dsosources as ds, starsources, zones

DIRECTORY = "gpn2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

RECORD = struct.Struct("<iihhhhhccxcc10s9s13sx")
assert RECORD.size == 56
NAME_FIELDS = ["NGC", "IC", "M", "Sh2", "VdB", "Ced", "ESO", "HCG"]
NAME = 13


def name_of(table, obj):
    """NGC/IC/M/Sh2 ... designation, else the proper name when it fits, else ""."""
    for f in NAME_FIELDS:
        d = obj.designation(f)
        if f == "ESO" and len(d) > NAME:
            d = d.replace(" ", "")
        if d and len(d) <= NAME:
            return d
    label = table.label(obj, NAME)
    return label[0] if label else ""


def build(table):
    stats = {"nebulae": 0, "png": 0, "pk": 0, "diameter": 0, "v": 0, "b": 0, "no_mag": 0,
             "planetary": 0, "no_name": 0}
    records = []
    for o in table.objects:
        if "PNG" not in o.ids and "PK" not in o.ids:
            continue
        ra_u, dec_u = zones.encode_ra(o.ra), zones.encode_dec(o.dec)
        mag = o.mag[0]
        diameter = round(o.major * 600) if o.major > 0 else 0
        name = name_of(table, o)
        m = ds.int16(mag if mag is not None else ds.UNKNOWN_MAG)
        blank = b" "
        data = RECORD.pack(ra_u, dec_u, min(diameter, 32767), m, ds.MISSING, ds.int16(o.b),
                           ds.int16(o.v), blank, blank, blank, blank,
                           ds.chars(o.ids.get("PNG", ""), 10), ds.chars(o.ids.get("PK", ""), 9),
                           ds.chars(name, NAME))
        zone = zones.FIL50.zone_of_units(ra_u, dec_u)
        records.append((zone, (m, ra_u, dec_u, o.id), data))
        stats["nebulae"] += 1
        stats["png"] += "PNG" in o.ids
        stats["pk"] += "PK" in o.ids
        stats["diameter"] += diameter > 0
        stats["v"] += o.v is not None
        stats["b"] += o.b is not None
        stats["no_mag"] += mag is None
        stats["planetary"] += o.type == 11
        stats["no_name"] += not name
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = ds.dso_table(ctx)
    files, st = build(table)
    stl = table.stellarium
    body = "\n".join([
        "## gpn2000/01.dat … gpn2000/50.dat (\"gpn\")", "",
        "Galactic planetary nebulae in 56-byte records binned by the 50 zones of `fil50.dta` "
        "(brightest first inside a zone).", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.CATALOG}` (Stellarium's deep-sky "
        f"catalogue {table.version[0]}): every object with a PN G or PK designation, its "
        f"position, diameter (major axis), V and B; the name from its NGC/IC/M/Sh2 … "
        f"designation or `{ds.NAMES}` (Swedish from `{ds.SWEDISH}`).",
        "- Licence: GPL-2+ (package).",
        "- Attribution: Acker, A. et al., *Strasbourg-ESO Catalogue of Galactic Planetary "
        "Nebulae* (1992) and Kohoutek, L., *Catalogue of Galactic Planetary Nebulae* (2001), "
        "designations as collected in the Stellarium team's deep-sky catalogue.",
        "- Stand-in: not the Strasbourg-ESO catalogue itself (1 143 nebulae, with H-beta "
        "fluxes); Stellarium's objects with its designations or Kohoutek's take its place.",
        f"- Records: {st['nebulae']} ({st['png']} with a PN G, {st['pk']} with a PK "
        f"designation; Stellarium calls {st['planetary']} of them planetary nebulae, the others "
        f"possible or proto-planetary nebulae, stars, galaxies …); diameter for "
        f"{st['diameter']} (0 = unknown); V for {st['v']}, B for {st['b']}; {st['no_mag']} "
        f"without a magnitude (99.00 in the field the chart's limit reads, −9990 in the B and "
        f"V fields); {st['no_name']} without a name.",
        "- Fields: the magnitude the chart reads (offset 10, the readout's \"Magn., visuell\") "
        "is V, else B; the B and V fields hold each as the source gives it.",
        "- Missing: the H-beta magnitude (−9990, in no source); the flag characters are "
        "blank.",
        "- Rebuild: `tools/make-data --only gpn` (generator `tools/datagen/gpn.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "gpn")
