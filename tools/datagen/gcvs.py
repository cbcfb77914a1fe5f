"""The "gcvs" catalog: gcvs2000/01.dat ... 50.dat, the variable stars of the General Catalogue
of Variable Stars that have a Hipparcos number, in 44-byte records binned by the 50-zone
scheme.

Source: Stellarium's GCVS part (gcvs_hip_part.dat, GCVS 2013 April), placed at the Hipparcos
position of the star.

Record (little-endian, packed): 0 int32 RA, 4 int32 Dec (0.00001 degree), 8 int32 GCVS number
(constellation number * 10000 + number of the name in the constellation, 0 for stars named
by a Greek or Latin letter), 12 float32 period in days (0 = none), 16 int16 magnitude at
maximum, 18 int16 magnitude at minimum (0.01; 99.00 = none), 20 and 21 one flag character
each (blank: the source keeps none), 22 uint8 photometric system (PHOTOMETRIC_SYSTEMS),
23 char[10] GCVS name ("R And", "alf Ori"), 33 char[10] variability type, 43 one unused
byte (0). Inside a zone the stars run from the brightest maximum.
"""
import struct

from . import starsources, textout, zones

DIRECTORY = "gcvs2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

RECORD = struct.Struct("<iiifhhccB10s10sx")
assert RECORD.size == 44
NO_MAGNITUDE = 99.0
CONSTELLATION_NAMES = "usr/share/stellarium/skycultures/western/constellation_names.eng.fab"

# Photometric systems of the GCVS by code (index); 0 = not given. The same table is in
# src/catalogs/catalog_records.h.
PHOTOMETRIC_SYSTEMS = ["", "V", "p", "B", "U", "R", "I", "J", "H", "K", "Hp", "b", "v", "y",
                       "Y", "T", "*"]

# The GCVS writes Greek letters with these three-letter abbreviations.
GCVS_GREEK = {"α": "alf", "β": "bet", "γ": "gam", "δ": "del", "ε": "eps", "ζ": "zet",
              "η": "eta", "θ": "tet", "ι": "iot", "κ": "kap", "λ": "lam", "μ": "mu.",
              "ν": "nu.", "ξ": "ksi", "ο": "omi", "π": "pi.", "ρ": "rho", "σ": "sig",
              "τ": "tau", "υ": "ups", "φ": "phi", "χ": "khi", "ψ": "psi", "ω": "ome"}
SUPERSCRIPTS = {"¹": "1", "²": "2", "³": "3", "⁴": "4", "⁵": "5", "⁶": "6", "⁷": "7",
                "⁸": "8", "⁹": "9"}


def _letter_names():
    """The GCVS letter names in their order (R ... Z, RR ... ZZ, AA ... QZ; J is not used):
    {name: number 1 ... 334}."""
    letters = [c for c in "ABCDEFGHIKLMNOPQRSTUVWXYZ"]      # no J
    late = letters[letters.index("R"):]
    names = list(late)
    for i, a in enumerate(late):
        names += [a + b for b in late[i:]]
    for i, a in enumerate(letters[:letters.index("R")]):
        names += [a + b for b in letters[i:]]
    assert len(names) == 334 and names[9] == "RR" and names[54] == "AA" and names[-1] == "QZ"
    return {n: i + 1 for i, n in enumerate(names)}


LETTER_NAMES = _letter_names()


def constellation_numbers(path):
    """{abbreviation: GCVS constellation number}: the 88 constellations numbered 1 ... 88 in
    the alphabetical order of their Latin names (And 1, Ant 2, ..., Vul 88), as the GCVS does."""
    latin = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split("\t")
            if len(parts) >= 2 and parts[0].strip():
                latin[parts[0].strip()] = parts[1].strip().strip('"')
    if len(latin) != 88:
        raise ValueError(f"{path}: {len(latin)} constellations, expected 88")
    order = sorted(latin, key=lambda a: textout.transliterate(latin[a]))
    return {a: i + 1 for i, a in enumerate(order)}


def gcvs_name(name):
    """The GCVS name in Windows-1252: Greek letters as the GCVS abbreviates them."""
    out = []
    for ch in name:
        out.append(GCVS_GREEK.get(ch) or SUPERSCRIPTS.get(ch) or ch)
    return textout.transliterate("".join(out))


def gcvs_number(name, numbers):
    """GCVS number of a star name ("R And" -> 10001, "V1285 Aql" -> 51285); 0 for a star
    named by a Greek or Latin letter or for an unknown constellation."""
    star, _, con = name.rpartition(" ")
    if con not in numbers:
        return 0
    if star in LETTER_NAMES:
        return numbers[con] * 10000 + LETTER_NAMES[star]
    if len(star) > 1 and star[0] == "V" and star[1:].isdigit():
        n = int(star[1:])
        if 335 <= n <= 9999:
            return numbers[con] * 10000 + n
    return 0


