#!/usr/bin/env python3
"""Build the planetary series files PLANETS2.NDX and PLANETS.DAT from VSOP87.

Reads the complete VSOP87 series (Bretagnon & Francou 1988) from tools/tables/:
    record 0     vsop87b_earth.tsv    the Earth, ecliptic and equinox J2000.0 (VSOP87B)
    records 1-8  vsop87d_<planet>.tsv Mercury ... Neptune, ecliptic and equinox of date (VSOP87D)
truncates them so that all nine records together fit the 2637-term buffer of the
program, and writes (little-endian, no header):

    PLANETS.DAT   24-byte records, one per term: double A, double B, double C
                  (A rad for L and B, AU for R; B rad; C rad per Julian millennium),
                  value = A cos(B + C tau), tau = Julian millennia from J2000.0.
                  The records of one planet are contiguous, in the series order
                  L0..L5, B0..B5, R0..R5, terms in their VSOP87 order.
    PLANETS2.NDX  nine 144-byte records, record n for planet n: 18 pairs
                  (int32 first, int32 count) in the order L0..L5, B0..B5, R0..R5;
                  first = record number in PLANETS.DAT (from 0) of the series' first
                  term (for an empty series, where it would start), count = number of
                  terms (0 for an absent series).

Truncation rule: a greedy allocation of the 2637 slots. Every term is given the size
of its contribution to the position error when it is left out, |A| * tau_w^n with
tau_w = 0.2 millennium (|T| <= 2 centuries, 1800-2200) and n its power of tau, turned
into a geocentric angle: L and B terms times the planet's largest heliocentric
distance, R terms as they are, both divided by the planet's least distance from the
Earth (the Earth's own terms count as a displacement seen from 1 AU, and also at each
planet's least distance, since the Earth's error enters every geocentric position).
Each record keeps its largest terms by that size; only how many is decided here.
The error of a target (the Sun from each Earth record; each planet seen from the
Earth of date) is estimated as k * sqrt(sum of the squares of the left-out sizes).
Slot by slot, the target with the largest estimated error relative to its goal (5"
for the Sun, 10" for the planets) receives the next term of its own record or of the
Earth of date, whichever reduces its estimate more. The truncated and the full series
are then evaluated at 4001 moments from 1800 to 2200 and each factor k is multiplied
by sqrt(measured ratio / median ratio) (two significant digits), so that the next
allocation moves slots toward the targets that are measured worst; of at most 16
rounds, the one with the smallest measured worst ratio is written. The measured
error of a Sun target is the length of the Earth's position error seen from 1 AU
(it bounds the Sun's direction error and keeps R right); of a planet, the angle
between its truncated and full geocentric directions.

Usage: python3 tools/make_planets.py [--out DIR] [--quiet]
Standard library only; the output is the same, byte for byte, on every run.
"""

import argparse
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TABLES = os.path.join(HERE, "tables")
DEFAULT_OUT = os.path.join(os.path.dirname(HERE), "data")

SLOTS = 2637                      # size of the program's term buffer, all records together
NDX_NAME = "PLANETS2.NDX"
DAT_NAME = "PLANETS.DAT"
NDX_RECORD = struct.Struct("<" + "ii" * 18)   # 144 bytes
DAT_RECORD = struct.Struct("<ddd")            # 24 bytes

# Record number, TSV file, name.
RECORDS = [
    (0, "vsop87b_earth.tsv", "Earth (J2000.0)"),
    (1, "vsop87d_mercury.tsv", "Mercury"),
    (2, "vsop87d_venus.tsv", "Venus"),
    (3, "vsop87d_earth.tsv", "Earth (of date)"),
    (4, "vsop87d_mars.tsv", "Mars"),
    (5, "vsop87d_jupiter.tsv", "Jupiter"),
    (6, "vsop87d_saturn.tsv", "Saturn"),
    (7, "vsop87d_uranus.tsv", "Uranus"),
    (8, "vsop87d_neptune.tsv", "Neptune"),
]
SERIES = [(v, n) for v in "LBR" for n in range(6)]   # file order of the 18 series
EARTH_OF_DATE = 3

