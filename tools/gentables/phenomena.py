#!/usr/bin/env python3
"""Generate src/astro/phenomena_table.inc, the constant tables of the periodic phenomena.

Reads, from tools/tables/ (J. Meeus, Astronomical Algorithms; 1st-edition chapter numbers
first, the 2nd edition's in brackets):

* meeus_mean_elements_1st_vs_2nd_edition.tsv: the 1st-edition polynomials of the mean phase
  of the Moon and of M, M', F and Omega in the lunation number k (ch. 47 [49]), and the
  eccentricity factor E.
* meeus_49_phase_corrections_merged.tsv: the periodic terms of new moon, full moon and the
  quarters merged on their arguments (the Omega term is split off as one amplitude);
  meeus_49_quarter_W.tsv: the correction W of the quarters; meeus_49_planetary_arguments.tsv:
  the fourteen additional arguments A1..A14.
* meeus_27A_..., meeus_27B_...: the mean equinoxes and solstices as quartics in Y for the
  years -1000..+999 and +1000..+3000 (ch. 26 [27], tables A and B);
  meeus_27C_equinox_periodic_terms.tsv: the 24 periodic terms (table C).
* meeus_36A_planetary_phenomena_mean_elements.tsv, meeus_36B_..._periodic_terms.tsv,
  meeus_36_extra_arguments.tsv: conjunctions, oppositions and greatest elongations of the
  planets ([36], tables A and B with the additional arguments a..g).

Every number is written as it is printed in the table file.

Usage: python3 tools/gentables/phenomena.py [--check]
  --check  compare with the existing output instead of writing it (exit status 1 if it
           differs).
"""

import sys
from pathlib import Path

from _output import literal, read_tsv, write_or_check

ROOT = Path(__file__).resolve().parents[2]
TABLES = ROOT / "tools" / "tables"
TARGET = ROOT / "src" / "astro" / "phenomena_table.inc"

MEAN_ELEMENTS = TABLES / "meeus_mean_elements_1st_vs_2nd_edition.tsv"
PHASE_TERMS = TABLES / "meeus_49_phase_corrections_merged.tsv"
QUARTER_W = TABLES / "meeus_49_quarter_W.tsv"
PLANETARY_ARGS = TABLES / "meeus_49_planetary_arguments.tsv"
SEASON_A = TABLES / "meeus_27A_equinox_solstice_-1000_+1000.tsv"
SEASON_B = TABLES / "meeus_27B_equinox_solstice_+1000_+3000.tsv"
SEASON_C = TABLES / "meeus_27C_equinox_periodic_terms.tsv"
PHENOMENA_MEAN = TABLES / "meeus_36A_planetary_phenomena_mean_elements.tsv"
PHENOMENA_TERMS = TABLES / "meeus_36B_planetary_phenomena_periodic_terms.tsv"
PHENOMENA_EXTRA = TABLES / "meeus_36_extra_arguments.tsv"

PLANETS = ["Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"]
# Harmonics of M per planet (table 36.B) and the first row of each planet, fixed by the layout
# the code indexes.
HARMONICS = {"Mercury": 5, "Venus": 3, "Mars": 5, "Jupiter": 3, "Saturn": 3, "Uranus": 3,
             "Neptune": 2}
EXPECTED_INDEX = [(5, 0), (3, 11), (5, 18), (3, 29), (3, 36), (3, 43), (2, 50)]
EXTRA_ARGUMENTS = "abcdefg"
SEASON_EVENTS = ["March equinox", "June solstice", "September equinox", "December solstice"]


def lit(text):
    """A printed number as a C++ double literal (an empty cell is zero)."""
    return literal(text) if text and text.strip() else "0.0"


def poly(values):
    return "{" + ", ".join(lit(v) for v in values) + "}"


def fail(path, message):
    sys.exit(f"{path}: {message}")


# --- Moon phases ----------------------------------------------------------------------------

