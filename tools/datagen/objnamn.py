"""Objnamn.dta: proper names of deep-sky objects, drawn beside them on the sky chart; Swedish
where Stellarium's Swedish translation has one.

Source: Stellarium's deep-sky names (nebulae/default/names.dat: catalogue, identifier, name,
sources) placed at the object's position in Stellarium's deep-sky catalogue (J2000.0), or, for
an NGC/IC object Stellarium lacks, at OpenNGC's position; Swedish from
translations/stellarium-skycultures/sv.qm ("Andromedagalaxen"; the translation's misspelling
"Orionnebulusan" would be written "Orionnebulosan").

At most 300 lines: the Messier objects, then the named NGC/IC objects from the brightest,
then the rest from the brightest. One line per named object: of its names (names.dat order) the first whose Swedish translation
fits, else the first English name that fits, else the first English name cut after a
whole word. A name
that another object within one degree already carries (the members of a named group, such as
the four galaxies of "Robert's Quartet") is written once, at the brightest member. Where the
Swedish translations of two different names coincide, the fainter object keeps its English
name.

Line layout (columns from 1): 1-6 right ascension "hhmm.m" (hours, minutes to 0.1),
8-12 declination "+ddmm" (degrees, whole minutes), 14-35 the name (at most 22 characters, no
two blanks in a row). Lines are sorted by right ascension.
"""
from . import dsosources as ds, sources, stjanamn, textout

OUTPUTS = ["Objnamn.dta"]
NAME_WIDTH = 22
SAME_NAME_DEGREES = 1.0
# The chart can identify the labels of at most this many named objects; the file keeps the
# best-known: the Messier objects in Messier order, then the named NGC and IC objects from
# the brightest, then the other named objects from the brightest.
KEPT_NAMES = 300


def fame(table, place):
    """Sort key of a named place: Messier objects first (by number), then NGC/IC objects,
    then the rest (each by magnitude)."""
    key, mag = place[5], place[2]
    if key[0] == "openngc":
        return (1, 0, mag, key)
    ids = table.by_id[key[1]].ids
    messier = ids.get("M")
    if messier not in (None, 0, ""):
        return (0, int(messier), mag, key)
    if any(ids.get(f) not in (None, 0, "") for f in ("NGC", "IC")):
        return (1, 0, mag, key)
    return (2, 0, mag, key)


def named_places(table):
    """[(ra, dec, magnitude, name, is_swedish, object key)] for every named object."""
    out = []
    for obj_id, names in sorted(table.object_names.items()):
        o = table.by_id[obj_id]
        text, is_sv, english = table.label(o, NAME_WIDTH)
        mag = o.mag[0]
        out.append((o.ra, o.dec, 99.0 if mag is None else mag, text, is_sv, ("id", obj_id),
                    english))
    # NGC and IC objects that Stellarium lacks: OpenNGC's position.
    by_key = {}
    for n in table.unresolved_names:
        field = ds.NAME_PREFIX_FIELDS.get(n.prefix)
        if field in ("NGC", "IC") and n.ident.isdigit():
            r = table.openngc_main.get((field, int(n.ident)))
            if r is not None and r.ktype != 255:
                by_key.setdefault(r.key, (r, []))[1].append(n)
    for key, (r, names) in sorted(by_key.items()):
        english = ds.clean(names[0].english)
        sv = table.swedish(names[0].english)
        text = ds.clean(sv) if sv and len(ds.clean(sv)) <= NAME_WIDTH else None
        if text is None:
            text = textout.cut_words(english, NAME_WIDTH)
        out.append((r.ra, r.dec, 99.0 if r.mag is None else r.mag, text, text != english,
                    ("openngc",) + key, english))
    return out