# Weights only (AU): largest heliocentric distance a(1 + e) and least distance from
# the Earth, rounded; for the Earth records the "least distance" is 1 AU (the Sun).
R_MAX = [1.0167, 0.467, 0.728, 1.0167, 1.666, 5.46, 10.1, 20.1, 30.3]
D_MIN = [1.0, 0.549, 0.264, 1.0, 0.372, 3.93, 7.99, 17.3, 28.8]
GOAL = [5.0, 10.0, 10.0, 5.0, 10.0, 10.0, 10.0, 10.0, 10.0]   # arcsec

TAU_W = 0.2                       # millennia: weights are taken at |T| = 2 centuries
ARCSEC = 180.0 * 3600.0 / math.pi
SAMPLES = 4001                    # moments used to measure the errors (every 36.5 days)
JD_1800 = 2378496.5               # 1800 January 1, 0h
JD_2200 = 2524593.5               # 2200 January 1, 0h
ROUNDS = 16


def read_series(path):
    """Reads one VSOP87 TSV (variable, power_of_T, term, A, B, C) into a dict
    {(variable, power): [(A, B, C), ...]} in the file's term order."""
    series = {key: [] for key in SERIES}
    with open(path, encoding="utf-8") as f:
        header = f.readline().rstrip("\n").split("\t")
        if header != ["variable", "power_of_T", "term", "A", "B", "C"]:
            raise SystemExit(f"{path}: unexpected header {header}")
        for lineno, line in enumerate(f, 2):
            line = line.rstrip("\n")
            if not line:
                continue
            var, power, term, a, b, c = line.split("\t")
            key = (var, int(power))
            terms = series[key]
            if int(term) != len(terms) + 1:
                raise SystemExit(f"{path}:{lineno}: term {term} out of order")
            a, b, c = float(a), float(b), float(c)
            if not all(math.isfinite(x) for x in (a, b, c)):
                raise SystemExit(f"{path}:{lineno}: not a number")
            terms.append((a, b, c))
    return series


def read_all(tables=TABLES):
    """The full series of records 0..8, in record order."""
    return [read_series(os.path.join(tables, name)) for _, name, _ in RECORDS]


def sample_taus(count=SAMPLES, jd0=JD_1800, jd1=JD_2200):
    """count moments evenly spread from jd0 to jd1 inclusive, as tau (Julian millennia
    from J2000.0)."""
    return [((jd0 + (jd1 - jd0) * i / (count - 1)) - 2451545.0) / 365250.0
            for i in range(count)]


def series_values(terms, taus):
    """Sum of A cos(B + C tau) over terms, at each tau."""
    cos = math.cos
    return [sum([a * cos(b + c * t) for a, b, c in terms]) for t in taus]


def evaluate(series, taus):
    """Heliocentric L (rad, not reduced), B (rad), R (AU) of one record at each tau:
    sum over powers n of tau^n times the series sum (the program's evaluation)."""
    out = {}
    for var in "LBR":
        total = [0.0] * len(taus)
        for n in range(6):
            terms = series[(var, n)]
            if not terms:
                continue
            values = series_values(terms, taus)
            for i, t in enumerate(taus):
                total[i] += t ** n * values[i]
        out[var] = total
    return out["L"], out["B"], out["R"]


def rectangular(lbr):
    """Lists of (L, B, R) to a list of (x, y, z) in AU."""
    out = []
    for l, b, r in zip(*lbr):
        cb = math.cos(b)
        out.append((r * cb * math.cos(l), r * cb * math.sin(l), r * math.sin(b)))
    return out


