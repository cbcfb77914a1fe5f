"""The "rc3" catalog: rc32000/01.dat ... 50.dat, bright galaxies in the manner of the Third
Reference Catalogue of Bright Galaxies, 64-byte records binned by the 50-zone scheme.

No package holds the RC3. In its place: the galaxies of Stellarium's deep-sky catalogue that
meet the RC3's own limits in the way the data allow, B <= 14.5 or a major axis of at least
1 arcminute (23 322 galaxies; the RC3 has 23 011). Their axes are de Vaucouleurs' D25 sizes
(Stellarium's M 31, 189.1' x 61.7', is the RC3's log D25 = 3.28, log R25 = 0.49).

Record (little-endian, packed; -9990 = value missing in every 16- and 32-bit number field):
0 int32 RA, 4 int32 Dec (0.00001 degree), 8 int32 radial velocity cz in km/s, 12 char[8] PGC
number (left-aligned digits), 20 char[14] name (NGC, IC, UGC or ESO designation), 34 char[7]
morphological type, 41 uint8 position angle in degrees (255 = none), 42 int16 Hubble stage T
in 0.1, 44 int16 luminosity class in 0.1 (missing), 46 int16 log D25 in 0.01 (D25 in 0.1
arcminute), 48 int16 log R25 in 0.01 (axis ratio), 50 int16 log Ae in 0.01 (missing),
52 int16 total B magnitude in 0.01, 54 int16 total colour B-V in 0.01, 56 int16 central
colour in 0.01 (missing), 58 int16 V magnitude in 0.01, 60 int16 a second magnitude
(missing), 62 two unused bytes (0). Inside a zone the galaxies run from the brightest in B
(unknown B last).
"""
import math
import struct

from . import dsosources as ds, starsources, zones

DIRECTORY = "rc32000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

RECORD = struct.Struct("<iii8s14s7sBhhhhhhhhhh2x")
assert RECORD.size == 64
LIMIT_B = 14.5
LIMIT_D = 1.0          # arcminutes
C_KMS = 299792.458
NAME_FIELDS = ["NGC", "IC", "UGC", "ESO"]


def selected(obj):
    return obj.type in ds.GALAXY_TYPES and (
        (obj.b is not None and obj.b <= LIMIT_B) or obj.major >= LIMIT_D)


def name_of(obj, width, fields=NAME_FIELDS):
    """The first designation of `fields` that fits `width` ("ESO 350-40"; an ESO designation
    too long loses its blank)."""
    for f in fields:
        d = obj.designation(f)
        if d and len(d) > width and f == "ESO":
            d = d.replace(" ", "")
        if d and len(d) <= width:
            return d
    return ""


def velocity(obj):
    """cz in km/s, or the missing value."""
    if obj.z is None:
        return ds.MISSING
    return round(obj.z * C_KMS)


def build(table):
    stats = {"galaxies": 0, "cz": 0, "pa": 0, "pa_openngc": 0, "stage": 0, "b": 0, "bv": 0,
             "v": 0, "axes": 0, "ratio": 0, "no_name": 0}
    records = []
    for o in table.objects:
        if not selected(o):
            continue
        ra_u, dec_u = zones.encode_ra(o.ra), zones.encode_dec(o.dec)
        pa = table.galaxy_pa(o)
        stage = ds.hubble_stage(o.morph)
        log_d = math.log10(o.major * 10) if o.major > 0 else None
        log_r = math.log10(o.major / o.minor) if o.major > 0 and o.minor > 0 else None
        bv = o.b - o.v if o.b is not None and o.v is not None else None
        name = name_of(o, 14)
        pgc = str(o.ids["PGC"]) if "PGC" in o.ids else ""
        b = ds.int16(o.b)
        data = RECORD.pack(ra_u, dec_u, velocity(o), ds.chars(pgc, 8), ds.chars(name, 14),
                           ds.chars(o.morph, 7), 255 if pa is None else pa,
                           ds.int16(stage, 10), ds.MISSING, ds.int16(log_d), ds.int16(log_r),
                           ds.MISSING, b, ds.int16(bv), ds.MISSING, ds.int16(o.v), ds.MISSING)
        zone = zones.FIL50.zone_of_units(ra_u, dec_u)
        records.append((zone, (b if b != ds.MISSING else 9999, ra_u, dec_u, o.id), data))
        stats["galaxies"] += 1
        stats["cz"] += o.z is not None
        stats["pa"] += pa is not None
        stats["pa_openngc"] += table.openngc_pa(o) is not None
        stats["stage"] += stage is not None
        stats["b"] += o.b is not None
        stats["v"] += o.v is not None
        stats["bv"] += bv is not None
        stats["axes"] += log_d is not None
        stats["ratio"] += log_r is not None
        stats["no_name"] += not name
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = ds.dso_table(ctx)
    files, st = build(table)
    stl, kst = table.stellarium, table.kstars
    body = "\n".join([
        "## rc32000/01.dat … rc32000/50.dat (\"rc3\")", "",
        "Bright galaxies in the record layout of the Third Reference Catalogue of Bright "
        "Galaxies: 64-byte records binned by the 50 zones of `fil50.dta` (brightest in B "
        "first inside a zone).", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.CATALOG}` (Stellarium's deep-sky "
        f"catalogue {table.version[0]}): galaxies (Stellarium types 0–4) with position, B and "
        f"V, D25 axes, position angle, redshift, morphological type, PGC/NGC/IC/UGC/ESO "
        f"numbers.",
        f"- Source: {kst.label} (`{kst.command}`), `{ds.OPENNGC}` (OpenNGC v20210306, "
        f"CC-BY-SA-4.0): the position angle of NGC/IC galaxies.",
        "- Licence: GPL-2+ (both packages); OpenNGC CC-BY-SA-4.0.",
        "- Attribution: Stellarium deep-sky catalogue (Stellarium team, from HyperLEDA, NED, "
        "RC3 and others); OpenNGC by Mattia Verga.",
        "- Stand-in: **not the RC3**, which no package holds. The galaxies of Stellarium's "
        f"catalogue with B ≤ {LIMIT_B} or a major axis of at least {LIMIT_D:g}′ (the RC3's own "
        "completeness limits, roughly) take its place; the readout's title stays the RC3's.",
        f"- Records: {st['galaxies']} galaxies; cz = z·c for {st['cz']}; position angle for "
        f"{st['pa']} ({st['pa_openngc']} from OpenNGC: Stellarium's angles disagree with the "
        f"RC3 for many NGC galaxies, M 51 57° for 163°, M 33 50° for 23°), 255 for the "
        f"others; Hubble stage from the morphological type for {st['stage']}; B_T for "
        f"{st['b']}, V for {st['v']}, B−V = B − V for {st['bv']}; log D25 for {st['axes']}, "
        f"log R25 for {st['ratio']}; {st['no_name']} without an NGC, IC, UGC or ESO name.",
        "- Fields: log D25 = log10(major axis in 0.1′), log R25 = log10(major/minor); Hubble "
        "stage T parsed from the type (E −5, E-S0 −3, S0 −2, S0/a 0, Sa 1 … Sd 7, Sdm 8, Sm 9, "
        "Im 10; a type written as a number is HyperLEDA's T); \"Magnitud 1\" is V.",
        "- Missing (−9990): luminosity class, log Ae, central colour and the second "
        "magnitude (in no source), and any value the source lacks for a galaxy.",
        "- Rebuild: `tools/make-data --only rc3` (generator `tools/datagen/rc3.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "rc3")
