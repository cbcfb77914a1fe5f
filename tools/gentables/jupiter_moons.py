#!/usr/bin/env python3
"""Generate src/astro/jupiter_moons_table.inc from the tables of the Galilean satellites.

The theory is Lieske's E-2x3 as J. Meeus prints it in Astronomical Algorithms, 1st ed.
(1991), chapter 43, higher-accuracy method:
  tools/tables/meeus_jupiter_satellites_1st_ed_E2x3_elements.tsv
      the mean elements l, perijove and node of the four satellites, Phi_lambda, psi, G, G'
      (each c0 + c1 t degrees, t in days from JD 2443000.5), the two terms of Gamma, the
      longitude of Jupiter's perihelion PI and the four radius factors;
  tools/tables/meeus_jupiter_satellites_1st_ed_E2x3_terms.tsv
      the periodic terms of the longitude (sine, degrees), the tangent of the latitude
      (sine) and the radius vector (cosine) of each satellite, with the multiples of the
      arguments.

Each term is written with its non-zero arguments only (at most four) and its constant
angle (a few longitude terms of Europa, Ganymede and Callisto). In a latitude term the
satellite's own true longitude L is written as its mean longitude l: the code evaluates
the latitude series with that mean longitude raised by the longitude perturbation, so
there it is L. Every literal is the published number.

Usage: python3 tools/gentables/jupiter_moons.py [--check]
  --check  compare with the existing output instead of writing it (exit status 1 if it
           differs).
"""

import csv
import re
import sys
from decimal import Decimal
from pathlib import Path

from _output import literal as printed_literal, read_tsv, write_or_check

ROOT = Path(__file__).resolve().parents[2]
ELEMENTS = ROOT / "tools" / "tables" / "meeus_jupiter_satellites_1st_ed_E2x3_elements.tsv"
TERMS = ROOT / "tools" / "tables" / "meeus_jupiter_satellites_1st_ed_E2x3_terms.tsv"
TARGET = ROOT / "src" / "astro" / "jupiter_moons_table.inc"

SATELLITES = ["Io", "Europa", "Ganymede", "Callisto"]
SERIES = ["longitude", "latitude", "radius"]
FUNCTION = {"longitude": "sin", "latitude": "sin", "radius": "cos"}
# Published term counts (longitude, latitude, radius) of each satellite.
COUNTS = {
    "Io": (23, 7, 8),
    "Europa": (41, 9, 11),
    "Ganymede": (43, 11, 10),
    "Callisto": (50, 8, 16),
}
MAX_ARGUMENTS = 4

# Multiplier columns of the terms file and the enumerators of jupiter_moons.cpp for them.
ARGUMENTS = {
    "l1": "kArgL1", "l2": "kArgL2", "l3": "kArgL3", "l4": "kArgL4",
    "pi1": "kArgPi1", "pi2": "kArgPi2", "pi3": "kArgPi3", "pi4": "kArgPi4",
    "w1": "kArgOmega1", "w2": "kArgOmega2", "w3": "kArgOmega3", "w4": "kArgOmega4",
    "PI": "kArgPerihelion", "G": "kArgG", "Gp": "kArgGPrime", "psi": "kArgPsi",
    "phi": "kArgPhiLambda", "Sigma": "kArgSigma",
}
TERM_COLUMNS = (["satellite", "series", "term", "amplitude", "function", "argument"]
                + ["l1", "l2", "l3", "l4", "pi1", "pi2", "pi3", "pi4", "w1", "w2", "w3", "w4",
                   "PI", "G", "Gp", "psi", "phi", "L", "Sigma", "const_deg"])


def literal(text):
    """A published number as a C++ double literal, digits kept as printed; zero as 0.0."""
    return "0.0" if Decimal(text.strip()) == 0 else printed_literal(text)