def angle_between(u, v):
    """Angle between two vectors (rad), stable for tiny angles."""
    cx = u[1] * v[2] - u[2] * v[1]
    cy = u[2] * v[0] - u[0] * v[2]
    cz = u[0] * v[1] - u[1] * v[0]
    return math.atan2(math.sqrt(cx * cx + cy * cy + cz * cz),
                      u[0] * v[0] + u[1] * v[1] + u[2] * v[2])


def target_errors(trunc_xyz, full_xyz):
    """The measured worst error (arcsec) of each target 0..8: for the Earth records the
    length of the position error seen from 1 AU; for the planets the angle between the
    truncated and the full geocentric direction (each with its own Earth of date)."""
    errors = []
    for rec in range(9):
        worst = 0.0
        if rec in (0, EARTH_OF_DATE):
            for p, q in zip(trunc_xyz[rec], full_xyz[rec]):
                d = math.sqrt((p[0] - q[0]) ** 2 + (p[1] - q[1]) ** 2 + (p[2] - q[2]) ** 2)
                worst = max(worst, d)
        else:
            for p, e, q, f in zip(trunc_xyz[rec], trunc_xyz[EARTH_OF_DATE],
                                  full_xyz[rec], full_xyz[EARTH_OF_DATE]):
                g1 = (p[0] - e[0], p[1] - e[1], p[2] - e[2])
                g2 = (q[0] - f[0], q[1] - f[1], q[2] - f[2])
                worst = max(worst, angle_between(g1, g2))
        errors.append(worst * ARCSEC)
    return errors


def term_weights(full):
    """For each record, the list (weight, series index, term index) of its terms, where
    weight is the term's geocentric size for its own target (arcsec), largest first
    (ties in file order). For the Earth of date, weight / D_MIN[p] is its size for
    planet p."""
    out = []
    for rec, series in enumerate(full):
        items = []
        for s, (var, n) in enumerate(SERIES):
            scale = (R_MAX[rec] if var in "LB" else 1.0) / D_MIN[rec] * ARCSEC * TAU_W ** n
            for i, (a, _, _) in enumerate(series[(var, n)]):
                items.append((abs(a) * scale, s, i))
        items.sort(key=lambda x: (-x[0], x[1], x[2]))
        out.append(items)
    return out


def allocate(weights, k):
    """Greedy allocation of SLOTS terms, given the factors k per target. Returns, per
    record, the set of kept (series index, term index): always its largest terms."""
    # tail[rec][m]: sum of the squares of the weights of terms m, m+1, ... (summed from
    # the small end, so that it stays exact when the large terms are gone)
    tail = []
    for items in weights:
        acc = [0.0] * (len(items) + 1)
        for m in range(len(items) - 1, -1, -1):
            acc[m] = acc[m + 1] + items[m][0] ** 2
        tail.append(acc)
    nxt = [0] * 9
    kept = [set() for _ in range(9)]

    def left(rec):
        return tail[rec][nxt[rec]]

    def estimate(t):
        d2 = left(t)
        if t not in (0, EARTH_OF_DATE):
            d2 += left(EARTH_OF_DATE) / (D_MIN[t] * D_MIN[t])
        return k[t] * math.sqrt(d2) / GOAL[t]

    def take(rec):
        _, s, i = weights[rec][nxt[rec]]
        nxt[rec] += 1
        kept[rec].add((s, i))

    for _ in range(SLOTS):
        ratios = [estimate(t) for t in range(9)]
        order = sorted(range(9), key=lambda t: (-ratios[t], t))
        for t in order:
            own = weights[t][nxt[t]][0] ** 2 if nxt[t] < len(weights[t]) else -1.0
            earth = -1.0
            if t not in (0, EARTH_OF_DATE) and nxt[EARTH_OF_DATE] < len(weights[EARTH_OF_DATE]):
                earth = (weights[EARTH_OF_DATE][nxt[EARTH_OF_DATE]][0] / D_MIN[t]) ** 2
            if own < 0 and earth < 0:
                continue
            take(t if own >= earth else EARTH_OF_DATE)
            break
        else:
            break
    return kept


