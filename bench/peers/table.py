#!/usr/bin/env python3
"""Prints the peer table from one run of himlavy_peer_bench and of astronomy_engine.js.

usage: table.py PEER_BENCH_JSON [ASTRONOMY_ENGINE_JSON]

The first file is Google Benchmark's JSON output (--benchmark_out_format=json) of a run with
repetitions; the medians are used. Times are CPU time per call in nanoseconds. A ratio is the
peer's time over ours: above 1 ours is faster.
"""
import json
import sys

PLANETS = ["earth_j2000", "mercury", "venus", "earth", "mars", "jupiter", "saturn", "uranus",
           "neptune", "pluto"]
BODIES = ["sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune",
          "pluto"]
PEERS = ["libnova", "swe-files", "swe-moshier", "astronomy-engine"]


def rows():
    """(quantity, ours, libnova, swe files, swe Moshier, astronomy-engine key) per row."""
    out = [("NutationIAU1980", "BM_NutationIAU1980", "BM_Libnova_Nutation", "BM_Swe_Nutation",
            None, "nutation"),
           ("MoonPosition (geometric)", "BM_MoonPosition", "BM_Libnova_Moon", "BM_SweFile_Moon",
            "BM_SweMoshier_Moon", "moon")]
    for p in PLANETS:
        swe = "HelioJ2000" if p == "earth_j2000" else "Helio"
        out.append((f"HeliocentricPlanet {p}", f"BM_HeliocentricPlanet/{p}",
                    None if p == "earth_j2000" else f"BM_Libnova_Helio/{p}",
                    f"BM_SweFile_{swe}/{p}", f"BM_SweMoshier_{swe}/{p}", f"helio/{p}"))
    out.append(("PlanetDataLoad 0..8 (open, load, close)", "BM_PlanetDataLoadAll", None, None,
                None, None))
    for b in BODIES:
        out.append((f"apparent place {b}", f"BM_ApparentPlace/{b}", f"BM_Libnova_Apparent/{b}",
                    f"BM_SweFile_Apparent/{b}", f"BM_SweMoshier_Apparent/{b}", f"apparent/{b}"))
    out.append(("four satellites", "BM_JupiterMoons_NewT", None, "BM_SweFile_JupiterMoons", None,
                "satellites"))
    return out


UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def google_medians(path):
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    medians = {}
    errors = {}
    for b in data["benchmarks"]:
        name = b.get("run_name", b["name"])
        if b.get("error_occurred"):
            errors[name] = b.get("error_message", "error")
            continue
        if b.get("aggregate_name", "") == "median" or (
                b.get("run_type") == "iteration" and name not in medians):
            medians[name] = b["cpu_time"] * UNIT_NS[b.get("time_unit", "ns")]
    return data.get("context", {}), medians, errors


def node_medians(path):
    if not path:
        return {}, {}
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    return data, {k: v["cpu_ns"] for k, v in data["results"].items()}


def fmt_ns(v):
    if v is None:
        return "—"
    return f"{v:,.0f}" if v >= 100 else f"{v:.1f}"


def fmt_ratio(peer, ours):
    if peer is None or ours is None or ours <= 0:
        return "—"
    r = peer / ours
    return f"{r:.2f}" if r < 10 else f"{r:.0f}" if r < 1000 else f"{r:,.0f}"


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    context, gm, errors = google_medians(sys.argv[1])
    node, am = node_medians(sys.argv[2] if len(sys.argv) > 2 else None)

    header = ["quantity", "ours ns", "libnova ns", "swe files ns", "swe Moshier ns", "AE ns",
              "libnova/ours", "swe files/ours", "swe Moshier/ours", "AE/ours"]
    table = []
    slower = []
    for quantity, ours_key, ln_key, sf_key, sm_key, ae_key in rows():
        ours = gm.get(ours_key)
        peers = [gm.get(ln_key) if ln_key else None, gm.get(sf_key) if sf_key else None,
                 gm.get(sm_key) if sm_key else None, am.get(ae_key) if ae_key else None]
        table.append([quantity, fmt_ns(ours)] + [fmt_ns(p) for p in peers] +
                     [fmt_ratio(p, ours) for p in peers])
        if quantity.startswith("apparent place") and ours is not None:
            for name, p in zip(PEERS, peers):
                if p is not None and p <= ours:
                    slower.append(f"{quantity}: ours {fmt_ns(ours)} ns, {name} {fmt_ns(p)} ns")

    widths = [max(len(r[i]) for r in table + [header]) for i in range(len(header))]
    line = lambda r: "  ".join(c.ljust(widths[0]) if i == 0 else c.rjust(widths[i])
                               for i, c in enumerate(r))
    print(line(header))
    print("  ".join("-" * w for w in widths))
    for r in table:
        print(line(r))
    print()
    print("CPU time per call, median of the repetitions; ratio = peer / ours (above 1: ours "
          "faster).")
    if context:
        print(f"C++ run: {context.get('date', '?')}, {context.get('num_cpus', '?')} CPUs at "
              f"{context.get('mhz_per_cpu', '?')} MHz, load average "
              f"{', '.join(f'{x:.2f}' for x in context.get('load_avg', []))} at the start.")
    if node:
        print(f"Astronomy Engine {node.get('version', '?')} under node {node.get('node', '?')}.")
    print("Apparent place: ours MomentTerms + ApparentPlace (light time, nutation, aberration, "
          "horizontal);\n  libnova <planet>_equ_coords + equ_aber + nutation (Sun, Moon: "
          "solar_/lunar_equ_coords); Swiss Ephemeris\n  swe_calc SEFLG_EQUATORIAL; Astronomy "
          "Engine Equator(of date, aberration, observer).\n"
          "Astronomy Engine's HelioVector is J2000 for the Earth: one figure serves both Earth "
          "rows.")
    for name, message in sorted(errors.items()):
        print(f"skipped {name}: {message}")
    if slower:
        print("Apparent places where a peer is not slower than ours:")
        for s in slower:
            print("  " + s)
    else:
        print("Every apparent place of ours is faster than every peer's.")


if __name__ == "__main__":
    main()