def build(table, variables, numbers):
    stats = {"stars": 0, "no_position": 0, "numbered": 0, "period": 0, "amplitude": 0,
             "no_min": 0, "no_max": 0}
    records = []
    for var in variables:
        star = table.primary(var.hip)
        if star is None:
            stats["no_position"] += 1
            continue
        ra_u, dec_u = zones.encode_ra(star.ra), zones.encode_dec(star.dec)
        mag_max = var.max if var.max is not None else NO_MAGNITUDE
        if var.min1 is None or (var.max is None and var.amplitude):
            mag_min = NO_MAGNITUDE
        elif var.amplitude:
            mag_min = var.max + var.min1
            stats["amplitude"] += 1
        else:
            mag_min = var.min1
        number = gcvs_number(var.name, numbers)
        code = PHOTOMETRIC_SYSTEMS.index(var.system) if var.system in PHOTOMETRIC_SYSTEMS else 0
        vmax = starsources.int16(mag_max)
        data = RECORD.pack(ra_u, dec_u, number, float(var.period or 0.0), vmax,
                           starsources.int16(mag_min), b" ", b" ", code,
                           starsources.chars(gcvs_name(var.name), 10),
                           starsources.chars(var.type, 10))
        records.append((zones.FIL50.zone_of_units(ra_u, dec_u), (vmax, ra_u, dec_u, var.hip,
                                                                 var.name), data))
        stats["stars"] += 1
        stats["numbered"] += number != 0
        stats["period"] += bool(var.period)
        stats["no_min"] += mag_min == NO_MAGNITUDE
        stats["no_max"] += var.max is None
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = starsources.star_table(ctx)
    base = table.stellarium.path(starsources.STELLARIUM_DIR)
    variables = starsources.gcvs_part(base / "gcvs_hip_part.dat")
    numbers = constellation_numbers(table.stellarium.path(CONSTELLATION_NAMES))
    files, st = build(table, variables, numbers)
    codes = ", ".join(f"{i} {s}" for i, s in enumerate(PHOTOMETRIC_SYSTEMS) if s)
    body = "\n".join([
        "## gcvs2000/01.dat … gcvs2000/50.dat (\"gcvs\")", "",
        "The variable stars of the General Catalogue of Variable Stars that have a Hipparcos "
        "number, in 44-byte records binned by the 50 zones of `fil50.dta` (brightest maximum "
        "first inside a zone).", "",
        f"- Source: {table.stellarium.label} (`{table.stellarium.command}`), "
        f"`{starsources.STELLARIUM_DIR}gcvs_hip_part.dat` ({len(variables)} stars: name, type, "
        f"maximum, minimum or amplitude, photometric system, epoch, period, spectral type; "
        f"GCVS version 2013 April per the package's copyright file), placed at the Hipparcos "
        f"position of the star (`stars_0..2_0v0_8.cat`); constellation order from "
        f"`{CONSTELLATION_NAMES}`.",
        "- Licence: GPL-2+ (the package); GCVS: Sternberg Astronomical Institute, Moscow, "
        "public.",
        "- Attribution: Samus, N. N., Durlevich, O. V., et al., *General Catalogue of "
        "Variable Stars*, Sternberg Astronomical Institute, Moscow (version of 2013 April, "
        "CDS catalogue B/gcvs), as extracted for Hipparcos stars by the Stellarium project.",
        f"- Records: {st['stars']} stars ({st['no_position']} of the source's left out for "
        f"want of a Hipparcos position); GCVS number for {st['numbered']}; period for "
        f"{st['period']}; minimum computed as maximum + amplitude for {st['amplitude']}; "
        f"no minimum for {st['no_min']}, no maximum for {st['no_max']} (written 99.00).",
        "- Fields: GCVS number = constellation number (1 And … 88 Vul, alphabetical by Latin "
        "name) × 10000 + the number of the name (R = 1 … Z = 9, RR = 10 … ZZ = 54, AA = 55 … "
        "QZ = 334, V335 = 335 …); stars named by a Greek or Latin letter get 0. Period in days "
        "(float). Photometric system codes: " + codes + ", 0 not given. Name with the GCVS's "
        "abbreviations of Greek letters (\"alf Ori\").",
        "- Stand-ins and gaps: the full GCVS (about 58 000 stars) is in no package; only its "
        "Hipparcos stars are here. The flag characters after the magnitudes (\"<\", \":\", "
        "\"(\") are not in the source and are written blank.",
        "- Rebuild: `tools/make-data --only gcvs` (generator `tools/datagen/gcvs.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "gcvs")