def truncated(full, kept):
    """The truncated series of each record: kept terms in their file order."""
    out = []
    for rec, series in enumerate(full):
        t = {}
        for s, key in enumerate(SERIES):
            t[key] = [term for i, term in enumerate(series[key]) if (s, i) in kept[rec]]
        out.append(t)
    return out


def round2(x):
    """x rounded to two significant digits."""
    if x <= 0:
        return 1.0
    return float(f"{x:.2g}")


def choose(full, log):
    """Runs the greedy allocation, balancing its factors k on the measured errors, and
    returns (truncated series, measured errors) of the best round."""
    taus = sample_taus()
    full_xyz = [rectangular(evaluate(s, taus)) for s in full]
    weights = term_weights(full)
    k = [1.0] * 9
    best = None
    seen = set()
    for rnd in range(ROUNDS):
        kept = allocate(weights, k)
        trunc = truncated(full, kept)
        trunc_xyz = [rectangular(evaluate(s, taus)) for s in trunc]
        errors = target_errors(trunc_xyz, full_xyz)
        ratios = [e / g for e, g in zip(errors, GOAL)]
        worst = max(ratios)
        counts = [len(x) for x in kept]
        log(f"round {rnd + 1:2d}: k       " + " ".join(f"{x:6.3g}" for x in k))
        log("          terms   " + " ".join(f"{c:6d}" for c in counts) + f"  = {sum(counts)}")
        log("          error\"  " + " ".join(f"{e:6.3f}" for e in errors)
            + f"  worst/goal {worst:.4f}")
        if best is None or worst < best[0]:
            best = (worst, trunc, errors)
        seen.add(tuple(k))
        # Raise k where the measured error is above the middle, lower it below
        # (damped), so that the next round moves slots toward the worst targets.
        middle = sorted(ratios)[4]
        k = [round2(k[t] * math.sqrt(ratios[t] / middle)) for t in range(9)]
        if tuple(k) in seen:
            break
    return best[1], best[2]


def write_files(trunc, out_dir):
    """Writes PLANETS2.NDX and PLANETS.DAT for the truncated records 0..8."""
    ndx = bytearray()
    dat = bytearray()
    record = 0
    for series in trunc:
        pairs = []
        for key in SERIES:
            terms = series[key]
            pairs += [record, len(terms)]
            for a, b, c in terms:
                dat += DAT_RECORD.pack(a, b, c)
            record += len(terms)
        ndx += NDX_RECORD.pack(*pairs)
    if record > SLOTS:
        raise SystemExit(f"{record} terms do not fit {SLOTS} slots")
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, NDX_NAME), "wb") as f:
        f.write(ndx)
    with open(os.path.join(out_dir, DAT_NAME), "wb") as f:
        f.write(dat)
    return record


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=DEFAULT_OUT, help="output folder (default: data/)")
    ap.add_argument("--quiet", action="store_true")
    args = ap.parse_args()
    log = (lambda s: None) if args.quiet else (lambda s: print(s, file=sys.stderr))

    full = read_all()
    trunc, errors = choose(full, log)
    total = write_files(trunc, args.out)
    print(f"wrote {NDX_NAME} and {DAT_NAME} to {args.out}: {total} terms of {SLOTS}")
    print(f"{'rec':>3} {'body':<16} {'terms':>5}  {'L0-L5':<24} {'B0-B5':<24} {'R0-R5':<24} err\"")
    for rec, (_, _, name) in enumerate(RECORDS):
        s = trunc[rec]
        per = ["/".join(str(len(s[(v, n)])) for n in range(6)) for v in "LBR"]
        n = sum(len(x) for x in s.values())
        print(f"{rec:>3} {name:<16} {n:>5}  {per[0]:<24} {per[1]:<24} {per[2]:<24} {errors[rec]:.3f}")


if __name__ == "__main__":
    main()
