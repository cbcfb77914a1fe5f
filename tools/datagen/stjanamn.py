"""Stjanamn.dta: proper names of stars, drawn beside them on the sky chart; Swedish where
Stellarium's Swedish translation has one.

Source: Stellarium's western sky culture (star_names.fab: HIP number, name, references), the
first name of each star; Swedish from translations/stellarium-skycultures/sv.qm; positions
from the Hipparcos records of Stellarium's star catalogue (J2000.0).

Left out: stars fainter than V 6.5 whose only references are the IAU NameExoWorlds contests
(references 4 and 36: names of planet-host stars that the eye cannot see; labels are drawn
without a magnitude limit).

Line layout (columns from 1): 1-6 right ascension "hhmm.m" (hours, minutes to 0.1),
8-12 declination "+ddmm" (degrees, whole minutes), 14-32 the name (at most 19 characters,
no two blanks in a row). A name longer than 19 characters is replaced by the first that fits
of: the English name, the star's other names, the name without a leading article ("Al "),
the name cut after a whole word. Lines are sorted by right ascension.
"""
import re

from . import qm, sources, starsources, textout

OUTPUTS = ["Stjanamn.dta"]

STAR_NAMES = "usr/share/stellarium/skycultures/western/star_names.fab"
SWEDISH = "usr/share/stellarium/translations/stellarium-skycultures/sv.qm"
SKYCULTURE_INFO = "usr/share/stellarium/skycultures/western/info.ini"
NAME_WIDTH = 19
FAINT = 6.5
EXOWORLD_REFERENCES = {"4", "36"}

_LINE = re.compile(r'^\s*(\d+)\|_\("(.*)"\)\s*(.*)$')


def read_names(path):
    """{hip: [(name, {references})]} in file order."""
    out = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            m = _LINE.match(line)
            if not m:
                raise ValueError(f"{path}: cannot read {line!r}")
            refs = {r.strip() for r in m[3].split(",") if r.strip()}
            out.setdefault(int(m[1]), []).append((m[2], refs))
    return out


def _clean(name):
    return " ".join(textout.transliterate(name).split())


def label(names, messages):
    """(text, swedish) for a star with `names` [(name, refs)]: see the module comment."""
    english = _clean(names[0][0])
    sv = qm.translation(messages, names[0][0])
    swedish = _clean(sv) if sv else None
    candidates = ([swedish] if swedish else []) + [english] + [_clean(n) for n, _ in names[1:]]
    for c in candidates:
        if len(c) <= NAME_WIDTH:
            return c, c == swedish and swedish != english
    base = swedish or english
    for article in ("Al ", "The "):
        if base.startswith(article) and len(base) - len(article) <= NAME_WIDTH:
            return base[len(article):], bool(swedish)
    words = base.split(" ")
    text = ""
    for w in words:
        if len(text) + len(w) + (1 if text else 0) > NAME_WIDTH:
            break
        text = f"{text} {w}" if text else w
    return (text or base[:NAME_WIDTH]), bool(swedish)


def ra_text(ra_deg):
    """Right ascension as "hhmm.m" (hours and minutes to 0.1, rounded, 24h -> 00h)."""
    tenths = round(ra_deg / 15 * 600) % (24 * 600)
    h, m10 = divmod(tenths, 600)
    return f"{h:02d}{m10 // 10:02d}.{m10 % 10}"


def dec_text(dec_deg):
    """Declination as "+ddmm" (degrees and whole minutes, rounded)."""
    minutes = round(abs(dec_deg) * 60)
    d, m = divmod(minutes, 60)
    return f"{'-' if dec_deg < 0 and minutes else '+'}{d:02d}{m:02d}"


def generate(ctx):
    table = starsources.star_table(ctx)
    pkg = table.stellarium
    names = read_names(pkg.path(STAR_NAMES))
    messages = qm.read_qm(pkg.path(SWEDISH))
    rows = []
    skipped_faint = skipped_nopos = swedish = 0
    for hip, star_names in names.items():
        star = table.primary(hip)
        if star is None:
            skipped_nopos += 1
            continue
        refs = set().union(*(r for _, r in star_names))
        if star.v > FAINT and refs and refs <= EXOWORLD_REFERENCES:
            skipped_faint += 1
            continue
        text, is_sv = label(star_names, messages)
        swedish += is_sv
        assert "  " not in text and len(text) <= NAME_WIDTH
        ra_u = round(star.ra * 100000) % 36000000
        rows.append((ra_u, round(star.dec * 100000), text,
                     textout.columns((1, 6, ra_text(star.ra)), (8, 5, dec_text(star.dec)),
                                     (14, NAME_WIDTH, text))))
    rows.sort()
    data = textout.text_file(r[3] for r in rows)
    body = "\n".join([
        "## Stjanamn.dta", "",
        "Proper names of stars for the chart's labels: right ascension \"hhmm.m\" (cols 1–6), "
        "declination \"+ddmm\" (8–12), J2000.0, and the name (from col 14, at most 19 "
        "characters), sorted by right ascension. Swedish where Stellarium's Swedish "
        "translation gives one (\"Polstjärnan\", \"Barnards stjärna\").", "",
        f"- Source: {pkg.label} (`{pkg.command}`), `{STAR_NAMES}` (the first name of each of "
        f"{len(names)} stars), `{SWEDISH}` (Swedish), positions from the Hipparcos records of "
        f"`{starsources.STELLARIUM_DIR}stars_0..2_0v0_8.cat`.",
        "- Licence: the Stellarium western sky culture is CC BY-SA 4.0 + Free Art License "
        f"(`{SKYCULTURE_INFO}`); package GPL-2+.",
        "- Attribution: star names from Stellarium's \"Western\" sky culture (Stellarium's "
        "team), after the IAU Catalog of Star Names and the references listed in its "
        "`reference.fab`.",
        f"- Records: {len(rows)} lines ({swedish} with a Swedish name that differs from the "
        f"English); left out: {skipped_faint} stars fainter than V {FAINT} named only by the "
        f"IAU NameExoWorlds contests, {skipped_nopos} without a Hipparcos position.",
        "- Names longer than 19 characters: the English name, another name of the star, the "
        "name without a leading \"Al \", or the name cut after a whole word, whichever fits "
        "first.",
        "- Rebuild: `tools/make-data --only stjanamn` (generator `tools/datagen/stjanamn.py`).",
    ]) + "\n"
    return [sources.Output("Stjanamn.dta", data, body, len(rows))]