def read_elements():
    with ELEMENTS.open(newline="", encoding="utf-8") as f:
        reader = csv.reader(f, delimiter="\t")
        header = next(reader)
        if header != ["quantity", "c0_deg", "c1_deg_per_day"]:
            sys.exit(f"{ELEMENTS}: unexpected columns {header}")
        rows = [r for r in reader if r]
    linear = {}
    gamma = []
    radius = {}
    for row in rows:
        quantity, c0 = row[0], row[1]
        c1 = row[2] if len(row) > 2 else ""
        if quantity.startswith("Gamma term"):
            m = re.fullmatch(r"Gamma term \d: ([0-9.]+)\*sin\(c0 \+ c1\*t\)", quantity)
            if not m:
                sys.exit(f"{ELEMENTS}: cannot read '{quantity}'")
            gamma.append((m.group(1), c0, c1))
        elif quantity.startswith("radius factor "):
            radius[quantity[len("radius factor "):]] = c0
        else:
            linear[quantity.split()[0]] = (c0, c1)
    wanted = ["l1", "l2", "l3", "l4", "pi1", "pi2", "pi3", "pi4", "w1", "w2", "w3", "w4",
              "phi", "psi", "G", "Gp", "PI"]
    missing = [q for q in wanted if q not in linear]
    if missing or len(gamma) != 2 or sorted(radius) != sorted(SATELLITES):
        sys.exit(f"{ELEMENTS}: incomplete (missing {missing}, {len(gamma)} Gamma terms, "
                 f"radius factors {sorted(radius)})")
    if Decimal(linear["PI"][1]) != 0:
        sys.exit(f"{ELEMENTS}: PI is expected to be a constant")
    return linear, gamma, radius


def read_terms():
    rows = read_tsv(TERMS, TERM_COLUMNS)
    grouped = {(s, k): [] for s in SATELLITES for k in SERIES}
    for row in rows:
        key = (row["satellite"], row["series"])
        if key not in grouped:
            sys.exit(f"{TERMS}: unknown satellite or series {key}")
        if row["function"] != FUNCTION[row["series"]]:
            sys.exit(f"{TERMS}: {key} term {row['term']} is a {row['function']} term")
        grouped[key].append(row)
    for sat in SATELLITES:
        for series, count in zip(SERIES, COUNTS[sat]):
            terms = grouped[(sat, series)]
            if len(terms) != count:
                sys.exit(f"{TERMS}: {sat} {series} has {len(terms)} terms, expected {count}")
            if [int(t["term"]) for t in terms] != list(range(1, count + 1)):
                sys.exit(f"{TERMS}: {sat} {series} terms are not numbered 1..{count}")
    return grouped


def term_arguments(sat_index, series, row):
    """The (enumerator, multiplier) pairs of one term, own L folded into the own l."""
    own_l = f"l{sat_index + 1}"
    multipliers = {}
    for column in ARGUMENTS:
        value = Decimal(row[column])
        if value != 0:
            multipliers[column] = multipliers.get(column, Decimal(0)) + value
    big_l = Decimal(row["L"])
    if big_l != 0:
        if series != "latitude":
            sys.exit(f"{TERMS}: L used in a {series} term")
        multipliers[own_l] = multipliers.get(own_l, Decimal(0)) + big_l
    if "Sigma" in multipliers and series != "latitude":
        sys.exit(f"{TERMS}: Sigma used in a {series} term")
    pairs = [(ARGUMENTS[c], multipliers[c]) for c in ARGUMENTS
             if c in multipliers and multipliers[c] != 0]
    if not pairs or len(pairs) > MAX_ARGUMENTS:
        sys.exit(f"{TERMS}: {row['satellite']} {series} term {row['term']} has "
                 f"{len(pairs)} arguments")
    return pairs


def multiplier_literal(value):
    value = value.normalize()
    if value == value.to_integral_value():
        return f"{int(value)}.0"
    return format(value, "f")


