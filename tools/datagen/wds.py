"""The "wds" catalog: wds2000/01.dat ... 50.dat, the double stars of the Washington Double Star
Catalog that have a Hipparcos number, in 52-byte records binned by the 50-zone scheme.

Source: Stellarium's WDS part (wds_hip_part.dat: HIP, WDS designation, year, position angle and
separation of the last observation) and its discoverer names (extra_name.fab), placed at the
Hipparcos position of the primary and given its V and MK type.

Record (little-endian, packed): 0 int32 RA, 4 int32 Dec (0.00001 degree), 8 uint32 DM number,
12/14 int16 first/last year, 16/18 int16 first/last position angle (degrees), 20/22 int16
first/last separation (0.01"), 24/26 int16 primary/secondary magnitude (0.01), 28 char[7]
discoverer code and number ("STF2272", "BU  860"), 35 char[5] components, 40 char[9] spectral
type, 49 char[2] note, 51 one unused byte (0). Values the source lacks: DM 0; first year,
first angle, first separation and secondary magnitude -999; components and note blank.
Inside a zone the pairs run from the brightest primary.
"""
import struct

from . import starsources, zones

DIRECTORY = "wds2000"
OUTPUTS = [zones.zone_file_name(DIRECTORY, z, 2) for z in range(1, 51)]

RECORD = struct.Struct("<iiIhhhhhhhh7s5s9s2sx")
assert RECORD.size == 52
MISSING = -999

# Stellarium writes the classical symbols of the old discoverers; the WDS codes for them.
# (h for John Herschel is written "HJ" in the source already.)
DISCOVERER_CODES = {
    "Σ": "STF",       # F. G. W. Struve
    "Σ I": "STFA",    # Struve, first appendix
    "Σ II": "STFB",   # Struve, second appendix
    "ΟΣ": "STT",      # O. Struve
    "ΟΣΣ": "STTA",    # O. Struve, appendix
    "β": "BU",        # S. W. Burnham
    "β pm": "BUP",    # Burnham, proper-motion pairs
    "Δ": "DUN",       # J. Dunlop
    "λ": "SEE",       # T. J. J. See
    "φ": "FIN",       # W. S. Finsen
}


def discoverer(name):
    """The 7-character WDS discoverer field of a Stellarium name such as "β 860" or "HDS 1":
    the code (mapped from the classical symbol) left-aligned and the number right-aligned,
    "BU  860"; a code and number that do not fit lose the blanks between them, then the end.
    Greek symbols without a WDS code are transliterated ("Lβ" -> "Lb")."""
    code, _, number = name.rpartition(" ")
    if not code:
        code, number = name, ""
    code = DISCOVERER_CODES.get(code, code)
    code = "".join(GREEK_LATIN.get(ch, ch) for ch in code)
    gap = 7 - len(code) - len(number)
    text = code + " " * max(gap, 0) + number if number else code
    return text[:7]


GREEK_LATIN = {"α": "a", "β": "b", "γ": "g", "δ": "d", "ε": "e", "λ": "l", "μ": "m", "ν": "n",
               "π": "p", "ρ": "r", "σ": "s", "τ": "t", "φ": "f", "χ": "c", "ψ": "y", "ω": "w",
               "Σ": "S", "Ο": "O", "Δ": "D"}


