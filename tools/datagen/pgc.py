"""The "pgc" catalog: pgc2000/01.dat ... 50.dat, the galaxies that have a number of the
Catalogue of Principal Galaxies (PGC, extended by HyperLEDA), 44-byte records binned by the
50-zone scheme.

Source: the galaxies (Stellarium types 0-4) of Stellarium's deep-sky catalogue with a PGC
number; the position angle of NGC/IC galaxies from OpenNGC (see rc3.py).

Record (little-endian, packed; -9990 = value missing in the 16- and 32-bit number fields):
0 uint32 PGC number, 4 int32 RA, 8 int32 Dec (0.00001 degree), 12 int32 radial velocity cz in
km/s, 16 char[16] name (NGC, IC, UGC or ESO designation), 32 char[4] morphological type (its
first four characters), 36 int16 position angle of the major axis in degrees, 38 int16 major
and 40 int16 minor axis in 0.01 arcminute, 42 int16 B magnitude in 0.01. Inside a zone the
galaxies run from the brightest in B (unknown B last).
"""
import struct

from . import dsosources as ds, rc3, starsources, zones

DIRECTORY = "pgc2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

RECORD = struct.Struct("<Iiii16s4shhhh")
assert RECORD.size == 44
PGC_LAST = 73197        # the last number of the PGC of 1989; higher ones are HyperLEDA's


def build(table):
    stats = {"galaxies": 0, "extended": 0, "cz": 0, "pa": 0, "axes": 0, "minor": 0, "b": 0,
             "clamped": 0, "no_name": 0}
    records = []
    for o in table.objects:
        if o.type not in ds.GALAXY_TYPES or "PGC" not in o.ids:
            continue
        ra_u, dec_u = zones.encode_ra(o.ra), zones.encode_dec(o.dec)
        pa = table.galaxy_pa(o)
        major = o.major if o.major > 0 else None
        minor = o.minor if o.minor > 0 else None
        for axis in (major, minor):
            stats["clamped"] += axis is not None and round(axis * 100) > 32767
        name = rc3.name_of(o, 16)
        b = ds.int16(o.b)
        data = RECORD.pack(o.ids["PGC"], ra_u, dec_u, rc3.velocity(o), ds.chars(name, 16),
                           ds.chars(o.morph, 4), ds.int16(pa, 1), ds.int16(major),
                           ds.int16(minor), b)
        zone = zones.FIL50.zone_of_units(ra_u, dec_u)
        records.append((zone, (b if b != ds.MISSING else 9999, ra_u, dec_u, o.ids["PGC"], o.id),
                        data))
        stats["galaxies"] += 1
        stats["extended"] += o.ids["PGC"] > PGC_LAST
        stats["cz"] += o.z is not None
        stats["pa"] += pa is not None
        stats["axes"] += major is not None
        stats["minor"] += minor is not None
        stats["b"] += o.b is not None
        stats["no_name"] += not name
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = ds.dso_table(ctx)
    files, st = build(table)
    stl, kst = table.stellarium, table.kstars
    body = "\n".join([
        "## pgc2000/01.dat … pgc2000/50.dat (\"pgc\")", "",
        "Galaxies with a PGC number in 44-byte records binned by the 50 zones of `fil50.dta` "
        "(brightest in B first inside a zone).", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.CATALOG}` (Stellarium's deep-sky "
        f"catalogue {table.version[0]}): the galaxies (types 0–4) with a PGC number, their "
        f"position, B, axes, position angle, redshift and morphological type.",
        f"- Source: {kst.label} (`{kst.command}`), `{ds.OPENNGC}` (OpenNGC v20210306): the "
        f"position angle of NGC/IC galaxies (see \"rc3\").",
        "- Licence: GPL-2+ (both packages); OpenNGC CC-BY-SA-4.0.",
        "- Attribution: Paturel, G. et al., *Catalogue of Principal Galaxies* (1989) and "
        "HyperLEDA (numbers), via the Stellarium team's deep-sky catalogue.",
        f"- Records: {st['galaxies']} galaxies ({st['extended']} with HyperLEDA's numbers above "
        f"the PGC's last, {PGC_LAST}); cz = z·c for {st['cz']}; position angle for "
        f"{st['pa']}; major axis for {st['axes']}, minor for {st['minor']} "
        f"({st['clamped']} axes beyond 327.67′ stored as 327.67); B for {st['b']}; "
        f"{st['no_name']} without an NGC, IC, UGC or ESO name. Stellarium's non-galaxies that "
        f"carry a PGC number (planetary nebulae, clusters) are left out.",
        "- Missing values: −9990 in every number field (also the 32-bit velocity).",
        "- Rebuild: `tools/make-data --only pgc` (generator `tools/datagen/pgc.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "pgc")
