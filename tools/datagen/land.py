"""land.dta: country names in Swedish by their ISO 3166-1 two-letter codes.

Source: Debian's iso-codes, usr/share/iso-codes/json/iso_3166-1.json (codes, English names,
short "common" names for some) with the Swedish translations of
usr/share/locale/sv/LC_MESSAGES/iso_3166-1.mo. The Swedish form of the common name is used
where one exists ("Bolivia", "Nordkorea" rather than "Bolivia, Mångnationella staten",
"Korea, demokratiska folkrepubliken"), else the Swedish form of the name.

GeoNames, the source of the places, also uses the user-assigned code XK for Kosovo, which
ISO 3166-1 lacks; such codes are added from GeoNames' countryInfo.txt (in libtimezonemap-data)
with its English name.

Line format: columns 1-2 the code, 4-31 the name (cut at a word boundary to 28 characters,
Windows-1252). Lines in code order.
"""
import gettext
import json

from .sources import Output, section
from .textout import columns, cut_words, text_file, transliterate

OUTPUTS = ["land.dta"]

ISO_JSON = "usr/share/iso-codes/json/iso_3166-1.json"
ISO_MO = "usr/share/locale/sv/LC_MESSAGES/iso_3166-1.mo"
COUNTRY_INFO = "usr/share/libtimezonemap/ui/countryInfo.txt"
CITIES = "usr/share/libtimezonemap/ui/cities15000.txt"
NAME_WIDTH = 28


def swedish_names(json_path, mo_path):
    """{code: Swedish name} of every ISO 3166-1 entry."""
    with open(json_path, encoding="utf-8") as f:
        entries = json.load(f)["3166-1"]
    with open(mo_path, "rb") as f:
        sv = gettext.GNUTranslations(f)
    names = {}
    for e in entries:
        common = e.get("common_name")
        name = sv.gettext(e["name"])
        if common and common in sv._catalog:   # translated (possibly to the same text)
            name = sv.gettext(common)
        names[e["alpha_2"]] = name
    return names


def geonames_extra(country_info, cities, known):
    """{code: English name} of the codes GeoNames' places use that ISO 3166-1 lacks."""
    used = set()
    with open(cities, encoding="utf-8") as f:
        for line in f:
            fields = line.split("\t")
            if len(fields) > 8:
                used.add(fields[8])
    extra = {}
    with open(country_info, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) > 4 and fields[0] in used and fields[0] not in known:
                extra[fields[0]] = fields[4]
    return extra


def build(names):
    """Lines of land.dta and the list of names that were cut."""
    lines, cut = [], []
    for code in sorted(names):
        full = transliterate(names[code])
        name = cut_words(full, NAME_WIDTH)
        if name != full:
            cut.append(f"{code} \"{full}\" -> \"{name}\"")
        lines.append(columns((1, 2, code), (4, NAME_WIDTH, name)))
    return lines, cut


def generate(ctx):
    iso = ctx.debian("iso-codes")
    geo = ctx.debian("libtimezonemap-data")
    names = swedish_names(iso.path(ISO_JSON), iso.path(ISO_MO))
    n_iso = len(names)
    extra = geonames_extra(geo.path(COUNTRY_INFO), geo.path(CITIES), names)
    names.update(extra)
    lines, cut = build(names)
    text = section(
        "land.dta",
        "Country names in Swedish by ISO 3166-1 code, for the country of a place in "
        "ortsnamn.dta.",
        [(iso, f"`{ISO_JSON}` and `{ISO_MO}`"),
         (geo, f"`{COUNTRY_INFO}` (GeoNames) for codes that ISO 3166-1 lacks")],
        "iso-codes LGPL-2.1+; GeoNames CC-BY-4.0.",
        "iso-codes (Debian's ISO code lists and their translations); GeoNames (geonames.org).",
        f"{len(lines)} countries: {n_iso} from ISO 3166-1 and {len(extra)} from GeoNames ("
        + ", ".join(f"{c} \"{n}\"" for c, n in sorted(extra.items())) + ").",
        "the Swedish translation of the short common name where iso-codes has one (\"Bolivia\", "
        "\"Nordkorea\"), else of the full name; cut at a word boundary to the 28 characters of "
        "columns 4-31: " + "; ".join(cut) + ".",
        standin=("names of codes outside ISO 3166-1 are GeoNames' English ones."
                 if extra else None),
        generator="land")
    return [Output("land.dta", text_file(lines), text, len(lines))]