def lunation_poly():
    rows = [r for r in read_tsv(MEAN_ELEMENTS) if r["context"].startswith("moon phases")]
    wanted = ["JDE mean phase", "M (deg", "M' (deg", "F (deg", "Omega (deg"]
    out = []
    for prefix in wanted:
        match = [r for r in rows if r["quantity"].startswith(prefix) and r["edition"] == "1st"]
        if len(match) != 1:
            fail(MEAN_ELEMENTS, f"no single 1st-edition row for {prefix!r}")
        r = match[0]
        out.append([r[c] for c in ("c0", "c1", "c2", "c3", "c4")])
    e_rows = [r for r in rows if r["quantity"] == "E"]
    if len(e_rows) != 1:
        fail(MEAN_ELEMENTS, "no single row for E")
    e = [e_rows[0][c] for c in ("c0", "c1", "c2")]
    return out, e


def phase_terms():
    columns = ["M", "Mprime", "F", "Omega", "new_coef", "new_E_power", "full_coef",
               "full_E_power", "quarter_coef", "quarter_E_power"]
    rows = read_tsv(PHASE_TERMS, columns)
    if len(rows) != 26:
        fail(PHASE_TERMS, f"{len(rows)} rows, expected 26")
    node = [r for r in rows if r["Omega"] != "0"]
    if len(node) != 1 or any(node[0][c] != "0" for c in ("M", "Mprime", "F")):
        fail(PHASE_TERMS, "expected one term in Omega alone")
    node_coefs = {node[0][c] for c in ("new_coef", "full_coef", "quarter_coef")}
    if len(node_coefs) != 1:
        fail(PHASE_TERMS, "the Omega term differs between the phases")
    terms = [r for r in rows if r["Omega"] == "0"]
    if len(terms) != 25:
        fail(PHASE_TERMS, f"{len(terms)} terms besides Omega, expected 25")
    return terms, node_coefs.pop()


def quarter_w():
    rows = read_tsv(QUARTER_W, ["kind", "M", "Mprime", "F", "Omega", "E_power", "coef_days"])
    if len(rows) != 6 or rows[0]["kind"] != "const":
        fail(QUARTER_W, "expected the constant and five cosine terms")
    if any(r["Omega"] != "0" for r in rows):
        fail(QUARTER_W, "W has no Omega term")
    return rows


def planetary_args():
    rows = read_tsv(PLANETARY_ARGS, ["name", "c0_deg", "c_k_deg", "c_T2_deg", "amplitude_days"])
    if [r["name"] for r in rows] != [f"A{i}" for i in range(1, 15)]:
        fail(PLANETARY_ARGS, "expected A1..A14 in order")
    return rows


# --- Equinoxes and solstices ----------------------------------------------------------------

def season_poly(path):
    rows = read_tsv(path, ["event", "c0", "c1_Y", "c2_Y2", "c3_Y3", "c4_Y4"])
    if [r["event"] for r in rows] != SEASON_EVENTS:
        fail(path, "expected the four events in order")
    return [[r[c] for c in ("c0", "c1_Y", "c2_Y2", "c3_Y3", "c4_Y4")] for r in rows]


def season_terms():
    rows = read_tsv(SEASON_C, ["A", "B_deg", "C_deg_per_century"])
    if len(rows) != 24:
        fail(SEASON_C, f"{len(rows)} rows, expected 24")
    return rows


# --- Planetary phenomena --------------------------------------------------------------------

def phenomena_mean():
    rows = read_tsv(PHENOMENA_MEAN, ["planet", "event", "A_JDE", "B_days", "M0_deg", "M1_deg"])
    out = []
    for planet in PLANETS:
        pair = [r for r in rows if r["planet"] == planet]
        if len(pair) != 2:
            fail(PHENOMENA_MEAN, f"{planet}: expected two events")
        first, second = pair
        if first["B_days"] != second["B_days"] or first["M1_deg"] != second["M1_deg"]:
            fail(PHENOMENA_MEAN, f"{planet}: B or M1 differ between the events")
        out.append((planet, first, second))
    return out


def event_names(planet):
    if planet in ("Mercury", "Venus"):
        return "inferior conjunction", "superior conjunction"
    return "opposition", "conjunction"


