#!/usr/bin/env python3
"""Check PLANETS2.NDX and PLANETS.DAT against the complete VSOP87 series.

1. Layout: PLANETS2.NDX must hold nine 144-byte records of 18 (int32 first, int32 count)
   pairs (L0..L5, B0..B5, R0..R5), PLANETS.DAT 24-byte records of three little-endian
   doubles; the 18 series of a record are contiguous and in that order, and every stored
   term is a term of the matching full series (same values, same order).
2. Loading: the nine records are loaded one after the other into a buffer of 2637 slots
   the way the program does (slot counter from 1, index offsets shifted by
   delta = TermCount - first(L0) - 1), which must not overflow; the truncated positions
   below are evaluated from that buffer.
3. Accuracy, at --samples moments evenly spread from 1800 to 2200 (TT): the largest
   heliocentric errors in L, B (arcsec) and R (AU) of every record, and the largest
   geocentric angular error (arcsec): for records 0 and 3 the direction of the Sun seen
   from the truncated Earth against the full Earth; for Mercury ... Neptune the planet
   seen from the truncated Earth of date (record 3) against the full planet seen from
   the full Earth of date. Both over 1800-2200 and 1900-2100.

The program's goal, checked over 1900-2100: Sun <= 5", Mercury ... Neptune <= 10"
geocentric. The exit status is 1 if the layout is wrong or the goal is missed.

Usage: python3 tools/check_planets.py [--data DIR] [--samples N] [--markdown]
Standard library only.
"""

import argparse
import math
import os
import struct
import sys

sys.dont_write_bytecode = True   # keep tools/ free of __pycache__
import make_planets as mp  # noqa: E402

NDX_SIZE = 144
DAT_SIZE = 24
JD_1900 = 2415020.5               # 1900 January 1, 0h
JD_2100 = 2488069.5               # 2100 January 1, 0h
GOAL_SUN = 5.0
GOAL_PLANET = 10.0


class LayoutError(Exception):
    pass


