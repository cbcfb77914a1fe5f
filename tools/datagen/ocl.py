"""The "ocl" catalog: ocl2000/01.dat ... 50.dat, open clusters in the manner of Lynga's Open
Cluster Data, 5th edition, 32-byte records binned by the 50-zone scheme.

Source: the star clusters, open clusters and clusters with nebulosity (types 5, 6, 16) of
Stellarium's deep-sky catalogue: position, size, V, distance and the Trumpler class where
Stellarium gives one as the morphological type ("II2m", "I3rn").

Record (little-endian, packed; -9990 = value missing): 0 int32 RA, 4 int32 Dec (0.00001
degree), 8 int16 OCL (Lund) number (0 = none), 10 int16 number of the cluster in its main
catalogue (NGC, else IC, Cr, Mel, Tr, St, Ru, ...; the catalogue is not recorded), 12 int16
sequence number (1.. in order of right ascension), 14 int16 diameter in 0.1 arcminute
(0 = unknown), 16 int16 distance in parsecs, 18 int16 age in millions of years, 20 int16
magnitude of the brightest stars, 22 int16 total magnitude (V, else B; 99.00 = unknown),
24 int16 colour index B-V (all 0.01), 26 int16 number of stars, 28..31 the Trumpler class as
four characters: concentration "1".."4" (I..IV), range "1".."3", richness "p", "m" or "r",
"n" for nebulosity (blanks when unknown). Inside a zone the clusters run from the brightest.
"""
import re
import struct

from . import dsosources as ds, starsources, zones

DIRECTORY = "ocl2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

RECORD = struct.Struct("<iihhhhhhhhhh4s")
assert RECORD.size == 32
NUMBER_FIELDS = ["NGC", "IC", "Cr", "Mel", "Tr", "St", "Ru", "DWB", "VdBHa", "M", "C"]
TRUMPLER = re.compile(r"^(IV|III|II|I)\s*([123])\s*([pmr])?\s*(n)?")
CONCENTRATION = {"I": "1", "II": "2", "III": "3", "IV": "4"}


def trumpler(morph):
    """The four Trumpler characters of a type such as "II2m" or "I3rn", or four blanks."""
    m = TRUMPLER.match(morph.strip())
    if not m:
        return "    "
    return CONCENTRATION[m[1]] + m[2] + (m[3] or " ") + (m[4] or " ")


def main_number(obj):
    for f in NUMBER_FIELDS:
        v = obj.ids.get(f)
        if v and isinstance(v, int) and v <= 32767:
            return v
    return 0


def build(table):
    clusters = [o for o in table.objects if o.type in ds.OPEN_CLUSTER_TYPES]
    order = sorted(clusters, key=lambda o: (zones.encode_ra(o.ra), zones.encode_dec(o.dec),
                                            o.id))
    sequence = {o.id: k + 1 for k, o in enumerate(order)}
    stats = {"clusters": 0, "trumpler": 0, "distance": 0, "v": 0, "b_only": 0, "size": 0,
             "bv": 0, "no_number": 0}
    records = []
    for o in clusters:
        ra_u, dec_u = zones.encode_ra(o.ra), zones.encode_dec(o.dec)
        mag = o.mag[0]
        m = ds.int16(mag if mag is not None else ds.UNKNOWN_MAG)
        size = ds.int16(o.major, 10, missing=0) if o.major > 0 else 0
        dist = ds.int16(o.distance, 1000) if o.distance is not None else ds.MISSING
        bv = o.b - o.v if o.b is not None and o.v is not None else None
        tr = trumpler(o.morph)
        number = main_number(o)
        data = RECORD.pack(ra_u, dec_u, 0, number, sequence[o.id], size, dist, ds.MISSING,
                           ds.MISSING, m, ds.int16(bv), ds.MISSING, tr.encode("cp1252"))
        zone = zones.FIL50.zone_of_units(ra_u, dec_u)
        records.append((zone, (m, ra_u, dec_u, o.id), data))
        stats["clusters"] += 1
        stats["trumpler"] += tr != "    "
        stats["distance"] += o.distance is not None
        stats["v"] += o.v is not None
        stats["b_only"] += o.v is None and o.b is not None
        stats["size"] += size > 0
        stats["bv"] += bv is not None
        stats["no_number"] += number == 0
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = ds.dso_table(ctx)
    files, st = build(table)
    stl = table.stellarium
    body = "\n".join([
        "## ocl2000/01.dat … ocl2000/50.dat (\"ocl\")", "",
        "Open clusters in the record layout of Lyngå's Open Cluster Data: 32-byte records "
        "binned by the 50 zones of `fil50.dta` (brightest first inside a zone).", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.CATALOG}` (Stellarium's deep-sky "
        f"catalogue {table.version[0]}): star clusters, open clusters and clusters with "
        f"nebulosity (types 5, 6, 16) with position, size, V, distance and Trumpler class.",
        "- Licence: GPL-2+ (package).",
        "- Attribution: the Stellarium team's deep-sky catalogue (Trumpler classes and "
        "distances after the open-cluster catalogues it cites).",
        "- Stand-in: not Lyngå's catalogue (1 151 clusters), which no package holds.",
        f"- Records: {st['clusters']} clusters; Trumpler class for {st['trumpler']}; distance "
        f"for {st['distance']}; V for {st['v']} (B for {st['b_only']} more; the others 99.00); "
        f"diameter for {st['size']}; B−V for {st['bv']}.",
        "- Fields: \"Nummer\" is the cluster's number in the first of NGC, IC, Cr, Mel, Tr, St, "
        f"Ru, DWB … that it has (the record has no room for the catalogue; {st['no_number']} "
        "have none), \"Sekvens\" a running number in order of right ascension.",
        "- Missing (−9990, in no source): OCL (Lund) number (0), age, magnitude of the "
        "brightest stars, number of stars, and B−V where Stellarium lacks B or V.",
        "- Rebuild: `tools/make-data --only ocl` (generator `tools/datagen/ocl.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "ocl")