def series(rows, planet, event, n, path):
    """The const, sin jM, cos jM rows (j = 1..n) of one event, and its other terms."""
    mine = {r["term"]: [r["c0"], r["c1_T"], r["c2_T2"]]
            for r in rows if r["planet"] == planet and r["event"] == event}
    if "const" not in mine:
        fail(path, f"{planet} {event}: no constant term")
    zero = ["0", "0", "0"]
    out = [mine.pop("const")]
    for j in range(1, n + 1):
        name = "M" if j == 1 else f"{j}M"
        out.append(mine.pop(f"sin {name}", zero))
        out.append(mine.pop(f"cos {name}", zero))
    return out, mine


def phenomena_terms():
    rows = read_tsv(PHENOMENA_TERMS, ["planet", "event", "term", "c0", "c1_T", "c2_T2"])
    index, table, extra = [], [], []
    for planet in PLANETS:
        n = HARMONICS[planet]
        first_event, second_event = event_names(planet)
        first, rest1 = series(rows, planet, first_event, n, PHENOMENA_TERMS)
        second, rest2 = series(rows, planet, second_event, n, PHENOMENA_TERMS)
        if rest1 != rest2:
            fail(PHENOMENA_TERMS, f"{planet}: the additional terms differ between the events")
        index.append((n, len(table)))
        table.extend(zip(first, second))
        by_argument = {}
        for term, coefs in rest1.items():
            fn, arg = term.split(" ")
            if fn not in ("sin", "cos") or arg not in EXTRA_ARGUMENTS:
                fail(PHENOMENA_TERMS, f"{planet}: unexpected term {term!r}")
            by_argument.setdefault(arg, {})[fn] = coefs
        for arg in sorted(by_argument):
            pair = by_argument[arg]
            extra.append((planet, arg, pair.get("sin", ["0", "0", "0"]),
                          pair.get("cos", ["0", "0", "0"])))
    if index != EXPECTED_INDEX:
        fail(PHENOMENA_TERMS, f"index {index}, expected {EXPECTED_INDEX}")
    return index, table, extra


def elongation_terms():
    rows = read_tsv(PHENOMENA_TERMS)
    index, table = [], []
    for planet in ("Mercury", "Venus"):
        n = HARMONICS[planet]
        for side in ("eastern", "western"):
            time, rest_t = series(rows, planet, f"greatest {side} elongation (time)", n,
                                  PHENOMENA_TERMS)
            angle, rest_a = series(rows, planet, f"greatest {side} elongation (angle)", n,
                                   PHENOMENA_TERMS)
            if rest_t or rest_a:
                fail(PHENOMENA_TERMS, f"{planet} {side} elongation: unexpected terms")
            index.append((n, len(table)))
            table.extend(zip(time, angle))
    return index, table


def extra_arguments():
    rows = read_tsv(PHENOMENA_EXTRA, ["name", "used_for", "c0_deg", "c1_deg_per_century"])
    if [r["name"] for r in rows] != list(EXTRA_ARGUMENTS):
        fail(PHENOMENA_EXTRA, "expected a..g in order")
    return rows


# --- Output ---------------------------------------------------------------------------------

