"""The "gcm" catalog: gcm2000/01.dat, globular clusters of the Milky Way in the manner of
Harris' catalogue, 48-byte records in one zone file (the chart reads it whole).

Source: every globular cluster (type 7) of Stellarium's deep-sky catalogue, including those
whose morphological type says "dG" and the clusters of the Magellanic Clouds (within 10
degrees of the LMC's centre or 6 of the SMC's, unless a distance under 30 kpc puts them in
front, as 47 Tuc and NGC 362), which are counted apart in SOURCES.md.

Record (little-endian, packed; -9990 = value missing): 0 int32 RA, 4 int32 Dec (0.00001
degree), 8 int16 distance from the Sun in 0.1 kpc, 10 int16 integrated V magnitude (else B;
99.00 = unknown), 12 int16 colour index B-V, 14 int16 log10 of the luminosity in solar units,
16 int16 core radius and 18 int16 half-mass radius in arcminutes, 20 int16 apparent radius in
arcminutes (half the major axis) (all 0.01), 22 char[9] name ("NGC 6205"), 31 char[11]
spectral class, 42 char[4] Shapley-Sawyer concentration class ("V", "XII", "IV-V"), 46 two
unused bytes (0). The clusters run from the brightest.
"""
import re
import struct

from . import dsosources as ds, starsources, zones

OUTPUTS = ["gcm2000/01.dat"]

RECORD = struct.Struct("<iihhhhhhh9s11s4s2x")
assert RECORD.size == 48
NAME_FIELDS = ["NGC", "IC", "ESO", "UGC", "Ru", "Tr", "Cr", "Mel"]
LMC = (80.894, -69.756, 10.0)
SMC = (13.187, -72.829, 6.0)
NEAR_KPC = 30.0
SHAPLEY_SAWYER = re.compile(r"^(XII|XI|X|IX|VIII|VII|VI|V|IV|III|II|I)(-(XII|XI|X|IX|VIII|VII|"
                            r"VI|V|IV|III|II|I))?$")


def in_clouds(obj):
    if obj.distance is not None and obj.distance < NEAR_KPC:
        return False
    return any(ds.separation_arcsec(obj.ra, obj.dec, ra, dec) <= r * 3600
               for ra, dec, r in (LMC, SMC))


def name_of(obj):
    for f in NAME_FIELDS:
        d = obj.designation(f)
        if len(d) > 9:
            d = d.replace(" ", "")
        if d and len(d) <= 9:
            return d
    return ""


def build(table):
    stats = {"clusters": 0, "dwarf": 0, "clouds": 0, "distance": 0, "v": 0, "b_only": 0,
             "no_mag": 0,
             "class": 0, "radius": 0, "bv": 0}
    rows = []
    for o in table.objects:
        if o.type != ds.GLOBULAR:
            continue
        stats["dwarf"] += o.morph.startswith("dG")
        stats["clouds"] += in_clouds(o)
        ra_u, dec_u = zones.encode_ra(o.ra), zones.encode_dec(o.dec)
        mag = o.mag[0]
        m = ds.int16(mag if mag is not None else ds.UNKNOWN_MAG)
        bv = o.b - o.v if o.b is not None and o.v is not None else None
        conc = o.morph if SHAPLEY_SAWYER.match(o.morph) else ""
        radius = o.major / 2 if o.major > 0 else None
        data = RECORD.pack(ra_u, dec_u, ds.int16(o.distance, 10), m, ds.int16(bv), ds.MISSING,
                           ds.MISSING, ds.MISSING, ds.int16(radius), ds.chars(name_of(o), 9),
                           ds.chars("", 11), ds.chars(conc, 4))
        rows.append(((m, ra_u, dec_u, o.id), data))
        stats["clusters"] += 1
        stats["distance"] += o.distance is not None
        stats["v"] += o.v is not None
        stats["b_only"] += o.v is None and o.b is not None
        stats["no_mag"] += mag is None
        stats["class"] += bool(conc)
        stats["radius"] += radius is not None
        stats["bv"] += bv is not None
    rows.sort(key=lambda t: t[0])
    return {OUTPUTS[0]: b"".join(d for _, d in rows)}, stats


def generate(ctx):
    table = ds.dso_table(ctx)
    files, st = build(table)
    stl = table.stellarium
    body = "\n".join([
        "## gcm2000/01.dat (\"gcm\")", "",
        "Globular clusters in the record layout of Harris' catalogue: "
        "48-byte records, all in zone file 1 (brightest first).", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.CATALOG}` (Stellarium's deep-sky "
        f"catalogue {table.version[0]}): the globular clusters (type 7) with position, V, B, "
        f"distance, apparent size and the Shapley–Sawyer class where Stellarium gives one as "
        f"the morphological type; every one of them is included.",
        "- Licence: GPL-2+ (package).",
        "- Attribution: the Stellarium team's deep-sky catalogue (distances and classes after "
        "Harris 1996/2010 and the other catalogues it cites).",
        f"- Records: {st['clusters']} clusters (Harris 2010 has 157 of the Milky Way); among "
        f"them {st['dwarf']} whose Stellarium type is \"dG\" and {st['clouds']} clusters of "
        f"the Magellanic Clouds. Distance for {st['distance']}, V for {st['v']} "
        f"(B in its place for {st['b_only']}, {st['no_mag']} without a magnitude: 99.00), B−V for {st['bv']}, Shapley–Sawyer "
        f"class for {st['class']}, apparent radius for {st['radius']}.",
        "- Stand-ins and gaps: **Harris' structural parameters are in no package**: core "
        "radius, half-mass radius, luminosity (−9990) and spectral class (blank) are missing. "
        "The apparent radius (half Stellarium's major axis) is in its own field (\"Radie\"), "
        "never in the core or half-mass radius fields; the chart, which draws the core and "
        "half-mass radii, draws these clusters at its smallest size.",
        "- Rebuild: `tools/make-data --only gcm` (generator `tools/datagen/gcm.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "gcm")