def render(linear, gamma, radius, grouped):
    lines = [
        "// generated by tools/gentables/jupiter_moons.py, do not edit",
        "// Source: tools/tables/meeus_jupiter_satellites_1st_ed_E2x3_elements.tsv and",
        "// tools/tables/meeus_jupiter_satellites_1st_ed_E2x3_terms.tsv, Lieske's E-2x3 theory",
        "// of the Galilean satellites (J. Meeus, Astronomical Algorithms, 1st ed., chapter 43).",
        "// Included by jupiter_moons.cpp, which defines TSatLinear, TSatElementRates,",
        "// TSatGammaTerm, TSatTerm, TSatSeriesRanges, the kArg... enumerators and kDegree.",
        "",
        "// Mean longitude, longitude of the perijove and of the node of satellites I-IV:",
        "// c0 + c1 t degrees, t in days from JD 2443000.5.",
        "constexpr std::array<TSatElementRates, 4> kSatElementRates = {{",
    ]
    for i, sat in enumerate(SATELLITES, start=1):
        parts = []
        for name in (f"l{i}", f"pi{i}", f"w{i}"):
            c0, c1 = linear[name]
            parts.append(f"{{{literal(c0)}, {literal(c1)}}}")
        lines.append(f"    {{{', '.join(parts)}}},  // {sat}")
    lines.append("}};")
    lines.append("")
    lines.append("// Phase of the free libration, node of Jupiter's equator on the ecliptic, mean")
    lines.append("// anomalies of Jupiter (without Gamma) and of Saturn: c0 + c1 t degrees.")
    for name, cname in (("phi", "kSatPhiLambda"), ("psi", "kSatPsi"), ("G", "kSatG"),
                        ("Gp", "kSatGPrime")):
        c0, c1 = linear[name]
        lines.append(f"constexpr TSatLinear {cname} = {{{literal(c0)}, {literal(c1)}}};")
    lines.append("")
    lines.append("// Gamma, the great inequality in Jupiter's mean anomaly:")
    lines.append("// sum of amplitude sin(c0 + c1 t), degrees.")
    lines.append("constexpr std::array<TSatGammaTerm, 2> kSatGammaTerms = {{")
    for amp, c0, c1 in gamma:
        lines.append(f"    {{{literal(amp)}, {literal(c0)}, {literal(c1)}}},")
    lines.append("}};")
    lines.append("")
    lines.append("// Longitude of Jupiter's perihelion PI, degrees.")
    lines.append(f"constexpr double kSatPerihelionDeg = {literal(linear['PI'][0])};")
    lines.append("")
    lines.append("// Radius factors a of satellites I-IV, Jupiter equatorial radii.")
    lines.append("constexpr std::array<double, 4> kSatRadiusFactors = {"
                 + ", ".join(literal(radius[s]) for s in SATELLITES) + "};")
    lines.append("")
    lines.append("// Periodic terms {amplitude, constant angle (radians), number of arguments,")
    lines.append("// arguments, multiples}: longitude terms in degrees (sine), latitude terms of")
    lines.append("// tan B (sine), radius terms as fractions of a (cosine). Published order.")
    ranges = []
    body = []
    index = 0
    for i, sat in enumerate(SATELLITES):
        first = {}
        for series in SERIES:
            terms = grouped[(sat, series)]
            first[series] = (index, len(terms))
            body.append(f"    // {sat}, {series} ({len(terms)} terms)")
            for row in terms:
                pairs = term_arguments(i, series, row)
                args = [p[0] for p in pairs] + ["kArgL1"] * (MAX_ARGUMENTS - len(pairs))
                mults = ([multiplier_literal(p[1]) for p in pairs]
                         + ["0.0"] * (MAX_ARGUMENTS - len(pairs)))
                const = Decimal(row["const_deg"])
                const_text = "0.0" if const == 0 else f"{literal(row['const_deg'])} * kDegree"
                body.append(f"    {{{literal(row['amplitude'])}, {const_text}, {len(pairs)}, "
                            f"{{{', '.join(args)}}}, {{{', '.join(mults)}}}}},"
                            f"  // {row['argument']}")
                index += 1
        ranges.append((sat, first))
    lines.append(f"constexpr std::array<TSatTerm, {index}> kSatTerms = {{{{")
    lines.extend(body)
    lines.append("}};")
    lines.append("")
    lines.append("// Where each series of satellites I-IV lies in kSatTerms: {first, count} of the")
    lines.append("// longitude, latitude and radius series.")
    lines.append("constexpr std::array<TSatSeriesRanges, 4> kSatSeriesRanges = {{")
    for sat, first in ranges:
        parts = [f"{{{first[s][0]}, {first[s][1]}}}" for s in SERIES]
        lines.append(f"    {{{', '.join(parts)}}},  // {sat}")
    lines.append("}};")
    return "\n".join(lines) + "\n"


def main():
    linear, gamma, radius = read_elements()
    text = render(linear, gamma, radius, read_terms())
    return write_or_check(TARGET, text)


if __name__ == "__main__":
    sys.exit(main())