def render():
    lunation, ecc = lunation_poly()
    phases, node_amplitude = phase_terms()
    w_terms = quarter_w()
    args = planetary_args()
    season_a = season_poly(SEASON_A)
    season_b = season_poly(SEASON_B)
    s_terms = season_terms()
    mean = phenomena_mean()
    p_index, p_table, p_extra = phenomena_terms()
    e_index, e_table = elongation_terms()
    extra_args = extra_arguments()

    out = [
        "// generated by tools/gentables/phenomena.py, do not edit",
        "// Sources: the tables in tools/tables/ named below (J. Meeus, Astronomical Algorithms,",
        "// 1st ed. chapters 26 and 47; 2nd ed. chapters 27, 36 and 49). Numbers as printed.",
        "",
        "// Mean phase of the Moon and the Sun's and Moon's arguments as c0 + c1 k + c2 T^2 +",
        "// c3 T^3 + c4 T^4: rows JDE (days), M, M', F, Omega (degrees); 1st-edition constants",
        "// (meeus_mean_elements_1st_vs_2nd_edition.tsv).",
        "constexpr std::array<TPoly4, 5> kLunationPoly = {{",
    ]
    names = ["JDE of the mean phase", "M", "M'", "F", "Omega"]
    for name, row in zip(names, lunation):
        out.append(f"    {poly(row)},  // {name}")
    out += [
        "}};",
        "",
        "// Eccentricity factor E = c0 + c1 T + c2 T^2.",
        f"constexpr TPoly2 kPhaseEccentricity = {poly(ecc)};",
        "",
        "// Periodic terms of the phases (meeus_49_phase_corrections_merged.tsv): multiples of M,",
        "// M', F; amplitudes (days) and powers of E for new moon, full moon and the quarters.",
        f"constexpr std::array<TPhaseTerm, {len(phases)}> kPhaseTerms = {{{{",
    ]
    for r in phases:
        mult = ", ".join(f"{int(r[c]):2d}" for c in ("M", "Mprime", "F"))
        amps = ", ".join(lit(r[f"{p}_coef"]) for p in ("new", "full", "quarter"))
        powers = ", ".join(str(int(r[f"{p}_E_power"] or 0)) for p in ("new", "full", "quarter"))
        out.append(f"    {{{mult}, {{{amps}}}, {{{powers}}}}},")
    out += [
        "}};",
        "",
        "// The term in Omega alone, the same for every phase (days, times sin Omega).",
        f"constexpr double kPhaseNodeAmplitude = {lit(node_amplitude)};",
        "",
        "// W of the quarters (meeus_49_quarter_W.tsv): multiples of M, M', F, power of E and",
        "// the cosine coefficient (days); the first row is the constant.",
        f"constexpr std::array<TQuarterWTerm, {len(w_terms)}> kQuarterWTerms = {{{{",
    ]
    for r in w_terms:
        mult = ", ".join(f"{int(r[c]):2d}" for c in ("M", "Mprime", "F"))
        out.append(f"    {{{mult}, {int(r['E_power'])}, {lit(r['coef_days'])}}},")
    out += [
        "}};",
        "",
        "// Additional arguments A1..A14 = c0 + ck k + cT2 T^2 (degrees) and their amplitudes",
        "// (days) (meeus_49_planetary_arguments.tsv).",
        f"constexpr std::array<TPlanetaryArg, {len(args)}> kPlanetaryArgs = {{{{",
    ]
    for r in args:
        out.append("    {" + ", ".join(lit(r[c]) for c in ("c0_deg", "c_k_deg", "c_T2_deg",
                                                            "amplitude_days")) + "},  // "
                   + r["name"])
    out += [
        "}};",
        "",
        "// Mean equinoxes and solstices as quartics in Y: [0] table A (years -1000..+999,",
        "// Y = year / 1000), [1] table B (years +1000..+3000, Y = (year - 2000) / 1000); rows",
        "// March equinox, June solstice, September equinox, December solstice.",
        "constexpr std::array<std::array<TPoly4, 4>, 2> kSeasonPoly = {{",
    ]
    for table in (season_a, season_b):
        out.append("    {{")
        for event, row in zip(SEASON_EVENTS, table):
            out.append(f"        {poly(row)},  // {event}")
        out.append("    }},")
    out += [
        "}};",
        "",
        "// Periodic terms A cos(B + C T) of the equinoxes and solstices: A, B (degrees), C",
        "// (degrees per century) (meeus_27C_equinox_periodic_terms.tsv).",
        f"constexpr std::array<TSeasonTerm, {len(s_terms)}> kSeasonTerms = {{{{",
    ]
    for r in s_terms:
        out.append("    {" + ", ".join(lit(r[c]) for c in ("A", "B_deg", "C_deg_per_century"))
                   + "},")
    out += [
        "}};",
        "",
        "// Mean planetary phenomena (meeus_36A_planetary_phenomena_mean_elements.tsv), rows",
        "// Mercury .. Neptune: A of the first and second phenomenon (JDE), B (days), M0 of the",
        "// first and second phenomenon and M1 (degrees). First: inferior conjunction (Mercury,",
        "// Venus) or opposition; second: superior conjunction or conjunction.",
        f"constexpr std::array<TPhenomenonMeanRow, {len(mean)}> kPhenomenonMean = {{{{",
    ]
    for planet, first, second in mean:
        out.append(f"    {{{{{lit(first['A_JDE'])}, {lit(second['A_JDE'])}}}, "
                   f"{lit(first['B_days'])}, {{{lit(first['M0_deg'])}, "
                   f"{lit(second['M0_deg'])}}}, {lit(first['M1_deg'])}}},  // {planet}")
    out += [
        "}};",
        "",
        "// Harmonics n and first row in kPhenomenonTerms, rows Mercury .. Neptune.",
        f"constexpr std::array<TTermIndex, {len(p_index)}> kPhenomenonIndex = {{{{",
    ]
    for planet, (n, first) in zip(PLANETS, p_index):
        out.append(f"    {{{n}, {first:2d}}},  // {planet}")
    out += [
        "}};",
        "",
        "// Periodic terms of the phenomena (meeus_36B_planetary_phenomena_periodic_terms.tsv):",
        "// per planet the constant, then sin jM and cos jM for j = 1..n; each row a quadratic",
        "// in T (days) for the first and for the second phenomenon.",
        f"constexpr std::array<TPhenomenonTerm, {len(p_table)}> kPhenomenonTerms = {{{{",
    ]
    row_no = 0
    for planet, (n, first) in zip(PLANETS, p_index):
        labels = ["const"] + [f"{fn} {j}M" for j in range(1, n + 1) for fn in ("sin", "cos")]
        for label in labels:
            a, b = p_table[row_no]
            out.append(f"    {{{poly(a)}, {poly(b)}}},  // {planet} {label}")
            row_no += 1
    out += [
        "}};",
        "",
        "// Additional arguments a..g = c0 + c1 T (degrees) (meeus_36_extra_arguments.tsv).",
        f"constexpr std::array<TLinearArg, {len(extra_args)}> kPhenomenonArgs = {{{{",
    ]
    for r in extra_args:
        out.append(f"    {{{lit(r['c0_deg'])}, {lit(r['c1_deg_per_century'])}}},  // "
                   f"{r['name']}")
    out += [
        "}};",
        "",
        "// Terms of the additional arguments, the same for both phenomena: planet row (1",
        "// Mercury .. 7 Neptune), argument (0 = a .. 6 = g), the sine and the cosine coefficient",
        "// as quadratics in T (days).",
        f"constexpr std::array<TPhenomenonExtraTerm, {len(p_extra)}> kPhenomenonExtraTerms = {{{{",
    ]
    for planet, arg, sin_c, cos_c in p_extra:
        out.append(f"    {{{PLANETS.index(planet) + 1}, {EXTRA_ARGUMENTS.index(arg)}, "
                   f"{poly(sin_c)}, {poly(cos_c)}}},  // {planet} {arg}")
    out += [
        "}};",
        "",
        "// Greatest elongations: harmonics n and first row in kElongationTerms for Mercury",
        "// east, Mercury west, Venus east, Venus west.",
        f"constexpr std::array<TTermIndex, {len(e_index)}> kElongationIndex = {{{{",
    ]
    for label, (n, first) in zip(("Mercury east", "Mercury west", "Venus east", "Venus west"),
                                 e_index):
        out.append(f"    {{{n}, {first:2d}}},  // {label}")
    out += [
        "}};",
        "",
        "// Terms of the greatest elongations (meeus_36B_planetary_phenomena_periodic_terms.tsv):",
        "// the constant, then sin jM and cos jM for j = 1..n; each row a quadratic in T for the",
        "// time from the inferior conjunction's JDE0 (days) and for the elongation (degrees).",
        f"constexpr std::array<TElongationTerm, {len(e_table)}> kElongationTerms = {{{{",
    ]
    row_no = 0
    for label, (n, first) in zip(("Mercury east", "Mercury west", "Venus east", "Venus west"),
                                 e_index):
        labels = ["const"] + [f"{fn} {j}M" for j in range(1, n + 1) for fn in ("sin", "cos")]
        for term in labels:
            a, b = e_table[row_no]
            out.append(f"    {{{poly(a)}, {poly(b)}}},  // {label} {term}")
            row_no += 1
    out.append("}};")
    return "\n".join(out) + "\n"


def main():
    text = render()
    return write_or_check(TARGET, text)


if __name__ == "__main__":
    sys.exit(main())