def build(table, doubles, names):
    stats = {"pairs": 0, "no_position": 0, "discoverer": 0, "sep_clamped": 0, "sp": 0,
             "unknown": 0}
    records = []
    for d in doubles:
        star = table.primary(d.hip)
        if star is None:
            stats["no_position"] += 1
            continue
        ra_u, dec_u = zones.encode_ra(star.ra), zones.encode_dec(star.dec)
        sep = MISSING if d.sep is None else round(d.sep * 100)
        if sep > 32767:
            sep = 32767
            stats["sep_clamped"] += 1
        year = MISSING if d.year is None else d.year
        pa = MISSING if d.pa is None else d.pa
        stats["unknown"] += d.year is None or d.pa is None or d.sep is None
        disc = discoverer(names[d.hip][0]) if d.hip in names else ""
        v = starsources.int16(star.v)
        data = RECORD.pack(ra_u, dec_u, 0, MISSING, year, MISSING, pa, MISSING, sep, v,
                           MISSING, starsources.chars(disc, 7), starsources.chars("", 5),
                           starsources.chars(star.sp, 9), starsources.chars("", 2))
        records.append((zones.FIL50.zone_of_units(ra_u, dec_u), (v, ra_u, dec_u, d.hip), data))
        stats["pairs"] += 1
        stats["discoverer"] += bool(disc)
        stats["sp"] += bool(star.sp.strip())
    return starsources.zone_files(records, DIRECTORY, 50, 2), stats


def generate(ctx):
    table = starsources.star_table(ctx)
    base = table.stellarium.path(starsources.STELLARIUM_DIR)
    doubles = starsources.wds_part(base / "wds_hip_part.dat")
    names = starsources.hip_names(base / "extra_name.fab")
    files, st = build(table, doubles, names)
    body = "\n".join([
        "## wds2000/01.dat … wds2000/50.dat (\"wds\")", "",
        "The double stars of the Washington Double Star Catalog that have a Hipparcos number, "
        "in 52-byte records binned by the 50 zones of `fil50.dta` (brightest primary first "
        "inside a zone).", "",
        f"- Source: {table.stellarium.label} (`{table.stellarium.command}`), "
        f"`{starsources.STELLARIUM_DIR}`: `wds_hip_part.dat` ({len(doubles)} pairs: HIP, WDS "
        f"designation, year, position angle and separation of the last observation), "
        f"`extra_name.fab` (discoverer designations), the Hipparcos position, V and MK type of "
        f"the primary from `stars_0..2_0v0_8.cat` (V from KStars' `stars.dat`, "
        f"{table.kstars.label}, where it has the star).",
        "- Licence: GPL-2+ (the packages); WDS: U.S. Naval Observatory, public.",
        "- Attribution: Mason, B. D., Wycoff, G. L., Hartkopf, W. I. et al., *The Washington "
        "Visual Double Star Catalog*, U.S. Naval Observatory (as extracted for Hipparcos stars "
        "by the Stellarium project).",
        f"- Records: {st['pairs']} pairs ({st['no_position']} of the source's left out for "
        f"want of a Hipparcos position); discoverer designation for {st['discoverer']}; "
        f"spectral type for {st['sp']}; {st['sep_clamped']} separations beyond 327.67″ stored "
        f"as 327.67; {st['unknown']} with a year, angle or separation the source gives as "
        f"unknown (−1), written −999.",
        "- Fields: last year, last position angle and last separation from the source; primary "
        "magnitude = Hipparcos V of the primary; discoverer code and number in the WDS style "
        "(\"BU  860\"), Stellarium's classical symbols mapped to the WDS codes Σ→STF, Σ I→STFA, "
        "Σ II→STFB, ΟΣ→STT, ΟΣΣ→STTA, β→BU, β pm→BUP, Δ→DUN, λ→SEE, φ→FIN (others as "
        "written). Caveat: the source gives one pair per Hipparcos star and a list of "
        "designations for the system without saying which belongs to that pair; the record "
        "takes the first designation, which names the system but need not be the measured "
        "pair (Sirius: \"AGC   1\" is the pair A-B at about 10″, the measures 2011, 61°, "
        "125.7″ are of another component).",
        "- Stand-ins and gaps: the full WDS (about 150 000 pairs) is in no package. Not in "
        "the source, written as missing: BD/DM number (0), first year, first position angle, "
        "first separation and secondary magnitude (−999), components and note (blank).",
        "- Rebuild: `tools/make-data --only wds` (generator `tools/datagen/wds.py`).",
    ]) + "\n"
    return starsources.catalog_outputs(files, RECORD.size, body, "wds")