def read_files(data_dir):
    """Reads the index (nine lists of 18 (first, count) pairs) and the term records."""
    with open(os.path.join(data_dir, mp.NDX_NAME), "rb") as f:
        ndx = f.read()
    with open(os.path.join(data_dir, mp.DAT_NAME), "rb") as f:
        dat = f.read()
    if len(ndx) != 9 * NDX_SIZE:
        raise LayoutError(f"{mp.NDX_NAME}: {len(ndx)} bytes, expected 9 x {NDX_SIZE}")
    if len(dat) % DAT_SIZE:
        raise LayoutError(f"{mp.DAT_NAME}: {len(dat)} bytes, not a multiple of {DAT_SIZE}")
    index = []
    for rec in range(9):
        v = struct.unpack_from("<36i", ndx, rec * NDX_SIZE)
        index.append([(v[2 * s], v[2 * s + 1]) for s in range(18)])
    terms = [struct.unpack_from("<ddd", dat, i * DAT_SIZE) for i in range(len(dat) // DAT_SIZE)]
    return index, terms


def check_layout(index, terms, full):
    """Raises LayoutError on any fault; returns the number of terms."""
    expected = 0
    for rec in range(9):
        for s, (first, count) in enumerate(index[rec]):
            var, n = mp.SERIES[s]
            if count < 0 or first != expected:
                raise LayoutError(f"record {rec} series {var}{n}: first {first}, count {count}, "
                                  f"expected first {expected}")
            stored = terms[first:first + count]
            if len(stored) != count:
                raise LayoutError(f"record {rec} series {var}{n} runs past the end of {mp.DAT_NAME}")
            source = full[rec][(var, n)]
            pos = 0
            for t in stored:
                if not all(math.isfinite(x) for x in t):
                    raise LayoutError(f"record {rec} series {var}{n}: not a number")
                while pos < len(source) and source[pos] != t:
                    pos += 1
                if pos == len(source):
                    raise LayoutError(f"record {rec} series {var}{n}: term {t} is not a term of "
                                      f"the full series (or out of order)")
                pos += 1
            expected += count
    if expected != len(terms):
        raise LayoutError(f"the index covers {expected} terms, {mp.DAT_NAME} holds {len(terms)}")
    return expected


def load_all(index, terms, slots=mp.SLOTS):
    """Loads records 0..8 into one buffer the way the program does and returns, per record,
    (buffer, 18 buffer offsets with counts). Raises LayoutError on overflow."""
    buffer = [None] * slots
    term_count = 1
    loaded = []
    for rec in range(9):
        pairs = index[rec]
        delta = term_count - pairs[0][0] - 1
        pos = pairs[0][0]
        rewritten = []
        for first, count in pairs:
            for _ in range(count):
                if term_count > slots:
                    raise LayoutError(f"buffer overflow while loading record {rec}: "
                                      "!!! ERROR !!! Too many planetary terms !")
                buffer[term_count - 1] = terms[pos]
                pos += 1
                term_count += 1
            rewritten.append((first + delta, count))
        loaded.append(rewritten)
    return buffer, loaded, term_count - 1


def series_from_buffer(buffer, pairs):
    """The 18 series of one loaded record, read back through its rewritten offsets."""
    return {key: buffer[first:first + count] for key, (first, count) in zip(mp.SERIES, pairs)}


def wrap(x):
    """x reduced to (-pi, pi]."""
    return math.remainder(x, 2.0 * math.pi)


def measure(full_lbr, trunc_lbr, in_window):
    """Per record: max |dL|", |dB|", |dR| AU and the geocentric error " over the samples
    selected by in_window (a list of booleans)."""
    full_xyz = [mp.rectangular(x) for x in full_lbr]
    trunc_xyz = [mp.rectangular(x) for x in trunc_lbr]
    rows = []
    for rec in range(9):
        dl = db = dr = geo = 0.0
        for i, use in enumerate(in_window):
            if not use:
                continue
            dl = max(dl, abs(wrap(trunc_lbr[rec][0][i] - full_lbr[rec][0][i])))
            db = max(db, abs(trunc_lbr[rec][1][i] - full_lbr[rec][1][i]))
            dr = max(dr, abs(trunc_lbr[rec][2][i] - full_lbr[rec][2][i]))
            if rec in (0, mp.EARTH_OF_DATE):
                a = mp.angle_between(trunc_xyz[rec][i], full_xyz[rec][i])
            else:
                p, e = trunc_xyz[rec][i], trunc_xyz[mp.EARTH_OF_DATE][i]
                q, f = full_xyz[rec][i], full_xyz[mp.EARTH_OF_DATE][i]
                a = mp.angle_between((p[0] - e[0], p[1] - e[1], p[2] - e[2]),
                                     (q[0] - f[0], q[1] - f[1], q[2] - f[2]))
            geo = max(geo, a)
        rows.append((dl * mp.ARCSEC, db * mp.ARCSEC, dr, geo * mp.ARCSEC))
    return rows


def print_table(title, rows, counts, markdown):
    names = [name for _, _, name in mp.RECORDS]
    print()
    print(title)
    if markdown:
        print()
        print("| rec | body | terms | helio. L (\") | helio. B (\") | R (AU) | geocentric (\") |")
        print("|---|---|---:|---:|---:|---:|---:|")
        for rec, (dl, db, dr, geo) in enumerate(rows):
            label = names[rec] + (" (Sun)" if rec in (0, mp.EARTH_OF_DATE) else "")
            print(f"| {rec} | {label} | {counts[rec]} | {dl:.3f} | {db:.3f} | {dr:.2e} | {geo:.3f} |")
    else:
        print("rec  body             terms   dL(\")   dB(\")   dR (AU)   geo(\")")
        for rec, (dl, db, dr, geo) in enumerate(rows):
            print(f"{rec:>3}  {names[rec]:<16} {counts[rec]:>5} {dl:8.3f} {db:8.3f} {dr:10.2e} {geo:8.3f}")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--data", default=mp.DEFAULT_OUT, help="folder of the two files (default: data/)")
    ap.add_argument("--tables", default=mp.TABLES, help="folder of the VSOP87 TSVs")
    ap.add_argument("--samples", type=int, default=20001,
                    help="moments from 1800 to 2200 (default 20001, every 7.3 days; at least 2000)")
    ap.add_argument("--markdown", action="store_true", help="print the tables as Markdown")
    args = ap.parse_args()
    if args.samples < 2000:
        ap.error("--samples must be at least 2000")

    full = mp.read_all(args.tables)
    try:
        index, terms = read_files(args.data)
        total = check_layout(index, terms, full)
        buffer, loaded, used = load_all(index, terms)
    except (OSError, LayoutError) as e:
        print(f"LAYOUT FAULT: {e}")
        return 1
    print(f"layout ok: 9 index records, {total} terms, all nine loaded together use "
          f"{used} of {mp.SLOTS} slots")
    counts = [sum(c for _, c in index[rec]) for rec in range(9)]

    taus = mp.sample_taus(args.samples)
    print(f"evaluating the full and the truncated series at {args.samples} moments, 1800-2200 ...",
          file=sys.stderr)
    full_lbr = [mp.evaluate(s, taus) for s in full]
    trunc_lbr = [mp.evaluate(series_from_buffer(buffer, loaded[rec]), taus) for rec in range(9)]

    all_window = [True] * len(taus)
    t0 = (JD_1900 - 2451545.0) / 365250.0
    t1 = (JD_2100 - 2451545.0) / 365250.0
    goal_window = [t0 <= t <= t1 for t in taus]
    rows_all = measure(full_lbr, trunc_lbr, all_window)
    rows_goal = measure(full_lbr, trunc_lbr, goal_window)
    print_table(f"Largest errors, 1800-2200 ({len(taus)} moments):", rows_all, counts, args.markdown)
    print_table(f"Largest errors, 1900-2100 ({sum(goal_window)} moments):", rows_goal, counts,
                args.markdown)

    ok = True
    print()
    for rec, (_, _, name) in enumerate(mp.RECORDS):
        goal = GOAL_SUN if rec in (0, mp.EARTH_OF_DATE) else GOAL_PLANET
        geo = rows_goal[rec][3]
        verdict = "ok" if geo <= goal else "MISSED"
        ok = ok and geo <= goal
        what = "Sun" if rec in (0, mp.EARTH_OF_DATE) else name
        print(f"goal 1900-2100: {what:<8} ({name}) {geo:.3f}\" <= {goal:g}\": {verdict}")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