def build(table):
    places = named_places(table)
    # Brightest first, so that a repeated name stays at the brightest member.
    places.sort(key=lambda p: (p[2], round(p[0], 6), round(p[1], 6), p[5]))
    kept = []
    repeated = english_kept = 0
    source = {}       # text -> the English name it stands for at its brightest object
    for p in places:
        if any(k[3] == p[3] and ds.separation_arcsec(k[0], k[1], p[0], p[1]) <=
               SAME_NAME_DEGREES * 3600 for k in kept):
            repeated += 1
            continue
        if p[4] and source.get(p[3], p[6]) != p[6] and len(p[6]) <= NAME_WIDTH:
            # Two names translated alike ("Hercules Cluster" and "Hercules Globular
            # Cluster" are both "Herkuleshopen"): the fainter object keeps its English name.
            p = p[:3] + (p[6], False) + p[5:]
            english_kept += 1
        source.setdefault(p[3], p[6])
        kept.append(p)
    ranked = sorted(kept, key=lambda p: fame(table, p))
    groups = [fame(table, p)[0] for p in ranked[:KEPT_NAMES]]
    left_out = len(ranked) - min(len(ranked), KEPT_NAMES)
    kept = ranked[:KEPT_NAMES]
    rows = []
    for ra, dec, _mag, text, _sv, key, _english in kept:
        assert "  " not in text and len(text) <= NAME_WIDTH
        rows.append((round(ra * 100000) % 36000000, round(dec * 100000), key,
                     textout.columns((1, 6, stjanamn.ra_text(ra)), (8, 5, stjanamn.dec_text(dec)),
                                     (14, NAME_WIDTH, text))))
    rows.sort(key=lambda r: r[:3])
    stats = {"lines": len(rows), "swedish": sum(1 for p in kept if p[4]),
             "openngc": sum(1 for p in kept if p[5][0] == "openngc"), "repeated": repeated,
             "openngc_found": sum(1 for p in places if p[5][0] == "openngc"),
             "english_kept": english_kept, "messier": groups.count(0),
             "ngcic": groups.count(1), "other": groups.count(2), "left_out": left_out,
             "unresolved": len(table.unresolved_names), "names": len(table.names)}
    return textout.text_file(r[3] for r in rows), stats


def generate(ctx):
    table = ds.dso_table(ctx)
    data, st = build(table)
    stl, kst = table.stellarium, table.kstars
    body = "\n".join([
        "## Objnamn.dta", "",
        "Proper names of deep-sky objects for the chart's labels: right ascension \"hhmm.m\" "
        "(cols 1–6), declination \"+ddmm\" (8–12), J2000.0, and the name (from col 14, at "
        "most 22 characters), sorted by right ascension. Swedish where Stellarium's Swedish "
        "translation gives one (\"Andromedagalaxen\", \"Ringnebulosan\").", "",
        f"- Source: {stl.label} (`{stl.command}`), `{ds.NAMES}` ({st['names']} names), "
        f"`{ds.SWEDISH}` (Swedish), positions from `{ds.CATALOG}`.",
        f"- Source: {kst.label} (`{kst.command}`), `{ds.OPENNGC}` (OpenNGC v20210306): the "
        f"position of named NGC/IC objects that Stellarium's catalogue lacks.",
        "- Licence: Stellarium's deep-sky names GPL-2+ (package); OpenNGC CC-BY-SA-4.0.",
        "- Attribution: deep-sky names collected by the Stellarium team (sources listed in "
        "`names.dat`).",
        f"- Records: {st['lines']} lines, as many as the chart can identify: {st['messier']} "
        f"Messier objects, {st['ngcic']} named NGC/IC objects (the brightest first) and "
        f"{st['other']} others ({st['swedish']} in Swedish, {st['openngc']} placed by "
        f"OpenNGC); {st['left_out']} further names left out; {st['repeated']} repeated group names written once (at the brightest "
        f"member within 1°); {st['english_kept']} keep their English name because the "
        f"Swedish translation of another object's name, brighter, is the same "
        f"(\"Herkuleshopen\" is M 13, the galaxy cluster Abell 2151 stays \"Hercules "
        f"Cluster\"); {st['unresolved']} names are of objects not in Stellarium's "
        f"catalogue: {st['openngc_found']} of them NGC/IC objects that OpenNGC places, the "
        f"others left out. Per object: the first of its names whose Swedish translation fits 22 "
        f"characters, else the first English name that fits, else the first English name cut "
        f"after a whole word.",
        "- Rebuild: `tools/make-data --only objnamn` (generator `tools/datagen/objnamn.py`).",
    ]) + "\n"
    return [sources.Output("Objnamn.dta", data, body, st["lines"])]
